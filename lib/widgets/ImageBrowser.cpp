#include "lib/widgets/ImageBrowser.h"

#include <algorithm>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "lib/bitmap/Bmp32.h"
#include "lib/bitmap/ImageHeaders.h"
#include "lib/foundation/files/FileName.h"
#include "lib/foundation/streams/FileStream.h"
#include "lib/foundation/files/FileSystem.h"
#include "lib/foundation/display/FontDesc.h"
#include "lib/foundation/text/Language.h"
#include "lib/foundation/display/WaitCursor.h"
#include "lib/widgets/BitmapFile.h"
#include "lib/widgets/Button.h"
#include "lib/widgets/DefaultColors.h"
#include "lib/widgets/DrawHelpers.h"
#include "lib/widgets/ImageFolder.h"
#include "lib/widgets/Label.h"
#include "lib/widgets/ListView.h"
#include "lib/widgets/ScreenBuffer.h"

namespace {

const SLangText kTextImageBrowser = {{"Image browser", "Afbeelding browser"}};
const SLangText kTextNone = {{"None", "Geen"}};

constexpr int32_t kThumbCount = 5;
constexpr int32_t kThumbSize = 32;

// Shows the wait cursor while it lives.
class CWaitCursorScope {
 public:
  CWaitCursorScope() : saved_(SetCursor(static_cast<HCURSOR>(g_WaitCursor))) {}
  ~CWaitCursorScope() { SetCursor(saved_); }

 private:
  HCURSOR saved_;
};

// The start of a path that no ".." climbs above: "C:\", "\" or a
// drive-relative "C:"; "\\" for a network path, whose server and share names
// follow; empty for a relative path.
std::string_view PathRoot(std::string_view path) {
  if (path.substr(0, 2) == "\\\\") return path.substr(0, 2);
  if (path.size() >= 2 && path[1] == ':') return path.substr(0, path.substr(2, 1) == "\\" ? 3 : 2);
  return path.substr(0, path.substr(0, 1) == "\\" ? 1 : 0);
}

// The reduction factor that reads an image at no less than the thumbnail's
// size: 1 when the headers cannot be read (the loader then reports the fault).
uint32_t ThumbnailReduction(const CStr& path) {
  CFileStream stream;
  uint32_t error = 0;
  if (!stream.Open(path, kFileModeRead | kFileShareRead, error)) return 1;
  uint8_t palette[kPaletteBytes];
  SImageSource source;
  bool tga = ExtractFileExt(path).CompareNoCase(".tga") == 0;
  if (!ReadImageSource(stream, tga, true, palette, source, error)) return 1;
  int32_t larger = std::max(source.desc.width, source.desc.height);
  return uint32_t(std::max(1, larger / kThumbSize));
}

CImageBrowser* BrowserOf(CControl* owner) { return static_cast<CImageBrowser*>(owner); }

}  // namespace

CStr FoldDotFolders(const CStr& path) {
  std::string_view text(path.c_str(), size_t(path.GetLength()));
  std::string_view root = PathRoot(text);
  // Above a root that ends in a backslash there is nothing: ".." stays on it.
  bool absolute = !root.empty() && root.back() == '\\';
  size_t kept = root == "\\\\" ? 2 : 0;  // server and share
  std::vector<std::string_view> names;
  size_t start = root.size();
  while (start < text.size()) {
    size_t end = std::min(text.find('\\', start), text.size());
    std::string_view name = text.substr(start, end - start);
    start = end + 1;
    if (name.empty() || name == ".") continue;
    if (name != "..")
      names.push_back(name);
    else if (names.size() > kept && names.back() != "..")
      names.pop_back();
    else if (!absolute)
      names.push_back(name);
  }
  std::string folded(root);
  for (std::string_view name : names) (folded += name) += '\\';
  return CStr(folded.c_str());
}

bool IsImageName(const CStr& name) {
  CStr ext = ExtractFileExt(name);
  return ext.CompareNoCase(".bmp") == 0 || ext.CompareNoCase(".tga") == 0;
}

