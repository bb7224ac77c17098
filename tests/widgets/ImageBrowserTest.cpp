// The image browser driven by a timer script over a folder tree made here:
// paging the thumbnails, a thumbnail's pixels, selection, folder navigation,
// OK and Cancel.
#include <functional>
#include <string>
#include <vector>

#include "lib/widgets/Button.h"
#include "lib/widgets/ImageBrowser.h"
#include "lib/widgets/Label.h"
#include "lib/widgets/ListView.h"
#include "tests/widgets/WidgetFixture.h"

namespace {

// A 32-bit uncompressed TGA, rows from the top.
void WriteTga(const std::string& path, int32_t width, int32_t height, uint32_t argb) {
  std::vector<uint8_t> file(18 + size_t(width) * height * 4);
  file[2] = 2;
  file[12] = uint8_t(width);
  file[13] = uint8_t(width >> 8);
  file[14] = uint8_t(height);
  file[15] = uint8_t(height >> 8);
  file[16] = 32;
  file[17] = 0x28;
  for (size_t i = 18; i < file.size(); i += 4)
    for (int b = 0; b < 4; ++b) file[i + b] = uint8_t(argb >> (8 * b));
  HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD written = 0;
  WriteFile(h, file.data(), DWORD(file.size()), &written, nullptr);
  CloseHandle(h);
}

// Image i: a square of 64 pixels in its own opaque colour.
uint32_t ImageColour(int32_t i) {
  return 0xFF000000u | uint32_t(i * 20) << 16 | 0x40u << 8 | 0x80u;
}

std::string ImageName(int32_t i) {
  const char* extensions[] = {".bmp", ".BMP", ".Tga"};
  return "img" + std::to_string(10 + i) + extensions[i % 3];
}

bool Near(uint32_t rgb, uint32_t argb) {
  for (int shift : {0, 8, 16}) {
    int a = int(rgb >> shift & 0xFF), b = int(argb >> shift & 0xFF);
    if (a - b > 1 || b - a > 1) return false;
  }
  return true;
}

class ImageBrowserTest : public WidgetTest {
 protected:
  explicit ImageBrowserTest(int32_t width = 240, int32_t height = 320)
      : WidgetTest(width, height) {}

  void SetUp() override {
    WidgetTest::SetUp();
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    root_ = std::string(temp) + "tdlib_browser_" + std::to_string(GetCurrentProcessId()) + "\\";
    CreateDirectoryA(root_.c_str(), nullptr);
    for (int32_t i = 0; i < 12; ++i) {
      std::string path = root_ + ImageName(i);
      if (i % 3 == 2)
        WriteTga(path, 64, 64, ImageColour(i));
      else
        WriteBmp(path, 64, 64, ImageColour(i));
    }
    for (const char* folder : {"x.bmp", "sub1", "sub2", "sub1\\deeper"})
      CreateDirectoryA((root_ + folder).c_str(), nullptr);
    WriteFile(root_ + "notes.txt");
    WriteBmp(root_ + "sub1\\only.bmp", 8, 8, 0xFFFF0000);
  }

  static void WriteFile(const std::string& path) {
    HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    CloseHandle(h);
  }

  // The browser whose modal loop runs now.
  static CImageBrowser* Browser() {
    HWND handle = FindWindowA("CWindows", "Image browser");
    auto* window = reinterpret_cast<CWindow*>(GetWindowLongPtrA(handle, GWLP_USERDATA));
    return dynamic_cast<CImageBrowser*>(window);
  }

  // Posts a tap in the middle of a control; the modal loop delivers it.
  static void PostTap(CControl& control) {
    int32_t x = control.GetWidth() / 2, y = control.GetHeight() / 2;
    Mouse(control, WM_LBUTTONDOWN, x, y, false);
    Mouse(control, WM_LBUTTONUP, x, y, false);
  }

  // Posts a tap on the folder row with the text.
  static void PostTapFolder(const char* text) {
    CListView* list = Browser()->GetFolderList();
    for (int32_t i = 0; i < list->GetCount(); ++i) {
      if (list->GetItem(i)->GetText() != text) continue;
      list->SetCurrentPage(i / list->GetItemsPerPage() + 1);
      int32_t row = i % list->GetItemsPerPage();
      int32_t y = 1 + row * list->GetRowHeight() + list->GetRowHeight() / 2;
      Mouse(*list, WM_LBUTTONDOWN, 60, y, false);
      Mouse(*list, WM_LBUTTONUP, 60, y, false);
      return;
    }
    ADD_FAILURE() << "no folder row " << text;
  }

