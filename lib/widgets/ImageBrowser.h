// The image browser: a modal form for choosing a .bmp or .tga file. The
// sub-folders of the current folder fill the page, a button goes up one
// folder, and a row of five thumbnails under the list pages through the
// folder's images. Toolkit thread only.
#pragma once

#include "lib/foundation/containers/List.h"
#include "lib/foundation/text/Str.h"
#include "lib/foundation/text/StrList.h"
#include "lib/widgets/Form.h"

class CBmp32;
class CButton;
class CFontDesc;
class CLabel;
class CListItem;
class CListView;

class CImageBrowser : public CForm {
 public:
  // Runs the whole dialogue from folder. On OK, folder becomes the folder
  // shown last and fileName that folder plus the chosen image's name (left
  // as it was when no image was chosen); on Cancel both stay. The owner, when
  // not null, is disabled meanwhile and must outlive the dialogue.
  CImageBrowser(CStr& folder, CStr& fileName, CWindow* owner);
  ~CImageBrowser() override;

  void Paint(CBmp* canvas, const RECT& clip) override;
  void Layout(int32_t orientation) override;

  // Shows another folder, with "." and ".." folded away (FoldDotFolders).
  void SetFolder(const CStr& path);
  const CStr& GetFolder() const { return Folder; }
  int32_t GetFirst() const { return First; }
  int32_t GetSelected() const { return Selected; }
  const CStrList& GetImages() const { return Images; }
  CListView* GetFolderList() const { return FolderList; }
  CButton* GetThumb(int32_t slot) const { return Thumbs[slot]; }

  CStr Folder;
  CStrList Images;
  int32_t First = 0;
  int32_t Selected = -1;
  CListView* FolderList = nullptr;
  CBmp32* FolderIcon = nullptr;
  CButton* UpButton = nullptr;
  CButton* NextImagesButton = nullptr;
  CButton* PrevImagesButton = nullptr;
  CList<CButton> Thumbs;
  CLabel* PathLabel = nullptr;
  CLabel* NameLabel = nullptr;
  CFontDesc* BigFont = nullptr;
  CFontDesc* SmallFont = nullptr;

 private:
  void FillList();
  void UpdateInfo();
  void UpdateThumbs();
  void PageImages(int32_t step);
  void SelectThumb(int32_t slot);
  // The thumbnail of one image, or null when the file cannot be read.
  CBmp32* MakeThumbnail(const CStr& path) const;

  static void FolderClicked(CControl* owner, CControl* sender, CListItem* item, bool onMark);
  static void UpClicked(CControl* owner, CControl* sender, int32_t x, int32_t y);
  static void NextClicked(CControl* owner, CControl* sender, int32_t x, int32_t y);
  static void PrevClicked(CControl* owner, CControl* sender, int32_t x, int32_t y);
  static void ThumbClicked(CControl* owner, CControl* sender, int32_t x, int32_t y);
};

// The folder a path names, every "." and ".." folded away and ending with a
// backslash: "C:\a\b\.." gives "C:\a\", "C:\.." stays "C:\", "..\.." gives
// "..\..\". A relative path that folds to nothing gives "" (the current
// folder, as FindFirstFileA reads "*").
CStr FoldDotFolders(const CStr& path);
// Whether the name's extension (from the last dot after the last backslash or
// colon) is ".bmp" or ".tga" in any case.
bool IsImageName(const CStr& name);
