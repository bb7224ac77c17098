#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <thread>
#include <vector>

// Drives windows the way a user would, from outside their message loop.

// The first visible top-level window of the class owned by the process
// (0 = this process), or null after the time-out.
HWND WaitForWindow(const char* className, DWORD processId = 0,
                   int timeoutMs = 10000);
// The texts of a window's children of one class, in creation order.
std::vector<std::string> ChildTexts(HWND window, const char* childClass);
HWND FindChildByText(HWND window, const std::string& text);
void ClickButton(HWND window, const std::string& text);
std::string WindowText(HWND window);
// Processes this thread's messages for a while (timers, posted messages).
void PumpMessages(int milliseconds);
// Drops a quit message that a finished report left for this thread.
void DropQuitMessage();

// Answers the modal dialogs that an action shows, in order, on a thread of
// its own: for each, records its static texts and clicks the named button.
class DialogAnswerer {
 public:
  struct Answer {
    const char* className;
    std::string button;
  };
  DialogAnswerer(std::initializer_list<Answer> answers)
      : DialogAnswerer(std::vector<Answer>(answers)) {}
  explicit DialogAnswerer(std::vector<Answer> answers);
  DialogAnswerer(const DialogAnswerer&) = delete;
  ~DialogAnswerer();
  // Waits for the thread; the texts of every dialog answered, joined by "|".
  std::vector<std::string> Finish();

 private:
  std::vector<std::string> texts_;
  std::thread thread_;
};
