#include "lib/gps/NMEADetectorPort.h"

#include "lib/foundation/exports/Guard.h"

namespace {

constexpr uint32_t kIgnoredFlags = kNMEAProprietary | kNMEAQuery | kNMEAChecksumError;

void FreePort(CCommPort* port) { td::Free(port); }
void FreeParser(CNMEAParser* parser) { td::Free(parser); }

}  // namespace

CNMEADetectorPort::CNMEADetectorPort(CNMEADetector& detector, CThread* thread, int32_t portNumber)
    : m_Detector(detector),
      m_PortNumber(portNumber),
      m_Port(new CCommPort(thread), FreePort),
      m_Parser(new CNMEAParser(SentenceHandler, this), FreeParser) {
  m_Port->SetPortNumber(static_cast<uint32_t>(portNumber));
  m_Port->SetOnReceive(ReceiveHandler, this);
}

const SNMEADetectorSetting* CNMEADetectorPort::GetResult() const {
  return m_Result >= 0 ? m_Settings[m_Result] : nullptr;
}

int64_t CNMEADetectorPort::Close() {
  if (!m_Open) return 0;
  m_Port->Close();
  m_Open = false;
  if (m_Counts.empty()) return 1;
  m_Done = true;
  m_Result = m_Current;
  return static_cast<int64_t>(m_Settings.size()) - m_Current;
}

int64_t CNMEADetectorPort::OpenNext() {
  int64_t failed = 0;
  while (!m_Done && !m_Open) {
    if (++m_Current >= static_cast<int32_t>(m_Settings.size())) {
      m_Done = true;
      break;
    }
    const SNMEADetectorSetting& s = *m_Settings[m_Current];
    m_Port->SetBaudRate(static_cast<uint32_t>(s.BaudRate));
    m_Port->SetByteSize(s.DataBits);
    m_Port->SetHandshake(static_cast<uint32_t>(s.Handshake));
    m_Port->SetParity(static_cast<uint32_t>(s.Parity));
    m_Port->SetStopBits(static_cast<uint32_t>(s.StopBits));
    uint32_t error = 0;
    m_Port->Open("NMEADetectorComm", &error);
    m_Open = error == 0;
    if (!m_Open) ++failed;
  }
  return failed;
}

void TD_STDCALL CNMEADetectorPort::ReceiveHandler(void* context) {
  CNMEADetectorPort* self = static_cast<CNMEADetectorPort*>(context);
  uint8_t buffer[CCommPacketList::kMaxPacketSize];
  uint32_t size = 0;
  uint64_t time = 0;
  if (self->m_Port->ReadPacket(buffer, &size, &time))
    self->m_Parser->Parse(buffer, static_cast<int32_t>(size), 0);
}

void TD_STDCALL CNMEADetectorPort::SentenceHandler(void* context, CNMEAParser*,
                                                   CNMEASentence* sentence) {
  CNMEADetectorPort* self = static_cast<CNMEADetectorPort*>(context);
  if (sentence->GetFlags() & kIgnoredFlags) return;
  const uint32_t talker = sentence->GetTalkerId(), id = sentence->GetSentenceId();
  // The parser calls it as it would a host's handler: a count that cannot be
  // stored for want of memory is lost, nothing leaves.
  if (self->m_Detector.Counts(talker, id)) td::GuardVoid([&] { ++self->m_Counts[{talker, id}]; });
}
