#include "lib/foundation/app/RegistryApp.h"

#include <gtest/gtest.h>
#include <sddl.h>

#include <cstring>

#include "lib/foundation/core/Exception.h"
#include "lib/foundation/app/Registry.h"

namespace {

const CStr kTest("TdLibTest");

class RegistryTest : public ::testing::Test {
 protected:
  void SetUp() override { TearDown(); }
  void TearDown() override {
    for (int kind = 0; kind < 4; ++kind) app_.DeleteKey(kind, kind < 2 ? CStr() : kTest);
  }

  CStr Message(void (*call)(CRegistryApp&)) {
    try {
      call(app_);
    } catch (const CRegistryError& e) {
      return CStr(e.what());
    }
    return CStr("no exception");
  }

  CRegistryApp app_{CStr("TdLibTest"), CStr("1")};
};

TEST_F(RegistryTest, DecodesKeyKinds) {
  CRegistryApp demo(CStr("Demo"), CStr("1"));
  struct {
    int kind;
    const char* subKey;
    HKEY root;
    const char* path;
  } cases[] = {
      {0, "International", HKEY_LOCAL_MACHINE, "\\Software\\Tidemar\\Demo\\1\\International"},
      {0, "A\\", HKEY_LOCAL_MACHINE, "\\Software\\Tidemar\\Demo\\1\\A"},
      {1, "", HKEY_CURRENT_USER, "\\Software\\Tidemar\\Demo\\1"},
      {2, "", HKEY_LOCAL_MACHINE, "\\Software\\Tidemar\\Tidemar Shared"},
      {3, "X", HKEY_LOCAL_MACHINE, "\\Software\\Tidemar\\Charts\\X"},
  };
  for (const auto& c : cases) {
    HKEY root = nullptr;
    CStr path;
    demo.DecodeKey(c.kind, CStr(c.subKey), &root, &path);
    EXPECT_EQ(root, c.root);
    EXPECT_EQ(path, CStr(c.path));
  }
  for (int kind : {4, -1}) {
    try {
      demo.KeyExists(kind, CStr());
      ADD_FAILURE();
    } catch (const char* text) {
      EXPECT_STREQ(text, "CRegistryApp::DecodeKey: Unknown key.");
    }
  }
}

TEST_F(RegistryTest, EveryValueTypeRoundTripsUnderEveryKind) {
  const SGuid guid{0x12345678, 0x9ABC, 0xDEF0, {1, 2, 3, 4, 5, 6, 7, 8}};
  const uint8_t bytes[5] = {9, 0, 8, 0, 7};
  for (int kind = 0; kind < 4; ++kind) {
    SCOPED_TRACE(kind);
    const CStr sub = kind < 2 ? CStr("Values") : kTest + "\\Values";
    app_.WriteBinary(kind, sub, CStr("Binary"), bytes, sizeof(bytes));
    app_.WriteBool(kind, sub, CStr("Bool"), true);
    app_.WriteLong(kind, sub, CStr("Long"), -123456);
    app_.WriteFloat(kind, sub, CStr("Float"), 1.25f);
    app_.WriteDouble(kind, sub, CStr("Double"), -2.5e300);
    app_.WriteDateTime(kind, sub, CStr("DateTime"), 36526.75);
    app_.WriteGUID(kind, sub, CStr("GUID"), guid);
    app_.WriteString(kind, sub, CStr("String"), CStr("C:\\Prog"));
    uint8_t read[5] = {};
    app_.ReadBinary(kind, sub, CStr("Binary"), read, sizeof(read));
    EXPECT_EQ(std::memcmp(read, bytes, sizeof(bytes)), 0);
    EXPECT_TRUE(app_.ReadBool(kind, sub, CStr("Bool")));
    EXPECT_EQ(app_.ReadLong(kind, sub, CStr("Long")), -123456);
    EXPECT_EQ(app_.ReadFloat(kind, sub, CStr("Float")), 1.25f);
    EXPECT_EQ(app_.ReadDouble(kind, sub, CStr("Double")), -2.5e300);
    EXPECT_EQ(app_.ReadDateTime(kind, sub, CStr("DateTime")), 36526.75);
    SGuid back = app_.ReadGUID(kind, sub, CStr("GUID"));
    EXPECT_EQ(std::memcmp(&back, &guid, sizeof(guid)), 0);
    EXPECT_EQ(app_.ReadString(kind, sub, CStr("String")), CStr("C:\\Prog"));
  }
  EXPECT_EQ(GlobalRegistry().GetOpenKeyCount(), 0);
}

TEST_F(RegistryTest, ValuesAreStoredWithTheirRegistryTypes) {
  app_.WriteBool(0, CStr(), CStr("Bool"), true);
  app_.WriteFloat(0, CStr(), CStr("Float"), 1.0f);
  app_.WriteString(0, CStr(), CStr("String"), CStr("ab"));
  HKEY key;
  ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\Tidemar\\TdLibTest\\1", 0, KEY_READ, &key),
            ERROR_SUCCESS);
  struct {
    const char* name;
    DWORD type;
    DWORD size;
  } cases[] = {{"Bool", REG_DWORD, 4}, {"Float", REG_BINARY, 4}, {"String", REG_SZ, 3}};
  for (const auto& c : cases) {
    DWORD type = 0, size = 0;
    EXPECT_EQ(RegQueryValueExA(key, c.name, nullptr, &type, nullptr, &size), ERROR_SUCCESS);
    EXPECT_EQ(type, c.type) << c.name;
    EXPECT_EQ(size, c.size) << c.name;
  }
  RegCloseKey(key);
}

