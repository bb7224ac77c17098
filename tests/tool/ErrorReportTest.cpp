#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <thread>

#include "tests/tool/WindowDriver.h"
#include "tool/Application.h"
#include "tool/ErrorLog.h"
#include "tool/Exceptions.h"
#include "tool/Form.h"
#include "tool/FormRTLIError.h"
#include "tool/TdProgInfo.h"
#include "tool/TdLang.h"
#include "tool/TdMapiMail.h"
#include "tool/TdUtils.h"

namespace {

int g_throwLine = 0;
int g_faultLine = 0;

__attribute__((noinline)) void ThrowFromHandler() {
  g_throwLine = __LINE__ + 1;
  throw EConvertError("bad input");
}

__attribute__((noinline)) void FaultFromHandler(volatile int* target) {
  g_faultLine = __LINE__ + 1;
  *target = 42;
}

#if defined(__i386__)
// Faults on the instruction after a push, where the unwind tables describe a
// frame one word larger than at the instruction before.
extern "C" void FaultAfterPush(volatile int* target);
asm(".text\n"
    "_FaultAfterPush:\n"
    ".cfi_startproc\n"
    "  movl 4(%esp), %eax\n"
    "  pushl %ebx\n"
    ".cfi_adjust_cfa_offset 4\n"
    ".cfi_rel_offset %ebx, 0\n"
    "  movl $42, (%eax)\n"
    "  popl %ebx\n"
    ".cfi_adjust_cfa_offset -4\n"
    ".cfi_restore %ebx\n"
    "  ret\n"
    ".cfi_endproc\n");
#endif

// A window whose handlers fail as a programming error would.
class FailingForm : public TForm {
 public:
  enum { kThrow = 1, kFault = 2, kFaultAfterPush = 3 };
  FailingForm() {
    CreateForm("TFailingForm", "failing", 100, 100, WS_POPUP, 0, nullptr, nullptr);
  }
  void StartFailingTimer() { StartTimer(1, 10); }

 protected:
  void OnCommand(int id, int, HWND) override {
    if (id == kThrow) ThrowFromHandler();
    if (id == kFault) FaultFromHandler(target_);
#if defined(__i386__)
    if (id == kFaultAfterPush) FaultAfterPush(target_);
#endif
  }
  void OnTimer(UINT_PTR) override { ThrowFromHandler(); }