CImageBrowser::CImageBrowser(CStr& folder, CStr& fileName, CWindow* owner)
    : CForm(LangStr(kTextImageBrowser), fbCloseAndOK, owner),
      BigFont(new CFontDesc("Arial", 9, 1)),
      SmallFont(new CFontDesc("Arial", 8, 0)) {
  TopGap = 26;
  BottomGap = 54;
  FolderList = new CListView(this, lvmIcon, 18, 16, lsmNone, BigFont);
  FolderList->SetSorted(true);
  FolderList->OnItemClick = FolderClicked;
  SetPage(FolderList);
  LoadBitmapFile(FolderIcon, ImagePath("icon_folder.bmp"));
  UpButton = new CButton(this, CStr(), SmallFont);
  UpButton->LoadImage(ImagePath("btn_toolbar_folder_up.bmp"));
  UpButton->OnClick = UpClicked;
  NextImagesButton = new CButton(this, CStr(), SmallFont);
  NextImagesButton->LoadImage(ImagePath("btn_arrow_scrollbar_right.bmp"));
  NextImagesButton->OnClick = NextClicked;
  PrevImagesButton = new CButton(this, CStr(), SmallFont);
  PrevImagesButton->LoadImage(ImagePath("btn_arrow_scrollbar_left.bmp"));
  PrevImagesButton->OnClick = PrevClicked;
  for (int32_t k = 0; k < kThumbCount; ++k) {
    auto* thumb = new CButton(this, CStr(), SmallFont);
    thumb->Color = thumb->BorderColor = DefaultActiveColor;
    thumb->DownBorderColor = thumb->DownColor;
    thumb->OnClick = ThumbClicked;
    thumb->SetTransparent(true);
    Thumbs.Add(thumb);
  }
  SetTransparents(true, {NextImagesButton, PrevImagesButton});
  PathLabel = new CLabel(this, CStr(), BigFont);
  NameLabel = new CLabel(this, CStr(), BigFont);
  SetFolder(folder);
  if (ShowModal() != mrOK) return;
  if (Selected >= 0) fileName = Folder + Images.GetString(Selected);
  folder = Folder;
}

CImageBrowser::~CImageBrowser() {
  delete BigFont;
  delete SmallFont;
  delete FolderIcon;
}

void CImageBrowser::SetFolder(const CStr& path) {
  CWaitCursorScope wait;
  Folder = FoldDotFolders(path);
  First = 0;
  Selected = -1;
  FillList();
  UpdateInfo();
  UpdateThumbs();
}

void CImageBrowser::FillList() {
  FolderList->BeginUpdate();
  FolderList->Clear();
  Images.Clear();
  WIN32_FIND_DATAA entry;
  HANDLE search = FindFirstFileA((Folder + "*").c_str(), &entry);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      CStr name(entry.cFileName);
      if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        CListItem* item = FolderList->AddItem();
        item->SetText(name);
        item->SetIcon(FolderIcon);
      } else if (IsImageName(name)) {
        Images.Add(name);
      }
    } while (FindNextFileA(search, &entry));
    FindClose(search);
  }
  FolderList->EndUpdate();
}

void CImageBrowser::Layout(int32_t orientation) {
  CForm::Layout(orientation);
  int32_t y = GetClientTop() + 2;
  UpButton->SetBounds(2, y, 22, 22);
  // As wide as the page: in landscape the form's buttons stand beside it.
  PathLabel->SetBounds(26, y, FolderList->GetWidth() - 28, 22);
  int32_t b = FolderList->GetTop() + FolderList->GetHeight();
  NameLabel->SetBounds(2, b + BottomGap - 16, Width - 4, 16);
  PrevImagesButton->SetBounds(0, b + 1, 30, 36);
  NextImagesButton->SetBounds(Width - 30, b + 1, 30, 36);
  for (int32_t k = 0; k < kThumbCount; ++k)
    Thumbs[k]->SetBounds(32 + 34 * k, b + 3, kThumbSize, kThumbSize);
  UpdateInfo();
}

