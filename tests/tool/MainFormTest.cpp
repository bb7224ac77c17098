#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <memory>

#include "tests/tool/DeviceKeys.h"
#include "tests/tool/WindowDriver.h"
#include "tool/FormMainPortelle.h"
#include "tool/TdLang.h"
#include "tool/TdRegistry.h"

namespace {

using Form = TFormMainPortelle;

std::string ItemText(HWND list, int item, int column) {
  char text[256] = "";
  LVITEMA lv{};
  lv.iSubItem = column;
  lv.pszText = text;
  lv.cchTextMax = sizeof text;
  SendMessageA(list, LVM_GETITEMTEXTA, item, reinterpret_cast<LPARAM>(&lv));
  return text;
}

std::string HeaderText(HWND list, int column) {
  char text[64] = "";
  LVCOLUMNA col{};
  col.mask = LVCF_TEXT;
  col.pszText = text;
  col.cchTextMax = sizeof text;
  SendMessageA(list, LVM_GETCOLUMNA, column, reinterpret_cast<LPARAM>(&col));
  return text;
}

std::vector<std::string> Column(HWND list, int column) {
  std::vector<std::string> texts;
  for (int i = 0; i < ListView_GetItemCount(list); ++i)
    texts.push_back(ItemText(list, i, column));
  return texts;
}

void Click(const Form& form, int id) {
  SendMessageA(form.Handle(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(form.Handle(), id)));
}

bool Contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

class MainFormTest : public ::testing::Test {
 protected:
  void SetUp() override {
    RemoveDevicePorts();
    SetLanguage(langEnglish);
  }
  void TearDown() override {
    form_.reset();
    DropQuitMessage();
    RemoveDevicePorts();
  }
  Form& Open() {
    form_ = std::make_unique<Form>();
    if (form_->Handle() != nullptr) form_->Show();
    return *form_;
  }
  std::unique_ptr<Form> form_;
};

const TestPort kFourPorts[] = {
    {"A", true, 1, "COM1", "Communications Port", -1},
    {"B", true, 0, "COM2", "USB Serial", 0xFFFFFFFE},
    {"C", true, -1, "COM10", "Bluetooth Link", 0},
    {"D", true, 0, "COM3", "Modem", 0xFFFFFFFF},
};

}  // namespace

TEST_F(MainFormTest, ListsThePortsWithTheirMarks) {
  for (const TestPort& p : kFourPorts) CreateDevicePort(p);
  Form& form = Open();
  ASSERT_NE(form.Handle(), nullptr);
  HWND list = form.TreePorts();
  EXPECT_EQ(Column(list, 1), (std::vector<std::string>{"COM1", "COM2", "COM10", "COM3"}));
  EXPECT_EQ(Column(list, 2), (std::vector<std::string>{
                                 "Communications Port", "USB Serial", "Bluetooth Link", "Modem"}));
  EXPECT_EQ(Column(list, 3), (std::vector<std::string>{"Yes", "No", "No", "No"}));
  EXPECT_EQ(Column(list, 0), (std::vector<std::string>{"", "", "", ""}));
  const bool marks[] = {false, true, false, true};
  for (int i = 0; i < 4; ++i) EXPECT_EQ(ListView_GetCheckState(list, i) != 0, marks[i]) << i;
  EXPECT_EQ(WindowText(form.Handle()), "Portelle Plug & Play Guard");
  const char* headers[] = {"Block", "Port", "Name", "Connected"};
  for (int c = 0; c < 4; ++c) EXPECT_EQ(HeaderText(list, c), headers[c]);
  RECT client;
  GetClientRect(form.Handle(), &client);
  EXPECT_EQ(client.right, 531);
  EXPECT_EQ(client.bottom, 341);
  EXPECT_TRUE(Contains(WindowText(GetDlgItem(form.Handle(), Form::kLabelVersionId)), "v1.0.2.5 ("));
}

