#include "lib/gps/CommPort.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "TdLib.h"
#include "lib/foundation/core/ErrorCodes.h"
#include "lib/gps/CommPortApi.h"
#include "lib/gps/CommPortProbe.h"
#include "lib/gps/NmeaParser.h"
#include "tests/gps/SerialLink.h"

namespace {

const std::string kDataDir = TDLIB_TEST_DATA_DIR "/gps/data/";

std::string ReadWholeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

// What a port delivered through its receive callback.
struct SReceived {
  CCommPort* Port = nullptr;
  std::string Bytes;
  std::vector<uint32_t> Sizes;
  std::vector<uint64_t> Stamps;
  int Calls = 0;
  int Terminations = 0;
  uint32_t TerminateCode = 0;
  std::string TerminateText;
};

void TD_STDCALL TakeAll(void* context) {
  SReceived* r = static_cast<SReceived*>(context);
  ++r->Calls;
  uint8_t buffer[256];
  uint32_t size = 0;
  uint64_t stamp = 0;
  while (r->Port->ReadPacket(buffer, &size, &stamp)) {
    r->Bytes.append(reinterpret_cast<char*>(buffer), size);
    r->Sizes.push_back(size);
    r->Stamps.push_back(stamp);
  }
}

void TD_STDCALL CountOnly(void* context) { ++static_cast<SReceived*>(context)->Calls; }

void TD_STDCALL RecordEnd(void* context, uint32_t code, const CStr* text) {
  SReceived* r = static_cast<SReceived*>(context);
  ++r->Terminations;
  r->TerminateCode = code;
  r->TerminateText = text->c_str();
}

void TD_STDCALL DeleteOnReceive(void* context) {
  SReceived* r = static_cast<SReceived*>(context);
  ++r->Calls;
  td::Free(r->Port);
  r->Port = nullptr;
}

void TD_STDCALL DeleteOnEnd(void* context, uint32_t code, const CStr*) {
  SReceived* r = static_cast<SReceived*>(context);
  ++r->Terminations;
  r->TerminateCode = code;
  td::Free(r->Port);
  r->Port = nullptr;
}

struct SPortDeleter {
  void operator()(CCommPort* port) const { td::Free(port); }
};
using TPort = std::unique_ptr<CCommPort, SPortDeleter>;

TPort MakePort(uint32_t number, uint32_t baud = 4800) {
  TPort port(new CCommPort(nullptr));
  port->SetPortNumber(number);
  port->SetBaudRate(baud);
  return port;
}

// A port whose receive callback gets r.
TPort ReceivingPort(uint32_t number, uint32_t baud, SReceived& r, TCommReceiveFunc onReceive) {
  TPort port = MakePort(number, baud);
  r.Port = port.get();
  port->SetOnReceive(onReceive, &r);
  return port;
}

// Opens the port; the error code.
uint32_t OpenPort(CCommPort& port) {
  uint32_t error = 99;
  port.Open("CommTest", &error);
  return error;
}

// Puts the real system calls back whatever a test swapped.
class CommPortSeam : public ::testing::Test {
 protected:
  void TearDown() override { g_CommPortApi = kCommPortSystemApi; }
};

// ---- host view: the exported factory and the table order ----

TEST(CommPort, ExportedTableHasTheDefaultsAndStoresEverySetting) {
  TdObject* port = CommPortCreate();
  ASSERT_NE(port, nullptr);
  const TdCommPortTable* t = *reinterpret_cast<const TdCommPortTable* const*>(port);
  EXPECT_EQ(t->GetBaudRate(port), 4800u);
  EXPECT_EQ(t->GetByteSize(port), 8);
  EXPECT_EQ(t->GetHandshake(port), 0u);
  EXPECT_EQ(t->IsOpen(port), 0);
  EXPECT_EQ(t->GetParity(port), 0u);
  EXPECT_EQ(t->GetErrorChar(port), 0);
  EXPECT_EQ(t->GetErrorCharEnabled(port), 0);
  EXPECT_EQ(t->GetPortNumber(port), 1u);
  EXPECT_EQ(t->GetStopBits(port), 0u);
  EXPECT_EQ(t->GetOnReceive(port)->function, nullptr);
  t->SetBaudRate(port, 115200);
  t->SetByteSize(port, 7);
  t->SetHandshake(port, 2);
  t->SetParity(port, 1);
  t->SetErrorChar(port, '?');
  t->SetErrorCharEnabled(port, 2);  // any non-zero byte is true
  t->SetPortNumber(port, 20);
  t->SetStopBits(port, 2);
  int context = 0;
  t->SetOnReceive(port, reinterpret_cast<TdCommReceiveCallback>(&CountOnly), &context);
  t->SetOnTerminate(port, reinterpret_cast<TdCommTerminateCallback>(&RecordEnd), &context);
  EXPECT_EQ(t->GetBaudRate(port), 115200u);
  EXPECT_EQ(t->GetByteSize(port), 7);
  EXPECT_EQ(t->GetHandshake(port), 2u);
  EXPECT_EQ(t->GetParity(port), 1u);
  EXPECT_EQ(t->GetErrorChar(port), '?');
  EXPECT_EQ(t->GetErrorCharEnabled(port), 1);
  EXPECT_EQ(t->GetPortNumber(port), 20u);
  EXPECT_EQ(t->GetStopBits(port), 2u);
  EXPECT_EQ(t->GetOnReceive(port)->context, &context);
  EXPECT_EQ(t->GetOnTerminate(port)->function, reinterpret_cast<void (*)()>(&RecordEnd));
  uint8_t buffer[256];
  uint32_t size = 77;
  uint64_t time = 88;
  EXPECT_EQ(t->ReadPacket(port, buffer, &size, &time), 0);
  EXPECT_EQ(size, 77u);
  EXPECT_EQ(time, 88u);
  ObjectDelete(port);
}

void TD_STDCALL CollectSentence(void* context, CNMEAParser*, CNMEASentence* sentence) {
  static_cast<std::vector<uint32_t>*>(context)->push_back(sentence->GetSentenceId());
}

// The sentence types a parser finds in the packets, fed one by one.
std::vector<uint32_t> ParsedSentences(const SReceived& r) {
  std::vector<uint32_t> ids;
  CNMEAParser parser(CollectSentence, &ids);
  size_t offset = 0;
  for (uint32_t size : r.Sizes) {
    parser.Parse(reinterpret_cast<const uint8_t*>(r.Bytes.data() + offset),
                 static_cast<int32_t>(size), 0);
    offset += size;
  }
  return ids;
}

// ---- reception on pseudo-terminal ports ----

class CommPortPlay : public ::testing::TestWithParam<uint32_t> {};

TEST_P(CommPortPlay, PacketsJoinedAreTheBytesPlayed) {
  const std::string log = ReadWholeFile(kDataDir + "sample.nmea");
  ASSERT_GT(log.size(), 1000u);
  CSerialLink link(20);
  ASSERT_TRUE(link.IsOpen());
  ASSERT_TRUE(link.Reset());
  SReceived r;
  TPort port = ReceivingPort(20, GetParam(), r, TakeAll);
  ASSERT_EQ(OpenPort(*port), 0u);
  ASSERT_TRUE(port->IsOpen());
  ASSERT_TRUE(link.Play(GetParam(), kDataDir + "sample.nmea"));
  EXPECT_TRUE(PumpUntil([&] { return r.Bytes.size() >= log.size(); }));
  EXPECT_EQ(r.Bytes, log);
  for (uint32_t size : r.Sizes) EXPECT_TRUE(size >= 1 && size <= 256) << size;
  for (size_t i = 1; i < r.Stamps.size(); ++i) EXPECT_LE(r.Stamps[i - 1], r.Stamps[i]);
  EXPECT_EQ(r.Terminations, 0);
  std::vector<uint32_t> expected;  // the log: GGA, RMC and VTG, eight times
  for (int i = 0; i < 8; ++i) expected.insert(expected.end(), {kNMEAGGA, kNMEARMC, kNMEAVTG});
  EXPECT_EQ(ParsedSentences(r), expected);
}

INSTANTIATE_TEST_SUITE_P(Baud, CommPortPlay, ::testing::Values(4800u, 115200u));

// Every byte value, raw, in a burst: reads of 256 bytes come back whole.
TEST(CommPort, BurstArrivesInPacketsOfAtMost256AndEveryByteValuePasses) {
  std::string burst;
  for (int i = 0; i < 3000; ++i) burst.push_back(static_cast<char>(i * 7 % 256));
  const std::string path = "Z:\\tmp\\tdlib-gps-burst-" + std::to_string(GetCurrentProcessId());
  std::ofstream(path, std::ios::binary) << burst;
  CSerialLink link(21);
  ASSERT_TRUE(link.Reset());
  SReceived r;
  TPort port = ReceivingPort(21, 4800, r, TakeAll);
  ASSERT_EQ(OpenPort(*port), 0u);
  ASSERT_TRUE(link.Play(0, path));
  EXPECT_TRUE(PumpUntil([&] { return r.Bytes.size() >= burst.size(); }));
  DeleteFileA(path.c_str());
  EXPECT_EQ(r.Bytes, burst);
  uint32_t largest = 0;
  for (uint32_t size : r.Sizes) largest = std::max(largest, size);
  EXPECT_EQ(largest, 256u);
}

TEST(CommPort, CloseDuringReceptionEndsEveryCallback) {
  CSerialLink link(22);
  ASSERT_TRUE(link.Reset());
  SReceived r;
  TPort port = ReceivingPort(22, 4800, r, CountOnly);
  port->SetOnTerminate(RecordEnd, &r);
  ASSERT_EQ(OpenPort(*port), 0u);
  ASSERT_TRUE(link.Play(4800, kDataDir + "sample.nmea"));
  ASSERT_TRUE(PumpUntil([&] { return port->GetPacketCount() >= 2; }));
  port->Close();  // events of the port are queued, none has run
  const int calls = r.Calls;
  PumpFor(300);
  EXPECT_EQ(r.Calls, calls);
  EXPECT_FALSE(port->IsOpen());
  uint8_t buffer[256];
  uint32_t size = 0;
  uint64_t time = 0;
  EXPECT_FALSE(port->ReadPacket(buffer, &size, &time));
  EXPECT_EQ(r.Terminations, 0);
  ASSERT_TRUE(link.Reset());  // the pty must not keep playing into the next test
}

TEST(CommPort, DeletingThePortInsideItsReceiveCallbackIsSafe) {
  CSerialLink link(23);
  ASSERT_TRUE(link.Reset());
  SReceived r;
  r.Port = MakePort(23).release();
  r.Port->SetOnReceive(DeleteOnReceive, &r);
  ASSERT_EQ(OpenPort(*r.Port), 0u);
  ASSERT_TRUE(link.Play(115200, kDataDir + "sample.nmea"));
  EXPECT_TRUE(PumpUntil([&] { return r.Port == nullptr; }));
  PumpFor(300);
  EXPECT_EQ(r.Calls, 1);
  ASSERT_TRUE(link.Reset());
}

TEST(CommPort, WithoutReceiveCallbackNothingAccumulates) {
  CSerialLink link(24);
  ASSERT_TRUE(link.Reset());
  TPort port = MakePort(24, 115200);
  ASSERT_EQ(OpenPort(*port), 0u);
  ASSERT_TRUE(link.Play(115200, kDataDir + "sample.nmea"));
  PumpFor(600);
  EXPECT_EQ(port->GetPacketCount(), 0u);
}

TEST(CommPort, OpenOnAnOpenPortChangesNothingAndSettingsWaitForTheNextOpen) {
  TPort port = MakePort(25);
  ASSERT_EQ(OpenPort(*port), 0u);
  port->SetPortNumber(40);  // no such port: a new open would fail
  EXPECT_EQ(OpenPort(*port), 0u);
  EXPECT_TRUE(port->IsOpen());
  port->Close();
  EXPECT_EQ(OpenPort(*port), kErrComNotFound);
  EXPECT_FALSE(port->IsOpen());
}

// ---- failures: real links and the system calls' seam ----

struct SOpenCase {
  const char* Name;
  uint32_t Port;
  uint8_t ByteSize;
  uint32_t Parity;
  uint32_t Code;
  const char* Text;
};

const SOpenCase kOpenCases[] = {
    {"no link", 40, 8, 0, kErrComNotFound, "The COM port was not found"},
    {"link to a missing path", 30, 8, 0, kErrComNotFound, "The COM port was not found"},
    {"link to a folder", 31, 8, 0, kErrComInUse, "The COM port is in use"},
    {"link to /dev/null", 32, 8, 0, kErrComGetState, "Cannot get the device control block"},
    {"link to a plain file", 33, 8, 0, kErrComGetState, "Cannot get the device control block"},
    {"nine data bits", 26, 9, 0, kErrComSetState, "Cannot set the device control block"},
    {"parity 5", 26, 8, 5, kErrComSetState, "Cannot set the device control block"},
};

TEST(CommPort, FailedOpensOfRealLinksGiveTheirCodeAndLeaveThePortClosed) {
  for (const SOpenCase& c : kOpenCases) {
    SCOPED_TRACE(c.Name);
    TPort port = MakePort(c.Port);
    port->SetByteSize(c.ByteSize);
    port->SetParity(c.Parity);
    const uint32_t error = OpenPort(*port);
    EXPECT_EQ(error, c.Code);
    EXPECT_STREQ(ErrorText(error), c.Text);
    EXPECT_FALSE(port->IsOpen());
  }
}

// Seam stand-ins: each records what it was given.
int g_Closes = 0;
DCB g_Written;
std::atomic<DWORD> g_Reads{0};

HANDLE WINAPI FailCreateOther(LPCSTR, DWORD, DWORD, LPSECURITY_ATTRIBUTES, DWORD, DWORD, HANDLE) {
  SetLastError(ERROR_INVALID_PARAMETER);
  return INVALID_HANDLE_VALUE;
}
BOOL WINAPI FailTimeouts(HANDLE, LPCOMMTIMEOUTS) { return FALSE; }
BOOL WINAPI CountClose(HANDLE handle) {
  ++g_Closes;
  return CloseHandle(handle);
}
BOOL WINAPI FailRead(HANDLE, LPVOID, DWORD, LPDWORD, LPOVERLAPPED) { return FALSE; }
BOOL WINAPI OneByteRead(HANDLE, LPVOID buffer, DWORD, LPDWORD count, LPOVERLAPPED) {
  static_cast<uint8_t*>(buffer)[0] = static_cast<uint8_t>(g_Reads++);
  *count = 1;
  return TRUE;
}
// A control block whose flow-control members are all set, so that changes show.
BOOL WINAPI MarkedState(HANDLE, LPDCB dcb) {
  std::memset(dcb, 0xFF, sizeof *dcb);
  dcb->DCBlength = sizeof *dcb;
  return TRUE;
}
BOOL WINAPI RecordState(HANDLE, LPDCB dcb) {
  g_Written = *dcb;
  return TRUE;
}

TEST_F(CommPortSeam, FailuresOnlyTheSeamCanCauseGiveTheirCodeAndCloseTheHandle) {
  g_CommPortApi.CreateFileA = FailCreateOther;
  TPort port = MakePort(26);
  uint32_t error = OpenPort(*port);
  EXPECT_EQ(error, kErrComOpen);
  EXPECT_STREQ(ErrorText(error), "Cannot open the COM port");
  g_CommPortApi = kCommPortSystemApi;
  g_CommPortApi.SetCommTimeouts = FailTimeouts;
  g_CommPortApi.CloseHandle = CountClose;
  g_Closes = 0;
  error = OpenPort(*port);
  EXPECT_EQ(error, kErrComTimeouts);
  EXPECT_STREQ(ErrorText(error), "Cannot set the timeout values");
  EXPECT_EQ(g_Closes, 1);
  EXPECT_FALSE(port->IsOpen());
}

TEST_F(CommPortSeam, AFailedReadEndsTheThreadAndReportsOnceWithAnEmptyText) {
  g_CommPortApi.ReadFile = FailRead;
  TPort port = MakePort(26);
  SReceived r;
  port->SetOnTerminate(RecordEnd, &r);
  ASSERT_EQ(OpenPort(*port), 0u);
  EXPECT_TRUE(PumpUntil([&] { return r.Terminations > 0; }));
  PumpFor(200);
  EXPECT_EQ(r.Terminations, 1);
  EXPECT_EQ(r.TerminateCode, kErrComRead);
  EXPECT_EQ(r.TerminateText, "");
  EXPECT_TRUE(port->IsOpen());  // until the host closes it
  port->Close();
  EXPECT_FALSE(port->IsOpen());
}

TEST_F(CommPortSeam, DeletingThePortInsideItsTerminateCallbackIsSafe) {
  g_CommPortApi.ReadFile = FailRead;
  SReceived r;
  r.Port = MakePort(26).release();
  r.Port->SetOnTerminate(DeleteOnEnd, &r);
  ASSERT_EQ(OpenPort(*r.Port), 0u);
  EXPECT_TRUE(PumpUntil([&] { return r.Port == nullptr; }));
  PumpFor(200);
  EXPECT_EQ(r.Terminations, 1);
}

TEST_F(CommPortSeam, AnOwnerThatDoesNotPumpHoldsAtMost1024Packets) {
  g_CommPortApi.ReadFile = OneByteRead;
  g_Reads = 0;
  SReceived r;
  TPort port = ReceivingPort(26, 4800, r, TakeAll);
  ASSERT_EQ(OpenPort(*port), 0u);
  for (int i = 0; i < 5000 && g_Reads < 3000; ++i) Sleep(1);  // no pumping meanwhile
  EXPECT_GE(g_Reads, 3000u);
  EXPECT_EQ(port->GetPacketCount(), 1024u);
  port->Close();
  PumpFor(100);
  EXPECT_EQ(r.Calls, 0);
}

TEST_F(CommPortSeam, ControlBlockCarriesTheSettingsAndTheHandshake) {
  g_CommPortApi.GetCommState = MarkedState;
  g_CommPortApi.SetCommState = RecordState;
  struct SCase {
    uint32_t Handshake;
    DWORD CtsFlow, OutX, InX, RtsControl;
  };
  const SCase cases[] = {
      {0, 0, 0, 0, RTS_CONTROL_DISABLE},
      {1, 1, 0, 0, RTS_CONTROL_HANDSHAKE},
      {2, 0, 1, 1, RTS_CONTROL_DISABLE},
      {3, 0, 1, 1, 3},  // as read: CTS cleared by the fixed part, the rest untouched
  };
  for (const SCase& c : cases) {
    SCOPED_TRACE(c.Handshake);
    TPort port = MakePort(26, 9600);
    port->SetHandshake(c.Handshake);
    port->SetParity(2);
    port->SetByteSize(7);
    port->SetStopBits(2);
    port->SetErrorChar('#');
    port->SetErrorCharEnabled(1);
    ASSERT_EQ(OpenPort(*port), 0u);
    port->Close();
    EXPECT_EQ(g_Written.BaudRate, 9600u);
    EXPECT_EQ(g_Written.fBinary, 1u);
    EXPECT_EQ(g_Written.fParity, 1u);
    EXPECT_EQ(g_Written.fOutxDsrFlow, 0u);
    EXPECT_EQ(g_Written.fDtrControl, static_cast<DWORD>(DTR_CONTROL_DISABLE));
    EXPECT_EQ(g_Written.fDsrSensitivity, 0u);
    EXPECT_EQ(g_Written.fTXContinueOnXoff, 0u);
    EXPECT_EQ(g_Written.fErrorChar, 1u);
    EXPECT_EQ(g_Written.fNull, 0u);
    EXPECT_EQ(g_Written.fAbortOnError, 0u);
    EXPECT_EQ(g_Written.XonLim, 1024);
    EXPECT_EQ(g_Written.XoffLim, 1024);
    EXPECT_EQ(g_Written.ByteSize, 7);
    EXPECT_EQ(g_Written.Parity, 2);
    EXPECT_EQ(g_Written.StopBits, 2);
    EXPECT_EQ(g_Written.XonChar, 17);
    EXPECT_EQ(g_Written.XoffChar, 19);
    EXPECT_EQ(g_Written.ErrorChar, '#');
    EXPECT_EQ(g_Written.EofChar, 0);
    EXPECT_EQ(g_Written.EvtChar, 0);
    EXPECT_EQ(g_Written.fOutxCtsFlow, c.CtsFlow);
    EXPECT_EQ(g_Written.fOutX, c.OutX);
    EXPECT_EQ(g_Written.fInX, c.InX);
    EXPECT_EQ(g_Written.fRtsControl, c.RtsControl);
    EXPECT_EQ(g_Written.fDummy2,
              0x1FFFFu);  // members the port does not set stay as read
  }
}

// ---- the free functions ----

std::vector<std::string> g_DebugLines;
void WINAPI RecordDebug(LPCSTR text) { g_DebugLines.push_back(text); }
BOOL WINAPI SettableMask(HANDLE, LPCOMMPROP properties) {
  properties->dwSettableBaud = 0x00066BFF;
  return TRUE;
}

TEST_F(CommPortSeam, ProbeReportsTheSettableRatesInOrderWithout134) {
  g_CommPortApi.OutputDebugStringA = RecordDebug;
  g_CommPortApi.GetCommProperties = SettableMask;
  g_DebugLines.clear();
  CArray<int32_t> rates;
  ProbeCommPortBaudRates(27, rates);
  const std::vector<int32_t> expected = {75,   110,  150,  300,   600,   1200,  1800,
                                         2400, 4800, 9600, 19200, 38400, 57600, 115200};
  ASSERT_EQ(rates.GetCount(), static_cast<int32_t>(expected.size()));
  for (size_t i = 0; i < expected.size(); ++i)
    EXPECT_EQ(*rates.ElementAt(static_cast<int32_t>(i)), expected[i]);
  EXPECT_EQ(g_DebugLines, (std::vector<std::string>{"\\\\.\\COM27 Start\n", "\\\\.\\COM27 End\n"}));
}

TEST_F(CommPortSeam, ProbeLogsWhatFailed) {
  g_CommPortApi.OutputDebugStringA = RecordDebug;
  struct SCase {
    uint32_t Port;
    const char* Line;
  };
  // Wine refuses the properties of a query-only handle.
  const SCase cases[] = {{27, "\\\\.\\COM27 Commproperties failed\n\n"},
                         {40, "\\\\.\\COM40 Not opened\n\n"}};
  for (const SCase& c : cases) {
    g_DebugLines.clear();
    CArray<int32_t> rates;
    rates.Add(1);
    ProbeCommPortBaudRates(c.Port, rates);
    EXPECT_EQ(rates.GetCount(), 0);
    ASSERT_EQ(g_DebugLines.size(), 3u);
    EXPECT_EQ(g_DebugLines[1], c.Line);
  }
}

TEST(CommPort, EnumCommPortsEmptiesTheArrayAndThrowsItsText) {
  CArray<int32_t> ports;
  ports.Add(3);
  try {
    EnumCommPorts(ports);
    FAIL();
  } catch (const char* text) {
    EXPECT_STREQ(text,
                 "EnumCommPorts: Only supported on CE due to "
                 "FindFirstFileEx which is not "
                 "supported on Windows 98.");
  }
  EXPECT_EQ(ports.GetCount(), 0);
}

}  // namespace
