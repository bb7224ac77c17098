#include "tests/widgets/gallery/ListScenes.h"

#include <windows.h>

#include <memory>
#include <string>

#include "lib/bitmap/Bmp32.h"
#include "lib/foundation/display/FontDesc.h"
#include "lib/widgets/Button.h"
#include "lib/widgets/ImageBrowser.h"
#include "lib/widgets/ImageFolder.h"
#include "lib/widgets/ListView.h"
#include "lib/widgets/ScreenBuffer.h"
#include "lib/widgets/ScrollBar.h"
#include "lib/widgets/Window.h"

namespace {

std::string ScratchFolder(const char* name) {
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  std::string folder = std::string(temp) + name + "\\";
  CreateDirectoryA(folder.c_str(), nullptr);
  return folder;
}

void SaveBitmap(CBmp32& bitmap, const std::string& path) {
  CStr name(path.c_str());
  bitmap.SaveBmp(&name, nullptr);
}

void FillBox(CBmp32& bitmap, int32_t left, int32_t top, int32_t right, int32_t bottom,
             uint32_t argb) {
  for (int32_t y = top; y < bottom; ++y)
    for (int32_t x = left; x < right; ++x) bitmap.Row(y)[x] = argb;
}

// A 13 x 13 box with a dark frame; kind 0 a tick, 1 empty, 2 a grey block,
// 3 a blue dot (visible).
std::unique_ptr<CBmp32> MarkBitmap(int32_t kind) {
  auto bmp = std::make_unique<CBmp32>(13, 13, false);
  bmp->Fill(0xFF404040);
  FillBox(*bmp, 1, 1, 12, 12, 0xFFFFFFFF);
  if (kind == 0)
    for (int32_t i = 0; i < 7; ++i) {
      int32_t x = 3 + i, y = i < 3 ? 6 + i : 8 - (i - 2);
      FillBox(*bmp, x, y, x + 1, y + 2, 0xFF008000);
    }
  if (kind == 2) FillBox(*bmp, 4, 4, 9, 9, 0xFF808080);
  if (kind == 3) FillBox(*bmp, 4, 4, 9, 9, 0xFF2040C0);
  return bmp;
}

// A square of one colour with a white diagonal.
std::unique_ptr<CBmp32> Swatch(int32_t w, int32_t h, uint32_t argb) {
  auto bmp = std::make_unique<CBmp32>(w, h, false);
  bmp->Fill(argb);
  for (int32_t i = 0; i < w && i < h; ++i) bmp->Row(i)[i] = 0xFFFFFFFF;
  return bmp;
}

// The toolkit's bitmaps that these scenes use, drawn here.
void UseSceneImageFolder() {
  std::string folder = ScratchFolder("tdlib_gallery_gui");
  SaveBitmap(*MarkBitmap(0), folder + "btn_check_checked.bmp");
  SaveBitmap(*MarkBitmap(1), folder + "btn_check_unchecked.bmp");
  SaveBitmap(*MarkBitmap(2), folder + "btn_check_mixed.bmp");
  SaveBitmap(*MarkBitmap(3), folder + "btn_check_visible.bmp");
  auto icon = Swatch(16, 14, 0xFFE0B040);
  FillBox(*icon, 0, 0, 7, 3, 0xFFC09020);
  SaveBitmap(*icon, folder + "icon_folder.bmp");
  auto up = Swatch(16, 16, 0xFFE0B040);
  FillBox(*up, 7, 3, 9, 13, 0xFF000000);
  FillBox(*up, 4, 5, 12, 7, 0xFF000000);
  SaveBitmap(*up, folder + "btn_toolbar_folder_up.bmp");
  auto left = std::make_unique<CBmp32>(10, 16, false);
  left->Fill(0x00000000);
  auto right = std::make_unique<CBmp32>(10, 16, false);
  right->Fill(0x00000000);
  for (int32_t y = 0; y < 16; ++y) {
    int32_t w = 8 - (y < 8 ? 7 - y : y - 8);
    FillBox(*left, 9 - w, y, 9, y + 1, 0xFF404040);
    FillBox(*right, 1, y, 1 + w, y + 1, 0xFF404040);
  }
  SaveBitmap(*left, folder + "btn_arrow_scrollbar_left.bmp");
  SaveBitmap(*right, folder + "btn_arrow_scrollbar_right.bmp");
  SetImageFolder(CStr(folder.c_str()));
}

const char* const kTexts[] = {"Anchorage",       "Breakwater", "Channel marker", "Dolphin",
                              "Estuary",         "Fairway",    "Groyne",         "Harbour entrance",
                              "Isolated danger", "Jetty",      "Kelp bed",       "Lighthouse"};

CListView* SceneList(CWindow& window, CFontDesc& font, int32_t viewMode, int32_t selectMode) {
  UseSceneImageFolder();
  auto* list = new CListView(&window, viewMode, 24, 16, selectMode, &font);
  list->BeginUpdate();
  for (const char* text : kTexts) list->AddItem()->SetText(text);
  list->EndUpdate();
  list->SetBounds(0, 18, window.GetWidth(), window.GetHeight() - 18);
  return list;
}

void MarkSomeRows(CListView& list) {
  list.GetItem(0)->SetState(0);
  list.GetItem(2)->SetState(2);
  list.GetItem(3)->SetState(0);
  list.GetItem(4)->SetItemEnabled(false);
  list.GetItem(5)->SetSelected(true);
  list.SetFocusedItem(list.GetItem(6));
}

// Shows a picture taken of another window.
class CPicture : public CControl {
 public:
  CPicture(CControl* parent, std::unique_ptr<CBmp32> picture)
      : CControl(parent), picture_(std::move(picture)) {}
  void Paint(CBmp* canvas, const RECT&) override {
    picture_->DrawToDC(canvas->GetDC(), 0, 0, Width, Height, 0, 0, picture_->Width(),
                       picture_->Height());
  }