 private:
  volatile int* target_ = nullptr;
};

std::string TempPath(const std::string& name) {
  char folder[MAX_PATH];
  GetTempPathA(sizeof folder, folder);
  return std::string(folder) + name;
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

// The stack line that names the routine: its file and line columns.
bool FindStackLine(const std::string& report, const std::string& routine,
                   std::string& file, int& line) {
  for (const std::string& l : Lines(report)) {
    if (l.find(routine) == std::string::npos || l.size() < 9) continue;
    std::istringstream fields(l.substr(9));
    fields >> file >> line;
    return !fields.fail();
  }
  return false;
}

bool Contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

class ErrorReportTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetLanguage(langEnglish);
    log_ = TempPath("Portelle errorlog.txt");
    SetFileAttributesA(log_.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(log_.c_str());
    ProgInfo->SetErrorLogPath(log_);
    ProgInfo->SetReportAddress("support@tidemar.com");
  }
  void TearDown() override {
    DropQuitMessage();
    SetFileAttributesA(log_.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(log_.c_str());
  }
  // Makes the form fail and returns the texts of the dialogs answered.
  std::vector<std::string> Fail(int what, std::vector<DialogAnswerer::Answer> answers) {
    FailingForm form;
    DialogAnswerer answerer(std::move(answers));
    SendMessageA(form.Handle(), WM_COMMAND, what, 0);
    return answerer.Finish();
  }
  std::string log_;
};

}  // namespace

TEST_F(ErrorReportTest, ExceptionInAHandlerNamesTheThrowingRoutineAndLine) {
  auto texts = Fail(FailingForm::kThrow, {{"TFormRTLIError", "Close"}});
  ASSERT_EQ(texts.size(), 1u);
  const std::string& dialog = texts[0];
  EXPECT_TRUE(Contains(dialog, "Error|"));
  EXPECT_TRUE(Contains(dialog, "Exception:|EConvertError|"));
  EXPECT_TRUE(Contains(dialog, "Program:|Portelle v1.0.2.5|"));
  EXPECT_TRUE(Contains(dialog, "Message:|bad input|"));
  EXPECT_TRUE(Contains(dialog, "Exception   : EConvertError\r\n"));
  EXPECT_TRUE(Contains(dialog, "Message     : \"bad input\"\r\n"));
  EXPECT_TRUE(Contains(dialog, "Application : Portelle v1.0.2.5\r\n"));
  EXPECT_TRUE(Contains(dialog, "Stack trace:\r\n Logical "));
  EXPECT_TRUE(Contains(dialog, "RTLI generation timestamp: 20"));
  EXPECT_TRUE(Contains(dialog, "CPU Name    : " + ProgInfo->CPUName() + "\r\n"));
  EXPECT_TRUE(Contains(dialog, "CPU Info    : " + ProgInfo->CPUInfo() + "\r\n"));
  EXPECT_TRUE(Contains(dialog, "Memory      : "));
  EXPECT_TRUE(Contains(dialog, "OS          : " + ProgInfo->OS().Description + " (2."));
  std::string file;
  int line = 0;
  ASSERT_TRUE(FindStackLine(dialog, "ThrowFromHandler", file, line)) << dialog;
  EXPECT_EQ(file, "ErrorReportTest.cpp");
  EXPECT_EQ(line, g_throwLine);
  EXPECT_TRUE(Contains(dialog, "FailingForm::OnCommand")) << dialog;
  // The capture's own frames are left out.
  EXPECT_FALSE(Contains(dialog, "CaptureStack")) << dialog;
  EXPECT_FALSE(Contains(dialog, "__wrap___cxa_throw")) << dialog;
  // The report went in front of the log too.
  std::vector<std::string> log = Lines(ReadFile(log_));
  ASSERT_GT(log.size(), 10u);
  EXPECT_EQ(log[0], std::string(80, '*'));
  EXPECT_EQ(log[2], "File        : " + log_);
}

TEST_F(ErrorReportTest, AccessViolationIsReportedLikeAnException) {
  auto texts = Fail(FailingForm::kFault, {{"TFormRTLIError", "Close"}});
  ASSERT_EQ(texts.size(), 1u);
  const std::string& dialog = texts[0];
  EXPECT_TRUE(Contains(dialog, "Exception   : EAccessViolation\r\n")) << dialog;
  EXPECT_TRUE(Contains(dialog, "Access violation at address ")) << dialog;
  EXPECT_TRUE(Contains(dialog, "Write of address 00000000")) << dialog;
  std::string file;
  int line = 0;
  ASSERT_TRUE(FindStackLine(dialog, "FaultFromHandler", file, line)) << dialog;
  EXPECT_EQ(file, "ErrorReportTest.cpp");
  EXPECT_EQ(line, g_faultLine);
  EXPECT_TRUE(Contains(dialog, "FailingForm::OnCommand")) << dialog;
}

#if defined(__i386__)
TEST_F(ErrorReportTest, FaultAfterAPushNamesTheCaller) {
  auto texts = Fail(FailingForm::kFaultAfterPush, {{"TFormRTLIError", "Close"}});
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_TRUE(Contains(texts[0], "Exception   : EAccessViolation\r\n")) << texts[0];
  EXPECT_TRUE(Contains(texts[0], "FailingForm::OnCommand")) << texts[0];
}
#endif

TEST_F(ErrorReportTest, ReportDialogInDutch) {
  SetLanguage(langDutch);
  auto texts = Fail(FailingForm::kThrow, {{"TFormRTLIError", "Sluiten"}});
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_TRUE(Contains(texts[0], "Fout|Exceptie:|EConvertError|In:|")) << texts[0];
  EXPECT_TRUE(Contains(texts[0], "Programma:|Portelle v1.0.2.5|Bericht:|bad input|"));
}

BOOL CALLBACK CountReportWindow(HWND hwnd, LPARAM param) {
  char name[64] = "";
  GetClassNameA(hwnd, name, sizeof name);
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  if (pid == GetCurrentProcessId() && IsWindowVisible(hwnd) &&
      lstrcmpA(name, "TFormRTLIError") == 0)
    ++*reinterpret_cast<int*>(param);
  return TRUE;
}

int CountReportWindows() {
  int count = 0;
  EnumWindows(CountReportWindow, reinterpret_cast<LPARAM>(&count));
  return count;
}

// A timer that keeps failing gives one report: the timer stops while the
// report is up, and no second report is stacked on it.
TEST_F(ErrorReportTest, FailingTimerGivesOneReport) {
  FailingForm form;
  Application.SetMainForm(&form);
  form.StartFailingTimer();
  int shown = 0;
  std::thread user([&shown] {
    HWND dialog = WaitForWindow("TFormRTLIError");
    Sleep(300);  // thirty timer periods
    shown = CountReportWindows();
    if (dialog != nullptr) ClickButton(dialog, "Close");
  });
  PumpMessages(800);
  user.join();
  PumpMessages(100);
  Application.SetMainForm(nullptr);
  EXPECT_EQ(shown, 1);
  EXPECT_EQ(CountReportWindows(), 0);
}

TEST_F(ErrorReportTest, LogKeepsTheNewest5000Lines) {
  {
    std::ofstream out(log_, std::ios::binary);
    for (int i = 1; i <= 4990; ++i) out << "old " << i << "\r\n";
  }
  std::string block;
  for (int i = 1; i <= 20; ++i) block += "new " + std::to_string(i) + "\r\n";
  ASSERT_TRUE(PrependToErrorLog(log_, block));
  std::vector<std::string> log = Lines(ReadFile(log_));
  ASSERT_EQ(log.size(), 5000u);
  EXPECT_EQ(log[0], "new 1");
  EXPECT_EQ(log[19], "new 20");
  EXPECT_EQ(log[20], "old 1");
  EXPECT_EQ(log[4999], "old 4980");
}

// A log that cannot be replaced (here a folder in its place) stays as it
// is, leaves no temporary file and does not keep the dialog from showing.
TEST_F(ErrorReportTest, UnwritableLogStillLetsTheDialogShow) {
  ASSERT_TRUE(CreateDirectoryA(log_.c_str(), nullptr));
  EXPECT_FALSE(PrependToErrorLog(log_, "x\r\n"));
  auto texts = Fail(FailingForm::kThrow, {{"TFormRTLIError", "Close"}});
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_TRUE(Contains(texts[0], "Exception   : EConvertError"));
  EXPECT_EQ(GetFileAttributesA(log_.c_str()), static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY));
  EXPECT_EQ(GetFileAttributesA(TempPath("Portelle errorlog.tmp").c_str()),
            INVALID_FILE_ATTRIBUTES);
  RemoveDirectoryA(log_.c_str());
}