TEST_F(RegistryTest, ReadsRefuseOtherTypesAndSizes) {
  const uint8_t four[4] = {1, 0, 0, 0};
  app_.WriteBinary(0, CStr(), CStr("Binary4"), four, 4);
  app_.WriteLong(0, CStr(), CStr("Dword"), 1);
  EXPECT_THROW(app_.ReadLong(0, CStr(), CStr("Binary4")), CRegistryError);
  EXPECT_EQ(app_.ReadLong(0, CStr(), CStr("Binary4"), 77), 77);
  EXPECT_EQ(app_.ReadFloat(0, CStr(), CStr("Dword"), 2.5f), 2.5f);
  EXPECT_EQ(app_.ReadBool(0, CStr(), CStr("Binary4"), false), false);
  EXPECT_EQ(app_.ReadString(0, CStr(), CStr("Dword"), CStr("d")), CStr("d"));
  uint8_t buffer[8];
  EXPECT_THROW(app_.ReadBinary(0, CStr(), CStr("Binary4"), buffer, 3), CRegistryError);
  EXPECT_THROW(app_.ReadBinary(0, CStr(), CStr("Binary4"), buffer, 5), CRegistryError);
  app_.ReadBinary(0, CStr(), CStr("Dword"), buffer, 4);  // binary reads accept any type
  EXPECT_EQ(buffer[0], 1);
}

TEST_F(RegistryTest, StringsOfOtherForms) {
  const CStr path("\\Software\\Tidemar\\TdLibTest\\1");
  HKEY key;
  ASSERT_TRUE(GlobalRegistry().OpenKey(HKEY_LOCAL_MACHINE, path, true, &key));
  EXPECT_EQ(RegSetValueExA(key, "Expand", 0, REG_EXPAND_SZ,
                           reinterpret_cast<const BYTE*>("%SystemRoot%\\x"), 15),
            ERROR_SUCCESS);
  // Stored without its terminator.
  EXPECT_EQ(RegSetValueExA(key, "Bare", 0, REG_SZ, reinterpret_cast<const BYTE*>("abcdef"), 3),
            ERROR_SUCCESS);
  GlobalRegistry().CloseKey(key);
  EXPECT_EQ(app_.ReadString(0, CStr(), CStr("Expand")), CStr("%SystemRoot%\\x"));
  EXPECT_EQ(app_.ReadString(0, CStr(), CStr("Bare")), CStr("abc"));
  CStr text("stale");
  EXPECT_FALSE(GlobalRegistry().ReadString(HKEY_LOCAL_MACHINE, path, CStr("Missing"), &text));
  EXPECT_EQ(text, CStr(""));
}

