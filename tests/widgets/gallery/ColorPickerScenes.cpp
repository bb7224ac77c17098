// Gallery scenes of the colour picker. The picker runs its own modal loop: a
// timer shows the page, paints it, copies its pixels and cancels it, and the
// scene's window then shows the copy in a panel.
#include <memory>

#include "lib/bitmap/Bmp32.h"
#include "lib/widgets/ColorPicker.h"
#include "lib/widgets/Page.h"
#include "lib/widgets/Panel.h"
#include "lib/widgets/ScreenBuffer.h"

namespace {

struct SCapture {
  int32_t page;
  std::unique_ptr<CBmp32> pixels;
};
SCapture* g_Capture = nullptr;

CColorPickerForm* ShownPicker() {
  HWND handle = FindWindowA("CWindows", "Color picker");
  if (!handle || !IsWindowVisible(handle)) return nullptr;
  return dynamic_cast<CColorPickerForm*>(
      reinterpret_cast<CWindow*>(GetWindowLongPtrA(handle, GWLP_USERDATA)));
}

// Copies the window's pixels opaque: text pixels carry alpha 0.
std::unique_ptr<CBmp32> CopyWindow(const CWindow& window) {
  auto copy = std::make_unique<CBmp32>(window.GetWidth(), window.GetHeight(), false);
  CBmp32* buffer = GetScreenBackBuffer();
  for (int32_t y = 0; y < copy->Height(); ++y)
    for (int32_t x = 0; x < copy->Width(); ++x) copy->Row(y)[x] = buffer->Row(y)[x] | 0xFF000000u;
  return copy;
}

void CALLBACK CaptureTick(HWND, UINT, UINT_PTR id, DWORD) {
  CColorPickerForm* form = ShownPicker();
  if (!form || !g_Capture) return;
  KillTimer(nullptr, id);
  form->GetPage()->SetCurrentPage(g_Capture->page);
  form->RepaintNow();
  g_Capture->pixels = CopyWindow(*form);
  form->ModalResult = mrCancel;
}

void PickerPageScene(CWindow& window, int32_t page, uint32_t colour) {
  SCapture capture{page, nullptr};
  g_Capture = &capture;
  UINT_PTR timer = SetTimer(nullptr, 0, 10, CaptureTick);
  { CColorPickerForm picker(&window, &colour); }
  KillTimer(nullptr, timer);
  g_Capture = nullptr;
  if (!capture.pixels) return;
  auto* panel = new CPanel(&window);
  panel->SetBitmap(capture.pixels.get());
  panel->SetBounds(0, 0, window.GetWidth(), window.GetHeight());
}

}  // namespace

void ColorPickerPresetsScene(CWindow& window, CFontDesc&) {
  PickerPageScene(window, 1, 0xFF3080C0);
}

void ColorPickerFieldScene(CWindow& window, CFontDesc&) { PickerPageScene(window, 2, 0xFF3080C0); }