TEST_F(MainFormTest, ApplyWritesOnlyTheMarksTheUserChanged) {
  for (const TestPort& p : kFourPorts) CreateDevicePort(p);
  Form& form = Open();
  HWND list = form.TreePorts();
  ListView_SetCheckState(list, 1, FALSE);  // COM2: unblock
  ListView_SetCheckState(list, 2, TRUE);   // COM10: block
  DialogAnswerer answers{{"TMessageForm", "&Yes"}, {"TMessageForm", "OK"}};
  Click(form, Form::kButtonApplyId);
  std::vector<std::string> texts = answers.Finish();
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_TRUE(Contains(texts[0], "Confirm|"));
  EXPECT_TRUE(Contains(texts[0], "Do you want to continue?"));
  EXPECT_TRUE(Contains(texts[1], "The changes have succesfully been applied."));
  EXPECT_EQ(ReadSkip("A"), -1);
  EXPECT_EQ(ReadSkip("B"), -1);
  EXPECT_EQ(ReadSkip("C"), 0xFFFFFFFE);
  EXPECT_EQ(ReadSkip("D"), 0xFFFFFFFF);  // untouched
  PumpMessages(50);
  EXPECT_FALSE(IsWindow(form.Handle()));  // Apply closes the program
}

TEST_F(MainFormTest, AnsweringNoChangesNothing) {
  for (const TestPort& p : kFourPorts) CreateDevicePort(p);
  Form& form = Open();
  ListView_SetCheckState(form.TreePorts(), 0, TRUE);
  DialogAnswerer answers{{"TMessageForm", "&No"}};
  Click(form, Form::kButtonApplyId);
  ASSERT_EQ(answers.Finish().size(), 1u);
  EXPECT_EQ(ReadSkip("A"), -1);
  EXPECT_TRUE(IsWindowVisible(form.Handle()));
}

TEST_F(MainFormTest, ReadOnlyKeyNamesThePortThatFailed) {
  CreateDevicePort({"A", true, 0, "COM1", "Port", -1});
  CreateDevicePort({"B", true, 0, "COM4", "Port", -1});
  MakeParametersReadOnly("B");
  Form& form = Open();
  ListView_SetCheckState(form.TreePorts(), 1, TRUE);
  DialogAnswerer answers{{"TMessageForm", "&Yes"}, {"TMessageForm", "OK"}};
  Click(form, Form::kButtonApplyId);
  std::vector<std::string> texts = answers.Finish();
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_TRUE(Contains(texts[1], "Error|"));
  EXPECT_TRUE(Contains(texts[1],
                       "The program cannot write to the registry for port COM4. "
                       "You may not have sufficient access rights."));
  EXPECT_EQ(ReadSkip("B"), -1);
}

TEST_F(MainFormTest, UnreadableListReportsAndOpensNoWindow) {
  CreateDevicePort({"A", false, 0, "COM1", "Port", -1});
  DialogAnswerer answers{{"TMessageForm", "OK"}};
  Form& form = Open();
  std::vector<std::string> texts = answers.Finish();
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_TRUE(Contains(texts[0], "The program cannot read from the registry."));
  EXPECT_EQ(form.Handle(), nullptr);
}

TEST_F(MainFormTest, NoPortsClassShowsAnEmptyList) {
  Form& form = Open();
  ASSERT_NE(form.Handle(), nullptr);
  EXPECT_EQ(ListView_GetItemCount(form.TreePorts()), 0);
}

TEST_F(MainFormTest, InUseColumnFollowsLinkedWithinATick) {
  CreateDevicePort({"A", true, 0, "COM1", "Port", -1});
  Form& form = Open();
  EXPECT_EQ(ItemText(form.TreePorts(), 0, 3), "No");
  SetLinked("A", 1);
  PumpMessages(Form::kTimerInterval + 150);
  EXPECT_EQ(ItemText(form.TreePorts(), 0, 3), "Yes");
  SetLinked("A", 0);
  PumpMessages(Form::kTimerInterval + 150);
  EXPECT_EQ(ItemText(form.TreePorts(), 0, 3), "No");
}