TEST_F(RegistryTest, FailureMessagesNameSubKeyAndValue) {
  EXPECT_EQ(Message([](CRegistryApp& a) { a.ReadString(0, CStr(), CStr("RootDir")); }),
            CStr("CRegistryApp::ReadString: Error reading '\\RootDir'."));
  EXPECT_EQ(Message([](CRegistryApp& a) { a.ReadLong(1, CStr("International"), CStr("X")); }),
            CStr("CRegistryApp::ReadLong: Error reading 'International\\X'."));
  EXPECT_EQ(Message([](CRegistryApp& a) { a.ReadBool(0, CStr("Sub"), CStr()); }),
            CStr("CRegistryApp::ReadBool: Error reading 'Sub'."));
  EXPECT_EQ(Message([](CRegistryApp& a) { a.ReadDateTime(0, CStr("A"), CStr("B")); }),
            CStr("CRegistryApp::ReadDateTime: Error reading 'A\\B'."));
  EXPECT_EQ(Message([](CRegistryApp& a) {
              SGuid g;
              a.ReadGUID(3, CStr("A"), CStr("G"));
              (void)g;
            }),
            CStr("CRegistryApp::ReadGUID: Error reading 'A\\G'."));
}

// Access denied made real: a key whose security grants reading only.
TEST_F(RegistryTest, ReadOnlyKeyRefusesWrites) {
  app_.WriteLong(0, CStr("ReadOnly"), CStr("Value"), 5);
  HKEY key;
  ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\Tidemar\\TdLibTest\\1\\ReadOnly", 0,
                          WRITE_DAC, &key),
            ERROR_SUCCESS);
  PSECURITY_DESCRIPTOR readOnly = nullptr;
  ASSERT_TRUE(ConvertStringSecurityDescriptorToSecurityDescriptorA("D:P(A;;KR;;;WD)", SDDL_REVISION_1,
                                                                   &readOnly, nullptr));
  EXPECT_EQ(RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, readOnly), ERROR_SUCCESS);
  LocalFree(readOnly);

  EXPECT_EQ(app_.ReadLong(0, CStr("ReadOnly"), CStr("Value")), 5);
  EXPECT_EQ(Message([](CRegistryApp& a) { a.WriteLong(0, CStr("ReadOnly"), CStr("Value"), 6); }),
            CStr("CRegistryApp::WriteLong: Error writing 'ReadOnly\\Value'."));
  EXPECT_EQ(app_.ReadLong(0, CStr("ReadOnly"), CStr("Value")), 5);
  EXPECT_EQ(GlobalRegistry().GetOpenKeyCount(), 0);

  PSECURITY_DESCRIPTOR full = nullptr;
  ASSERT_TRUE(ConvertStringSecurityDescriptorToSecurityDescriptorA("D:P(A;;KA;;;WD)", SDDL_REVISION_1,
                                                                   &full, nullptr));
  RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, full);
  LocalFree(full);
  RegCloseKey(key);
}

TEST_F(RegistryTest, DeleteAndClearWholeTrees) {
  for (const char* sub : {"Tree\\A\\A1", "Tree\\A\\A2", "Tree\\B\\B1\\B11", "Tree\\C"}) {
    app_.WriteLong(0, CStr(sub), CStr("V"), 1);
  }
  app_.WriteLong(0, CStr("Tree"), CStr("Top"), 1);
  CStrList list(false);
  EXPECT_TRUE(app_.EnumKeys(0, CStr("Tree"), &list));
  EXPECT_EQ(list.GetCount(), 3);
  EXPECT_TRUE(app_.EnumValues(0, CStr("Tree"), &list));
  ASSERT_EQ(list.GetCount(), 1);
  EXPECT_EQ(list.GetString(0), CStr("Top"));

  EXPECT_TRUE(app_.ClearKey(0, CStr("Tree")));
  EXPECT_TRUE(app_.KeyExists(0, CStr("Tree")));
  EXPECT_TRUE(app_.EnumKeys(0, CStr("Tree"), &list));
  EXPECT_EQ(list.GetCount(), 0);
  EXPECT_TRUE(app_.EnumValues(0, CStr("Tree"), &list));
  EXPECT_EQ(list.GetCount(), 0);

  app_.WriteLong(0, CStr("Tree\\B\\B1\\B11"), CStr("V"), 1);
  EXPECT_TRUE(app_.DeleteKey(0, CStr("Tree")));
  EXPECT_FALSE(app_.KeyExists(0, CStr("Tree")));
  EXPECT_FALSE(app_.DeleteKey(0, CStr("Tree")));
}