TEST_F(ErrorReportTest, WithoutAReportAddressOnlyCloseShows) {
  TFormRTLIError form({"C:\\Portelle.exe", "Portelle v1.0.2.5", "", "", "text", "m", "E"});
  EXPECT_EQ(FindChildByText(form.Handle(), "&Report error"), nullptr);
  HWND close = FindChildByText(form.Handle(), "Close");
  ASSERT_NE(close, nullptr);
  RECT r;
  GetWindowRect(close, &r);
  MapWindowPoints(nullptr, form.Handle(), reinterpret_cast<POINT*>(&r), 2);
  EXPECT_EQ(r.left, 250);
  TFormRTLIError both({"C:\\Portelle.exe", "P", "a@b.c", "", "text", "m", "E"});
  close = FindChildByText(both.Handle(), "Close");
  GetWindowRect(close, &r);
  MapWindowPoints(nullptr, both.Handle(), reinterpret_cast<POINT*>(&r), 2);
  EXPECT_EQ(r.left, 310);
  EXPECT_NE(FindChildByText(both.Handle(), "&Report error"), nullptr);
}

namespace {

class MailTest : public ErrorReportTest {
 protected:
  void SetUp() override {
    ErrorReportTest::SetUp();
    std::string exe = GetModuleFileNameStr(nullptr);
    saved_ = TMAPIMail::LibraryName;
    TMAPIMail::LibraryName = exe.substr(0, exe.find_last_of('\\') + 1) + "mapistandin.dll";
    record_ = TempPath("portelle-mail.txt");
    DeleteFileA(record_.c_str());
    SetEnvironmentVariableA("PORTELLE_MAPI_RECORD", record_.c_str());
  }
  void TearDown() override {
    TMAPIMail::LibraryName = saved_;
    DeleteFileA(record_.c_str());
    ErrorReportTest::TearDown();
  }
  std::string saved_, record_;
};

}  // namespace

TEST_F(MailTest, ReportButtonMailsTheLogToTheMaker) {
  SetEnvironmentVariableA("PORTELLE_MAPI_RESULT", "1");  // the user cancelled
  auto texts = Fail(FailingForm::kThrow, {{"TFormRTLIError", "&Report error"},
                                          {"TMessageForm", "&Yes"}});
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_TRUE(Contains(texts[1], "Report error|"));
  EXPECT_TRUE(Contains(texts[1], "Do you want to report the error to Tidemar Software?"));
  std::string record = ReadFile(record_);
  EXPECT_TRUE(Contains(record, "flags=11\n")) << record;
  EXPECT_TRUE(Contains(record, "subject=Error report: Portelle v1.0.2.5 - EConvertError\n"));
  EXPECT_TRUE(Contains(record, "recipient=1,support@tidemar.com,SMTP:support@tidemar.com\n"));
  EXPECT_TRUE(Contains(record, "file=-1," + log_ + ",Portelle errorlog.txt\n")) << record;
  EXPECT_TRUE(Contains(record, "body=Form\r\n\r\nPersonal information:"));
  // A cancelled mail shows no message: the report dialog was the last one.
  EXPECT_EQ(WaitForWindow("TMessageForm", 0, 300), nullptr);
}

TEST_F(MailTest, MailFailureIsShown) {
  SetEnvironmentVariableA("PORTELLE_MAPI_RESULT", "2");
  auto texts = Fail(FailingForm::kThrow, {{"TFormRTLIError", "&Report error"},
                                          {"TMessageForm", "&Yes"},
                                          {"TMessageForm", "OK"}});
  ASSERT_EQ(texts.size(), 3u);
  EXPECT_TRUE(Contains(texts[2], "General MAPI failure"));
}