 private:
  std::unique_ptr<CBmp32> picture_;
};

std::unique_ptr<CBmp32> g_BrowserPicture;

void CALLBACK TakeBrowserPicture(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  HWND handle = FindWindowA("CWindows", "Image browser");
  auto* browser = reinterpret_cast<CWindow*>(GetWindowLongPtrA(handle, GWLP_USERDATA));
  if (!browser) return;
  // The second page of thumbnails with its second image chosen.
  auto* images = dynamic_cast<CImageBrowser*>(browser);
  images->NextImagesButton->Click(1, 1);
  images->GetThumb(1)->Click(1, 1);
  browser->RepaintNow();
  int32_t w = browser->GetWidth(), h = browser->GetHeight();
  g_BrowserPicture = std::make_unique<CBmp32>(w, h, false);
  CBmp32* buffer = GetScreenBackBuffer();
  for (int32_t y = 0; y < h; ++y)
    for (int32_t x = 0; x < w; ++x) g_BrowserPicture->Row(y)[x] = buffer->Row(y)[x] | 0xFF000000;
  browser->ModalResult = mrCancel;
}

}  // namespace

void ListTextScene(CWindow& window, CFontDesc& font) {
  CListView* list = SceneList(window, font, lvmText, lsmRange);
  list->GetItem(1)->SetText("Breakwater with a very long name that needs the scroll bar");
  MarkSomeRows(*list);
  list->GetItem(7)->SetSelected(true);
  list->GetScrollBar()->SetPosition(40);
}

void ListCheckScene(CWindow& window, CFontDesc& font) {
  MarkSomeRows(*SceneList(window, font, lvmCheck, lsmTouch));
}

void ListVisibleScene(CWindow& window, CFontDesc& font) {
  MarkSomeRows(*SceneList(window, font, lvmVisible, lsmNone));
}

void ListIconScene(CWindow& window, CFontDesc& font) {
  CListView* list = SceneList(window, font, lvmIcon, lsmTouch);
  static std::unique_ptr<CBmp32> icons[] = {Swatch(16, 16, 0xFFC03030), Swatch(32, 20, 0xFF30A030),
                                            Swatch(8, 8, 0xFF3030C0), Swatch(12, 30, 0xFFC0A030)};
  for (int32_t i = 0; i < list->GetCount(); ++i) list->GetItem(i)->SetIcon(icons[i % 4].get());
  MarkSomeRows(*list);
}

void ImageBrowserScene(CWindow& window, CFontDesc&) {
  UseSceneImageFolder();
  std::string folder = ScratchFolder("tdlib_gallery_images");
  for (const char* sub : {"Charts", "Icons", "Photos"})
    CreateDirectoryA((folder + sub).c_str(), nullptr);
  const uint32_t colours[] = {0xFFC03030, 0xFF30A030, 0xFF3030C0, 0xFFC0A030,
                              0xFF30C0C0, 0xFFA030A0, 0xFF808080};
  for (int32_t i = 0; i < 7; ++i)
    SaveBitmap(*Swatch(24 + 12 * i, 48 - 4 * i, colours[i]),
               folder + "image" + std::to_string(i + 1) + ".bmp");
  CStr path(folder.c_str()), file;
  SetTimer(nullptr, 0, 50, TakeBrowserPicture);
  { CImageBrowser browser(path, file, nullptr); }
  if (g_BrowserPicture) {
    auto* picture = new CPicture(&window, std::move(g_BrowserPicture));
    picture->SetBounds(0, 0, window.GetWidth(), window.GetHeight());
  }
}
