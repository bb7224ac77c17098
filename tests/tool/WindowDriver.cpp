#include "tests/tool/WindowDriver.h"

#include <set>

namespace {

struct Search {
  const char* className;
  DWORD processId;
  const std::set<HWND>* exclude;
  HWND found;
};

BOOL CALLBACK MatchTopLevel(HWND hwnd, LPARAM param) {
  auto* s = reinterpret_cast<Search*>(param);
  char name[256] = "";
  GetClassNameA(hwnd, name, sizeof name);
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  if (lstrcmpiA(name, s->className) != 0 || pid != s->processId ||
      !IsWindowVisible(hwnd) || (s->exclude && s->exclude->count(hwnd)))
    return TRUE;
  s->found = hwnd;
  return FALSE;
}

HWND WaitFor(const char* className, DWORD processId, int timeoutMs,
             const std::set<HWND>* exclude) {
  Search s{className, processId != 0 ? processId : GetCurrentProcessId(),
           exclude, nullptr};
  for (int waited = 0; waited <= timeoutMs; waited += 20) {
    EnumWindows(MatchTopLevel, reinterpret_cast<LPARAM>(&s));
    if (s.found != nullptr) return s.found;
    Sleep(20);
  }
  return nullptr;
}

}  // namespace

HWND WaitForWindow(const char* className, DWORD processId, int timeoutMs) {
  return WaitFor(className, processId, timeoutMs, nullptr);
}

std::string WindowText(HWND window) {
  char text[4096] = "";
  SendMessageTimeoutA(window, WM_GETTEXT, sizeof text,
                      reinterpret_cast<LPARAM>(text), SMTO_BLOCK, 5000, nullptr);
  return text;
}

std::vector<std::string> ChildTexts(HWND window, const char* childClass) {
  std::vector<std::string> texts;
  for (HWND child = GetWindow(window, GW_CHILD); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT)) {
    char name[64] = "";
    GetClassNameA(child, name, sizeof name);
    if (lstrcmpiA(name, childClass) == 0) texts.push_back(WindowText(child));
  }
  return texts;
}

HWND FindChildByText(HWND window, const std::string& text) {
  for (HWND child = GetWindow(window, GW_CHILD); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT))
    if (WindowText(child) == text) return child;
  return nullptr;
}

void ClickButton(HWND window, const std::string& text) {
  HWND button = FindChildByText(window, text);
  if (button != nullptr) PostMessageA(button, BM_CLICK, 0, 0);
}

void PumpMessages(int milliseconds) {
  DWORD end = GetTickCount() + milliseconds;
  while (static_cast<int>(end - GetTickCount()) > 0) {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    Sleep(10);
  }
}

void DropQuitMessage() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
  }
}

DialogAnswerer::DialogAnswerer(std::vector<Answer> answers)
    : thread_([this, answers] {
        std::set<HWND> seen;
        for (const Answer& answer : answers) {
          HWND dialog = WaitFor(answer.className, 0, 10000, &seen);
          if (dialog == nullptr) return;
          seen.insert(dialog);
          std::string joined;
          for (const std::string& t : ChildTexts(dialog, "STATIC"))
            joined += t + "|";
          for (const std::string& t : ChildTexts(dialog, "EDIT"))
            joined += t + "|";
          texts_.push_back(WindowText(dialog) + "|" + joined);
          ClickButton(dialog, answer.button);
        }
      }) {}

DialogAnswerer::~DialogAnswerer() {
  if (thread_.joinable()) thread_.join();
}

std::vector<std::string> DialogAnswerer::Finish() {
  if (thread_.joinable()) thread_.join();
  return texts_;
}