TEST_F(RegistryTest, CopyAndMoveKeys) {
  app_.WriteString(0, CStr("Src\\Inner"), CStr("S"), CStr("text"));
  app_.CreateKey(0, CStr("Src\\Empty"));
  app_.WriteLong(0, CStr("Src"), CStr("L"), 3);
  EXPECT_TRUE(app_.CopyKey(0, CStr("Src"), CStr("Copy")));
  EXPECT_EQ(app_.ReadString(0, CStr("Copy\\Inner"), CStr("S")), CStr("text"));
  EXPECT_EQ(app_.ReadLong(0, CStr("Copy"), CStr("L")), 3);
  EXPECT_TRUE(app_.KeyExists(0, CStr("Copy\\Empty")));
  EXPECT_TRUE(app_.MoveKey(0, CStr("Copy"), CStr("Moved")));
  EXPECT_FALSE(app_.KeyExists(0, CStr("Copy")));
  EXPECT_EQ(app_.ReadLong(0, CStr("Moved"), CStr("L")), 3);
  EXPECT_FALSE(app_.CopyKey(0, CStr("Missing"), CStr("Other")));
}

TEST_F(RegistryTest, RootDirGetsATrailingBackslash) {
  CStr folder("x");
  EXPECT_FALSE(app_.GetRootDir(&folder));
  EXPECT_EQ(folder, CStr(""));
  app_.WriteString(0, CStr(), CStr("RootDir"), CStr("C:\\Prog"));
  EXPECT_TRUE(app_.GetRootDir(&folder));
  EXPECT_EQ(folder, CStr("C:\\Prog\\"));
  app_.WriteString(0, CStr(), CStr("RootDir"), CStr("C:\\Prog\\"));
  EXPECT_TRUE(app_.GetRootDir(&folder));
  EXPECT_EQ(folder, CStr("C:\\Prog\\"));
}

TEST_F(RegistryTest, IncompleteProgramKeyIsNeverDeletedOrCleared) {
  app_.WriteLong(0, CStr(), CStr("Keep"), 1);
  app_.WriteLong(1, CStr(), CStr("Keep"), 1);
  for (const auto& [product, version] : {std::pair{"", ""}, std::pair{"TdLibTest", ""}}) {
    CRegistryApp incomplete{CStr(product), CStr(version)};
    for (int kind : {0, 1}) {
      EXPECT_FALSE(incomplete.DeleteKey(kind, CStr()));
      EXPECT_FALSE(incomplete.ClearKey(kind, CStr()));
      EXPECT_FALSE(incomplete.MoveKey(kind, CStr(), CStr("Elsewhere")));
    }
  }
  EXPECT_EQ(app_.ReadLong(0, CStr(), CStr("Keep")), 1);
  EXPECT_EQ(app_.ReadLong(1, CStr(), CStr("Keep")), 1);
}

TEST_F(RegistryTest, CreateKeyAndDeleteValue) {
  app_.CreateKey(0, CStr("Made"));
  EXPECT_TRUE(app_.KeyExists(0, CStr("Made")));
  app_.WriteLong(0, CStr("Made"), CStr("V"), 1);
  EXPECT_TRUE(app_.DeleteValue(0, CStr("Made"), CStr("V")));
  EXPECT_FALSE(app_.DeleteValue(0, CStr("Made"), CStr("V")));
  EXPECT_EQ(app_.ReadLong(0, CStr("Made"), CStr("V"), -1), -1);
}

}  // namespace