void CImageBrowser::Paint(CBmp* canvas, const RECT& clip) {
  CForm::Paint(canvas, clip);
  HDC dc = canvas->GetDC();
  HGDIOBJ oldPen = SelectObject(dc, GetStockObject(BLACK_PEN));
  DrawHLine(dc, 0, FolderList->GetTop() - 1, Width, 1);
  DrawHLine(dc, 0, FolderList->GetTop() + FolderList->GetHeight(), Width, 1);
  SelectObject(dc, oldPen);
}

void CImageBrowser::UpdateInfo() {
  UpButton->SetEnabled(Folder != "\\");
  CBmp32* screen = GetScreenBackBuffer();
  PathLabel->SetText(ShortenPath(screen, Folder, BigFont, PathLabel->GetWidth()));
  NameLabel->SetText(Selected >= 0 ? ShortenPath(screen, Images.GetString(Selected), BigFont,
                                                 NameLabel->GetWidth())
                                   : LangStr(kTextNone));
  int32_t remaining = Images.GetCount() - First;
  NextImagesButton->SetEnabled(remaining > kThumbCount);
  PrevImagesButton->SetEnabled(First > 0);
  for (int32_t k = 0; k < kThumbCount; ++k) Thumbs[k]->SetEnabled(k < remaining);
}

CBmp32* CImageBrowser::MakeThumbnail(const CStr& path) const {
  auto image = std::make_unique<CBmp32>(0, 0, false);
  uint32_t error = 1;
  image->LoadFromFile(&path, ThumbnailReduction(path), 1, nullptr, &error);
  if (error != 0 || image->Width() == 0 || image->Height() == 0) return nullptr;
  auto* thumb = new CBmp32(0, 0, false);
  thumb->AssignScaled(image.get(), std::min(kThumbSize, image->Width()),
                      std::min(kThumbSize, image->Height()));
  return thumb;
}

void CImageBrowser::UpdateThumbs() {
  for (int32_t k = 0; k < kThumbCount; ++k) {
    Thumbs[k]->SetImage(nullptr);
    Thumbs[k]->SetFrameWhenUp(false);
  }
  int32_t shown = std::min(kThumbCount, Images.GetCount() - First);
  for (int32_t k = 0; k < shown; ++k) {
    std::unique_ptr<CBmp32> thumb(MakeThumbnail(Folder + Images.GetString(First + k)));
    if (thumb) Thumbs[k]->SetImage(thumb.get());
    Thumbs[k]->SetFrameWhenUp(First + k == Selected);
  }
}

void CImageBrowser::PageImages(int32_t step) {
  First += step;
  UpdateInfo();
  UpdateThumbs();
}

void CImageBrowser::SelectThumb(int32_t slot) {
  if (Selected >= First && Selected < First + kThumbCount)
    Thumbs[Selected - First]->SetFrameWhenUp(false);
  Selected = First + slot;
  UpdateInfo();
  Thumbs[slot]->SetFrameWhenUp(true);
}

void CImageBrowser::FolderClicked(CControl* owner, CControl*, CListItem* item, bool) {
  CImageBrowser* browser = BrowserOf(owner);
  browser->SetFolder(browser->Folder + item->GetText());
}

void CImageBrowser::UpClicked(CControl* owner, CControl*, int32_t, int32_t) {
  CImageBrowser* browser = BrowserOf(owner);
  browser->SetFolder(browser->Folder + "..");
}

void CImageBrowser::NextClicked(CControl* owner, CControl*, int32_t, int32_t) {
  BrowserOf(owner)->PageImages(kThumbCount);
}

void CImageBrowser::PrevClicked(CControl* owner, CControl*, int32_t, int32_t) {
  BrowserOf(owner)->PageImages(-kThumbCount);
}

void CImageBrowser::ThumbClicked(CControl* owner, CControl* sender, int32_t, int32_t) {
  CImageBrowser* browser = BrowserOf(owner);
  int32_t slot = browser->Thumbs.IndexOf(static_cast<CButton*>(sender));
  if (slot >= 0) browser->SelectThumb(slot);
}
