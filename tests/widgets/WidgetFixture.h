// What every widget test shares: a screen record of a chosen size, the input
// state reset, a folder of .bmp files, posted input at a control's place,
// back-buffer pixels as RGB and scripted messages during modal loops.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "lib/bitmap/Bmp32.h"
#include "lib/foundation/display/ScreenInfo.h"
#include "lib/widgets/Control.h"
#include "lib/widgets/ImageFolder.h"
#include "lib/widgets/InputState.h"
#include "lib/widgets/ScreenBuffer.h"
#include "lib/widgets/Window.h"

// 0x00RRGGBB of a back-buffer pixel for a COLORREF 0x00BBGGRR.
inline uint32_t RgbOf(uint32_t colorref) {
  return (colorref & 0xFF) << 16 | (colorref & 0xFF00) | (colorref >> 16 & 0xFF);
}

class WidgetTest : public ::testing::Test {
 protected:
  explicit WidgetTest(int32_t width = 240, int32_t height = 320) : screen_(width, height, 96) {}

  void SetUp() override {
    saved_ = g_ScreenInfo;
    g_ScreenInfo = &screen_;
    ResetInputState();
    GetScreenBackBuffer()->Fill(0xFF000000);
  }

  void TearDown() override {
    ResetInputState();
    SetImageFolder(CStr());
    g_ScreenInfo = saved_;
  }

  static void Pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
  }

  // Posts a mouse message at a point local to the control and pumps.
  static void Mouse(CControl& control, UINT message, int32_t x, int32_t y, bool pump = true) {
    POINT origin = control.GetWindowOrigin();
    PostMessageA(control.GetHandle(), message, message == WM_LBUTTONUP ? 0 : MK_LBUTTON,
                 MAKELPARAM(origin.x + x, origin.y + y));
    if (pump) Pump();
  }

  static void Tap(CControl& control, int32_t x, int32_t y) {
    Mouse(control, WM_LBUTTONDOWN, x, y);
    Mouse(control, WM_LBUTTONUP, x, y);
  }

  static uint32_t Pixel(int32_t x, int32_t y) {
    return GetScreenBackBuffer()->Row(y)[x] & 0xFFFFFF;
  }

  // The smallest rectangle of pixels in r that differ from background.
  static RECT InkBox(const RECT& r, uint32_t background) {
    RECT box = {INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN};
    for (int32_t y = r.top; y < r.bottom; ++y)
      for (int32_t x = r.left; x < r.right; ++x)
        if (Pixel(x, y) != background) {
          box.left = std::min<LONG>(box.left, x);
          box.top = std::min<LONG>(box.top, y);
          box.right = std::max<LONG>(box.right, x + 1);
          box.bottom = std::max<LONG>(box.bottom, y + 1);
        }
    return box;
  }

  // A 32-bit top-down .bmp: the 54-byte header, then the pixels.
  static void WriteBmp(const std::string& path, int32_t width, int32_t height, uint32_t argb) {
    std::vector<uint8_t> file(54 + size_t(width) * height * 4);
    auto put32 = [&](size_t at, uint32_t v) {
      for (int i = 0; i < 4; ++i) file[at + i] = uint8_t(v >> (8 * i));
    };
    file[0] = 'B';
    file[1] = 'M';
    put32(2, uint32_t(file.size()));
    put32(10, 54);
    put32(14, 40);
    put32(18, uint32_t(width));
    put32(22, uint32_t(-height));
    file[26] = 1;
    file[28] = 32;
    for (size_t i = 54; i < file.size(); i += 4) put32(i, argb);
    HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(h, file.data(), DWORD(file.size()), &written, nullptr);
    CloseHandle(h);
  }

  CScreenInfo screen_;
  CScreenInfo* saved_ = nullptr;
};

// Plays messages from a thread timer while a modal loop runs: each tick runs
// the next step. A step that finds the screen not yet as it needs calls
// Again() and runs once more at the next tick.
class CMessageScript {
 public:
  explicit CMessageScript(std::vector<std::function<void()>> steps) : steps_(std::move(steps)) {
    current_ = this;
    timer_ = SetTimer(nullptr, 0, 10, Tick);
  }
  ~CMessageScript() {
    KillTimer(nullptr, timer_);
    current_ = nullptr;
  }
  static void Again() {
    if (current_ && current_->again_) *current_->again_ = true;
  }

 private:
  // A step that pumps messages (or runs a modal loop) meets the next ticks
  // inside it: Again() belongs to the innermost step that is running.
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    if (!current_ || current_->next_ >= current_->steps_.size()) return;
    CMessageScript* script = current_;
    size_t step = script->next_++;
    bool again = false;
    bool* outer = script->again_;
    script->again_ = &again;
    script->steps_[step]();
    if (current_ != script) return;
    script->again_ = outer;
    if (again) script->next_ = step;
  }
  static inline CMessageScript* current_ = nullptr;
  std::vector<std::function<void()>> steps_;
  size_t next_ = 0;
  bool* again_ = nullptr;
  UINT_PTR timer_;
};

// Counts the events a control raises through its handlers.
struct SEventLog {
  static inline std::vector<std::string> events;
  static void Down(CControl*, CControl*, int32_t x, int32_t y) { Add("down", x, y); }
  static void Up(CControl*, CControl*, int32_t x, int32_t y) { Add("up", x, y); }
  static void Click(CControl*, CControl*, int32_t x, int32_t y) { Add("click", x, y); }
  static void Dbl(CControl*, CControl*, int32_t x, int32_t y) { Add("dbl", x, y); }
  static void Move(CControl*, CControl*, int32_t x, int32_t y) { Add("move", x, y); }
  static void KeyDown(CControl*, CControl*, uint16_t k) { Add("keydown", k, 0); }
  static void KeyPress(CControl*, CControl*, uint16_t k) { Add("keypress", k, 0); }
  static void KeyUp(CControl*, CControl*, uint16_t k) { Add("keyup", k, 0); }
  static void Add(const char* what, int32_t a, int32_t b) {
    events.push_back(std::string(what) + " " + std::to_string(a) + "," + std::to_string(b));
  }
  static void Attach(CControl& c) {
    c.OnMouseDown = Down;
    c.OnMouseUp = Up;
    c.OnClick = Click;
    c.OnDblClick = Dbl;
    c.OnKeyDown = KeyDown;
    c.OnKeyPress = KeyPress;
    c.OnKeyUp = KeyUp;
  }
};