TEST_F(MainFormTest, ColumnClickSortsByThatColumn) {
  CreateDevicePort({"A", true, 0, "COM10", "b device", 0xFFFFFFFE});
  CreateDevicePort({"B", true, 1, "COM2", "C device", -1});
  CreateDevicePort({"C", true, 0, "COM1", "a device", -1});
  Form& form = Open();
  HWND list = form.TreePorts();
  auto clickColumn = [&](int column) {
    NMLISTVIEW nm{};
    nm.hdr.hwndFrom = list;
    nm.hdr.idFrom = Form::kTreePortsId;
    nm.hdr.code = LVN_COLUMNCLICK;
    nm.iItem = -1;
    nm.iSubItem = column;
    SendMessageA(form.Handle(), WM_NOTIFY, Form::kTreePortsId, reinterpret_cast<LPARAM>(&nm));
  };
  clickColumn(1);
  EXPECT_EQ(Column(list, 1), (std::vector<std::string>{"COM1", "COM2", "COM10"}));
  clickColumn(2);
  EXPECT_EQ(Column(list, 1), (std::vector<std::string>{"COM1", "COM10", "COM2"}));
  clickColumn(3);
  EXPECT_EQ(Column(list, 1), (std::vector<std::string>{"COM2", "COM1", "COM10"}));
  clickColumn(0);
  EXPECT_EQ(Column(list, 1), (std::vector<std::string>{"COM10", "COM1", "COM2"}));
  EXPECT_TRUE(ListView_GetCheckState(list, 0));
}

TEST_F(MainFormTest, LanguageMenuRelabelsAndStoresTheChoice) {
  CreateDevicePort({"A", true, 1, "COM1", "Port", -1});
  Form& form = Open();
  SendMessageA(form.Handle(), WM_COMMAND, Form::kMenuDutchId, 0);
  HWND list = form.TreePorts();
  const char* headers[] = {"Blokkeer", "Poort", "Naam", "Verbonden"};
  for (int c = 0; c < 4; ++c) EXPECT_EQ(HeaderText(list, c), headers[c]);
  EXPECT_EQ(ItemText(list, 0, 3), "Ja");
  EXPECT_EQ(WindowText(GetDlgItem(form.Handle(), Form::kButtonApplyId)), "Toepassen");
  EXPECT_EQ(WindowText(GetDlgItem(form.Handle(), Form::kButtonCloseId)), "Sluiten");
  EXPECT_TRUE(Contains(WindowText(GetDlgItem(form.Handle(), Form::kLabelInfoId)),
                       "Markeer de poorten"));
  EXPECT_EQ(WindowText(form.Handle()), "Portelle Plug & Play Guard");
  char menu[32] = "";
  GetMenuStringA(GetMenu(form.Handle()), 0, menu, sizeof menu, MF_BYPOSITION);
  EXPECT_STREQ(menu, "Taal");
  EXPECT_EQ(RegReadString(1, "International", "Language", ""), "Dutch");
  SendMessageA(form.Handle(), WM_COMMAND, Form::kMenuEnglishId, 0);
  EXPECT_EQ(HeaderText(list, 1), "Port");
  EXPECT_EQ(RegReadString(1, "International", "Language", ""), "English");
}

TEST(WindowsVersion, NT5OrLaterWithService3OnWindows2000) {
  const struct { uint32_t platform, major, minor, spMajor; const char* problem; } cases[] = {
      {VER_PLATFORM_WIN32_NT, 6, 1, 0, ""},
      {VER_PLATFORM_WIN32_NT, 10, 0, 0, ""},
      {VER_PLATFORM_WIN32_NT, 5, 1, 0, ""},
      {VER_PLATFORM_WIN32_NT, 5, 0, 3, ""},
      {VER_PLATFORM_WIN32_NT, 5, 0, 2, "Your PC is running Microsoft Windows 2000 Professional Service Pack 2 (Build 2195)."},
      {VER_PLATFORM_WIN32_NT, 4, 0, 6, "This program is designed to run on Windows 2000, XP or higher."},
      {VER_PLATFORM_WIN32_WINDOWS, 4, 10, 0, "This program is designed to run on Windows 2000, XP or higher."},
  };
  SetLanguage(langEnglish);
  for (const auto& c : cases) {
    TOSInfo os;
    os.Platform = c.platform;
    os.Major = c.major;
    os.Minor = c.minor;
    os.SPMajor = c.spMajor;
    os.Build = 2195;
    os.ProductType = VER_NT_WORKSTATION;
    os.ServicePack = "Service Pack " + std::to_string(c.spMajor);
    os.Description = OSDescription(os);
    std::string problem = TFormMainPortelle::WindowsVersionProblem(os);
    EXPECT_EQ(problem.substr(0, std::string(c.problem).size()), c.problem) << c.major << "." << c.minor;
    EXPECT_EQ(problem.empty(), c.problem[0] == '\0');
  }
}