  static std::vector<bool> ThumbsEnabled() {
    std::vector<bool> out;
    for (int32_t k = 0; k < 5; ++k) out.push_back(Browser()->GetThumb(k)->IsEnabled());
    return out;
  }

  // Runs the dialogue with the script; answers the two in/out arguments.
  std::pair<std::string, std::string> Run(std::vector<std::function<void()>> steps,
                                          const std::string& folder, const std::string& file) {
    CStr folderArg(folder.c_str()), fileArg(file.c_str());
    CMessageScript script(std::move(steps));
    CImageBrowser browser(folderArg, fileArg, nullptr);
    return {folderArg.c_str(), fileArg.c_str()};
  }

  std::string root_;
};

TEST_F(ImageBrowserTest, ListsFoldersSortedAndOnlyImageFiles) {
  auto result =
      Run({[&] {
            CImageBrowser* b = Browser();
            ASSERT_NE(b, nullptr);
            EXPECT_EQ(b->GetFolder(), root_.c_str());
            std::vector<std::string> rows;
            for (int32_t i = 0; i < b->GetFolderList()->GetCount(); ++i)
              rows.push_back(b->GetFolderList()->GetItem(i)->GetText().c_str());
            EXPECT_EQ(rows, (std::vector<std::string>{".", "..", "sub1", "sub2", "x.bmp"}));
            std::vector<std::string> images;
            for (int32_t i = 0; i < b->GetImages().GetCount(); ++i)
              images.push_back(b->GetImages().GetString(i).c_str());
            std::sort(images.begin(), images.end());
            std::vector<std::string> expected;
            for (int32_t i = 0; i < 12; ++i) expected.push_back(ImageName(i));
            std::sort(expected.begin(), expected.end());
            EXPECT_EQ(images, expected);
            // The list starts below the up button and the path.
            EXPECT_EQ(b->GetFolderList()->GetTop(), 44);
            b->ModalResult = mrCancel;
          }},
          root_.substr(0, root_.size() - 1), "keep.bmp");
  EXPECT_EQ(result.first, root_.substr(0, root_.size() - 1));
  EXPECT_EQ(result.second, "keep.bmp");
}

TEST_F(ImageBrowserTest, ThumbnailPagesStartAtZeroFiveAndTen) {
  Run({[&] {
         CImageBrowser* b = Browser();
         EXPECT_EQ(b->GetFirst(), 0);
         EXPECT_FALSE(b->PrevImagesButton->IsEnabled());
         EXPECT_TRUE(b->NextImagesButton->IsEnabled());
         EXPECT_EQ(ThumbsEnabled(), std::vector<bool>(5, true));
         PostTap(*b->NextImagesButton);
       },
       [&] {
         CImageBrowser* b = Browser();
         EXPECT_EQ(b->GetFirst(), 5);
         EXPECT_TRUE(b->PrevImagesButton->IsEnabled());
         EXPECT_TRUE(b->NextImagesButton->IsEnabled());
         PostTap(*b->NextImagesButton);
       },
       [&] {
         CImageBrowser* b = Browser();
         EXPECT_EQ(b->GetFirst(), 10);
         EXPECT_FALSE(b->NextImagesButton->IsEnabled());
         EXPECT_EQ(ThumbsEnabled(), (std::vector<bool>{true, true, false, false, false}));
         EXPECT_EQ(b->GetThumb(2)->Image, nullptr);
         // Each thumbnail shows its image: 64 x 64 read at half size, 32 x 32.
         b->RepaintNow();
         for (int32_t k = 0; k < 2; ++k) {
           CButton* thumb = b->GetThumb(k);
           ASSERT_NE(thumb->Image, nullptr);
           EXPECT_EQ(thumb->Image->Width(), 32);
           EXPECT_EQ(thumb->Image->Height(), 32);
           std::string name = b->GetImages().GetString(10 + k).c_str();
           int32_t i = std::stoi(name.substr(3, 2)) - 10;
           POINT o = thumb->GetWindowOrigin();
           EXPECT_TRUE(Near(Pixel(o.x + 16, o.y + 16), ImageColour(i))) << name;
           EXPECT_TRUE(Near(Pixel(o.x, o.y), ImageColour(i))) << name;
         }
         PostTap(*b->PrevImagesButton);
       },
       [&] {
         EXPECT_EQ(Browser()->GetFirst(), 5);
         Browser()->ModalResult = mrCancel;
       }},
      root_, "");
}

TEST_F(ImageBrowserTest, TheSelectionKeepsItsFrameAcrossPagesAndOkReturnsIt) {
  std::string chosen;
  auto result = Run({[&] {
                       CImageBrowser* b = Browser();
                       EXPECT_EQ(b->NameLabel->GetText(), "None");
                       PostTap(*b->GetThumb(3));  // nothing selected before: nothing to unframe
                     },
                     [&] {
                       CImageBrowser* b = Browser();
                       EXPECT_EQ(b->GetSelected(), 3);
                       EXPECT_TRUE(b->GetThumb(3)->FrameWhenUp);
                       chosen = b->GetImages().GetString(3).c_str();
                       EXPECT_EQ(b->NameLabel->GetText(), chosen.c_str());
                       PostTap(*b->GetThumb(1));
                     },
                     [&] {
                       CImageBrowser* b = Browser();
                       EXPECT_EQ(b->GetSelected(), 1);
                       EXPECT_FALSE(b->GetThumb(3)->FrameWhenUp);
                       EXPECT_TRUE(b->GetThumb(1)->FrameWhenUp);
                       chosen = b->GetImages().GetString(1).c_str();
                       PostTap(*b->NextImagesButton);
                     },
                     [&] {
                       CImageBrowser* b = Browser();
                       for (int32_t k = 0; k < 5; ++k)
                         EXPECT_FALSE(b->GetThumb(k)->FrameWhenUp) << k;
                       PostTap(*b->PrevImagesButton);
                     },
                     [&] {
                       CImageBrowser* b = Browser();
                       EXPECT_TRUE(b->GetThumb(1)->FrameWhenUp);
                       PostTap(*b->OkButton);
                     }},
                    root_, "old.bmp");
  EXPECT_EQ(result.first, root_);
  EXPECT_EQ(result.second, root_ + chosen);
}

TEST_F(ImageBrowserTest, FoldersOpenUpAndDotDotLeadBack) {
  auto result = Run({[&] { PostTapFolder("sub1"); },
                     [&] {
                       CImageBrowser* b = Browser();
                       EXPECT_EQ(b->GetFolder(), (root_ + "sub1\\").c_str());
                       EXPECT_EQ(b->GetImages().GetCount(), 1);
                       EXPECT_TRUE(b->GetThumb(0)->IsEnabled());
                       EXPECT_FALSE(b->GetThumb(1)->IsEnabled());
                       PostTapFolder("deeper");
                     },
                     [&] { PostTapFolder(".."); },
                     [&] {
                       EXPECT_EQ(Browser()->GetFolder(), (root_ + "sub1\\").c_str());
                       PostTapFolder(".");
                     },
                     [&] {
                       EXPECT_EQ(Browser()->GetFolder(), (root_ + "sub1\\").c_str());
                       PostTap(*Browser()->UpButton);
                     },
                     [&] {
                       CImageBrowser* b = Browser();
                       EXPECT_EQ(b->GetFolder(), root_.c_str());
                       EXPECT_TRUE(b->UpButton->IsEnabled());
                       PostTapFolder("sub2");
                     },
                     [&] { PostTap(*Browser()->OkButton); }},
                    root_, "old.bmp");
  // OK without an image: the folder shown last, the file name as it was.
  EXPECT_EQ(result.first, root_ + "sub2\\");
  EXPECT_EQ(result.second, "old.bmp");
}

TEST_F(ImageBrowserTest, FromARelativeFolderDotDotAndUpClimb) {
  char saved[MAX_PATH];
  GetCurrentDirectoryA(MAX_PATH, saved);
  ASSERT_TRUE(SetCurrentDirectoryA((root_ + "sub1\\deeper").c_str()));
  std::vector<std::string> rows;
  auto result = Run({[&] {
                       CImageBrowser* b = Browser();
                       EXPECT_EQ(b->GetFolder(), "..\\");
                       EXPECT_EQ(b->GetImages().GetCount(), 1);  // sub1's only.bmp
                       PostTapFolder("..");
                     },
                     [&] {
                       CImageBrowser* b = Browser();
                       EXPECT_EQ(b->GetFolder(), "..\\..\\");
                       for (int32_t i = 0; i < b->GetFolderList()->GetCount(); ++i)
                         rows.push_back(b->GetFolderList()->GetItem(i)->GetText().c_str());
                       EXPECT_EQ(b->GetImages().GetCount(), 12);
                       PostTap(*b->UpButton);
                     },
                     [&] {
                       EXPECT_EQ(Browser()->GetFolder(), "..\\..\\..\\");
                       PostTap(*Browser()->OkButton);
                     }},
                    "..\\", "");
  SetCurrentDirectoryA(saved);
  EXPECT_EQ(rows, (std::vector<std::string>{".", "..", "sub1", "sub2", "x.bmp"}));
  EXPECT_EQ(result.first, "..\\..\\..\\");
}

TEST_F(ImageBrowserTest, CancelLeavesBothArguments) {
  auto result = Run({[&] { PostTap(*Browser()->GetThumb(0)); }, [&] { PostTapFolder("sub2"); },
                     [&] { PostTap(*Browser()->CloseButton); }},
                    root_, "old.bmp");
  EXPECT_EQ(result.first, root_);
  EXPECT_EQ(result.second, "old.bmp");
}

class ImageBrowserLandscapeTest : public ImageBrowserTest {
 protected:
  ImageBrowserLandscapeTest() : ImageBrowserTest(320, 240) {}
};

TEST_F(ImageBrowserLandscapeTest, ThePathStaysBesideTheFormsButtons) {
  Run({[&] {
        CImageBrowser* b = Browser();
        RECT path = b->PathLabel->GetWindowBounds(), close = b->CloseButton->GetWindowBounds();
        RECT overlap;
        EXPECT_FALSE(IntersectRect(&overlap, &path, &close));
        EXPECT_EQ(path.right, b->GetFolderList()->GetWidth() - 2);
        // The thumbnail row lies under the list, the arrows at its ends.
        int32_t bottom = b->GetFolderList()->GetTop() + b->GetFolderList()->GetHeight();
        EXPECT_EQ(b->GetThumb(0)->GetTop(), bottom + 3);
        EXPECT_EQ(b->NextImagesButton->GetLeft(), 320 - 30);
        PostTap(*b->CloseButton);
      }},
      root_, "");
}

TEST(ImageBrowserPaths, DotFoldersFoldAwayAndImageNames) {
  struct {
    const char* path;
    const char* folder;
  } cases[] = {
      {"C:\\a\\b", "C:\\a\\b\\"},
      {"C:\\a\\b\\..", "C:\\a\\"},
      {"C:\\a\\..\\", "C:\\"},
      {"C:\\a\\.\\", "C:\\a\\"},
      {"C:\\a\\..\\b\\.\\c", "C:\\b\\c\\"},
      {"C:\\..", "C:\\"},  // the root has no parent
      {"C:\\..\\..\\x", "C:\\x\\"},
      {"C:\\", "C:\\"},
      {"\\a\\..", "\\"},
      {"\\..", "\\"},
      {"\\\\srv\\share\\..", "\\\\srv\\share\\"},
      {"\\\\srv\\share\\a\\..\\b", "\\\\srv\\share\\b\\"},
      {"..\\..", "..\\..\\"},
      {".\\..\\.", "..\\"},
      {"..\\", "..\\"},
      {"..\\..\\sub\\..", "..\\..\\"},
      {"a\\..\\..", "..\\"},
      {"sub\\..", ""},  // the current folder
      {".", ""},
      {"", ""},
      {"sub", "sub\\"},
      {"C:sub\\..\\..", "C:..\\"},  // relative to the drive's current folder
  };
  for (const auto& c : cases) EXPECT_EQ(FoldDotFolders(c.path), c.folder) << c.path;
  EXPECT_TRUE(IsImageName("a.BMP"));
  EXPECT_TRUE(IsImageName("b.c.Tga"));
  EXPECT_FALSE(IsImageName("a.bmp.txt"));
  EXPECT_FALSE(IsImageName("bmp"));
}

}  // namespace
