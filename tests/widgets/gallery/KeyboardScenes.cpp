// Gallery scenes of the on-screen keyboards. Each keyboard runs its own modal
// loop; a timer paints it, copies its pixels and cancels it, and the scene's
// window then shows the copy.
#include "tests/widgets/gallery/KeyboardScenes.h"

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <memory>

#include "lib/bitmap/Bmp32.h"
#include "lib/widgets/Button.h"
#include "lib/widgets/Edit.h"
#include "lib/widgets/GeoKeyboardWindow.h"
#include "lib/widgets/ScreenBuffer.h"
#include "lib/widgets/StdKeyboardWindow.h"

namespace {

// Shows a copy of a painted window, pixel for pixel.
class CPicture : public CControl {
 public:
  CPicture(CControl* parent, std::unique_ptr<CBmp32> pixels)
      : CControl(parent), pixels_(std::move(pixels)) {
    SetBounds(0, 0, pixels_->Width(), pixels_->Height());
  }

  void Paint(CBmp* canvas, const RECT& clip) override {
    auto* target = dynamic_cast<CBmp32*>(canvas);
    if (!target) return;
    POINT origin = GetWindowOrigin();
    for (int32_t y = std::max<int32_t>(clip.top, 0); y < clip.bottom && y < Height; ++y) {
      int32_t left = std::max<int32_t>(clip.left, 0), right = std::min<int32_t>(clip.right, Width);
      if (right > left)
        std::memcpy(target->Row(origin.y + y) + origin.x + left, pixels_->Row(y) + left,
                    size_t(right - left) * 4);
    }
  }

 private:
  std::unique_ptr<CBmp32> pixels_;
};

using TPrepare = std::function<void(CKeyboardWindow&)>;

struct SCapture {
  TPrepare prepare;
  std::unique_ptr<CBmp32> pixels;
};
SCapture* g_Capture = nullptr;

BOOL CALLBACK FindShownKeyboard(HWND handle, LPARAM context) {
  char name[16] = {};
  GetClassNameA(handle, name, sizeof name);
  if (lstrcmpA(name, "CWindows") != 0 || !IsWindowVisible(handle)) return TRUE;
  auto* window = reinterpret_cast<CWindow*>(GetWindowLongPtrA(handle, GWLP_USERDATA));
  auto* keyboard = dynamic_cast<CKeyboardWindow*>(window);
  if (!keyboard) return TRUE;
  *reinterpret_cast<CKeyboardWindow**>(context) = keyboard;
  return FALSE;
}

void CALLBACK CaptureTick(HWND, UINT, UINT_PTR, DWORD) {
  CKeyboardWindow* keyboard = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), FindShownKeyboard, reinterpret_cast<LPARAM>(&keyboard));
  if (!keyboard || !g_Capture || g_Capture->pixels) return;
  g_Capture->prepare(*keyboard);
  keyboard->RepaintNow();
  CBmp32* buffer = GetScreenBackBuffer();
  auto pixels = std::make_unique<CBmp32>(keyboard->GetWidth(), keyboard->GetHeight(), false);
  for (int32_t y = 0; y < keyboard->GetHeight(); ++y)
    std::memcpy(pixels->Row(y), buffer->Row(y), size_t(keyboard->GetWidth()) * 4);
  g_Capture->pixels = std::move(pixels);
  keyboard->ModalResult = mrCancel;
}

// Runs the keyboard that run() builds, prepared by prepare once it shows, and
// puts a copy of it into the scene's window.
void Capture(CWindow& window, const std::function<void()>& run, const TPrepare& prepare) {
  SCapture capture{prepare, nullptr};
  g_Capture = &capture;
  UINT_PTR timer = SetTimer(nullptr, 0, 20, CaptureTick);
  run();
  KillTimer(nullptr, timer);
  g_Capture = nullptr;
  if (capture.pixels) new CPicture(&window, std::move(capture.pixels));
}

void TextKeyboard(CWindow& window, uint8_t shiftState) {
  Capture(
      window, [] { InputString("Harbour", "Name", nullptr); },
      [shiftState](CKeyboardWindow& keyboard) {
        keyboard.SetShiftState(shiftState);
        keyboard.ShiftKey->Color = shiftState & kShiftOn ? 0xB7FDC8 : 0xEBEBEB;
        keyboard.CapsKey->Color = shiftState & kCapsLockOn ? 0xB7FDC8 : 0xEBEBEB;
        if (CEdit* edit = keyboard.Target) edit->SetSelection(2, 5);
      });
}

void PositionKeyboard(CWindow& window, int32_t format) {
  Capture(
      window,
      [format] {
        double latitude = 0.9163, longitude = -0.0742;
        int32_t notation = format;
        InputPosition(latitude, longitude, notation, "Position", nullptr);
      },
      [](CKeyboardWindow&) {});
}

}  // namespace

void KeyboardScene(CWindow& window, CFontDesc&) { TextKeyboard(window, 0); }
void KeyboardShiftedScene(CWindow& window, CFontDesc&) { TextKeyboard(window, kShiftOn); }
void KeyboardCapsScene(CWindow& window, CFontDesc&) { TextKeyboard(window, kCapsLockOn); }

void KeypadScene(CWindow& window, CFontDesc&) {
  Capture(
      window, [] { InputInteger(1234, "Number", nullptr); }, [](CKeyboardWindow&) {});
}

void PositionDegreesScene(CWindow& window, CFontDesc&) { PositionKeyboard(window, 0); }
void PositionMinutesScene(CWindow& window, CFontDesc&) { PositionKeyboard(window, 1); }
void PositionSecondsScene(CWindow& window, CFontDesc&) { PositionKeyboard(window, 2); }
