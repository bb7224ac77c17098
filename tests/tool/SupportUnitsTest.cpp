#include <windows.h>

#include <gtest/gtest.h>

#include "tool/Exceptions.h"
#include "tool/OSInfo.h"
#include "tool/TdCPU.h"
#include "tool/TdLang.h"
#include "tool/TdRegistry.h"
#include "tool/TdStrings.h"
#include "tool/TdUtils.h"

TEST(SetVersionStr, PacksOneToFourParts) {
  const struct { const char* text; uint32_t packed; } cases[] = {
      {"5.1", 0x05010000}, {"1.0.2.5", 0x01000205}, {" 2 . 3 ", 0x02030000},
      {"255.255.255.255", 0xFFFFFFFF}, {"7", 0x07000000}};
  for (const auto& c : cases) EXPECT_EQ(SetVersionStr(c.text), c.packed) << c.text;
}

TEST(SetVersionStr, RejectsBadTexts) {
  for (const char* text : {"256.0", "1.2.3.4.5", "", "1..2", "a.b", "-1.0", "1.2."}) {
    try {
      SetVersionStr(text);
      ADD_FAILURE() << text;
    } catch (const EConvertError& e) {
      EXPECT_STREQ(e.what(), "SetVersionStr: Invalid version number.");
    }
  }
}

TEST(VersionToStr, JoinsTheFirstParts) {
  EXPECT_EQ(VersionToStr(0x01000205, 4), "1.0.2.5");
  EXPECT_EQ(VersionToStr(0x01000205, 2), "1.0");
}

TEST(GUIDToStr, BracesAndFieldOrder) {
  const uint8_t zero[16] = {};
  EXPECT_EQ(GUIDToStr(zero), "{00000000-0000-0000-0000-000000000000}");
  // {6C1E3B52-9A47-4F0D-8E21-5B7D3C9A0F14} as it lies in memory.
  const uint8_t g[16] = {0x52, 0x3B, 0x1E, 0x6C, 0x47, 0x9A, 0x0D, 0x4F,
                         0x8E, 0x21, 0x5B, 0x7D, 0x3C, 0x9A, 0x0F, 0x14};
  EXPECT_EQ(GUIDToStr(g), "{6C1E3B52-9A47-4F0D-8E21-5B7D3C9A0F14}");
}

TEST(FormatByteSize, SmallestFittingUnit) {
  const struct { unsigned mask; int decimals; bool minimum; uint64_t size; const char* text; }
      cases[] = {
          {0, 2, false, 1536, "1.50 KB"},
          {0, 2, false, 100, "100 bytes"},
          {0, 2, false, 3ull << 30, "3.00 GB"},
          {2, 1, false, 100, "0.1 KB"},
          {2, 1, true, 10, "0.1 KB"},
          {2, 1, false, 10, "0.0 KB"},
          {1 | 4, 0, false, 5000, "0 MB"},  // not below 1024 bytes: the next allowed unit
      };
  for (const auto& c : cases)
    EXPECT_EQ(FormatByteSize(c.mask, c.decimals, c.minimum, c.size), c.text) << c.size;
}

TEST(NaturalCompareText, NumbersByValue) {
  EXPECT_LT(NaturalCompareText("COM2", "COM10"), 0);
  EXPECT_GT(NaturalCompareText("COM10", "COM9"), 0);
  EXPECT_EQ(NaturalCompareText("com3", "COM3"), 0);
  EXPECT_LT(NaturalCompareText("COM", "COM1"), 0);
}

TEST(Lang, EntryOfTheCurrentLanguageOrEnglish) {
  const TLangText port = {{"Port", "Poort"}};
  SetLanguage(langEnglish);
  EXPECT_EQ(GetLangStr(port), "Port");
  SetLanguage(langDutch);
  EXPECT_EQ(GetLangStr(port), "Poort");
  SetLanguage(langGerman);
  EXPECT_EQ(GetLangStr(port), "Port");
  SetLanguage(0);
  EXPECT_EQ(CurrentLanguage(), langEnglish);
}

TEST(Lang, NamesIgnoreCase) {
  EXPECT_EQ(LanguageFromName("dutch"), langDutch);
  EXPECT_EQ(LanguageFromName("English"), langEnglish);
  EXPECT_EQ(LanguageFromName(""), langNone);
  EXPECT_EQ(LanguageFromName("Nederlands"), langNone);
  EXPECT_EQ(LanguageNativeName(langDutch), "Nederlands");
  EXPECT_EQ(LanguageName(0), "");
}

TEST(Lang, OfferedSetMovesTheCurrentLanguage) {
  unsigned saved = GetAvailableLanguages();
  SetLanguage(langEnglish);
  SetAvailableLanguages((1u << langDutch) | (1u << langGerman));
  EXPECT_EQ(CurrentLanguage(), langDutch);
  SetAvailableLanguages(1u);  // bit 0 alone offers English
  EXPECT_EQ(GetAvailableLanguages(), 1u << langEnglish);
  EXPECT_EQ(CurrentLanguage(), langEnglish);
  SetAvailableLanguages(saved);
}

TEST(TdRegistry, KeyPaths) {
  EXPECT_EQ(GetRegKeyPath(2, "X\\"), "\\Software\\Tidemar\\Tidemar Shared\\X");
  EXPECT_EQ(GetRegKeyPath(3, ""), "\\Software\\Tidemar\\Charts");
  EXPECT_EQ(GetRegKeyPath(0, "A"), "\\Software\\Tidemar\\Portelle Guard\\1\\A");
  EXPECT_EQ(GetRegKeyPath(9, ""), "\\Software\\Tidemar\\Portelle Guard\\1");
  EXPECT_EQ(RegKeyRoot(9), HKEY_CURRENT_USER);
  EXPECT_EQ(RegKeyRoot(0), HKEY_LOCAL_MACHINE);
}

TEST(TdRegistry, UnsetMainKeysRaise) {
  SetMainRegKeys("", "");
  EXPECT_THROW(GetRegKeyPath(0, ""), Exception);
  EXPECT_NO_THROW(GetRegKeyPath(2, ""));
  try {
    GetRegKeyPath(1, "");
  } catch (const Exception& e) {
    EXPECT_STREQ(e.what(), "The program's main registry keys are undefined.");
  }
  SetMainRegKeys("Portelle Guard", "1");
}

TEST(TdRegistry, ErrorTextNamesTheKey) {
  try {
    RaiseRegistryError("Error opening registry key.", 1, "International");
  } catch (const ERegistryException& e) {
    EXPECT_STREQ(e.what(),
                 "Error opening registry key.\r\r\"HKEY_CURRENT_USER\\Software\\"
                 "Tidemar\\Portelle Guard\\1\\International\"");
  }
}

TEST(TdRegistry, StringsRoundTripAndMissingGivesDefault) {
  RegWriteString(1, "Test", "Value", "abc");
  EXPECT_EQ(RegReadString(1, "Test", "Value", "x"), "abc");
  EXPECT_EQ(RegReadString(1, "Test", "Missing", "dflt"), "dflt");
  EXPECT_EQ(RegReadString(1, "No Such Key", "Value", "dflt"), "dflt");
  RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Tidemar\\Portelle Guard\\1\\Test");
}

TEST(OSDescription, FamilyEditionServicePackAndBuild) {
  const struct { uint32_t platform, major, minor, build, suite, product; const char* sp; const char* text; }
      cases[] = {
          {VER_PLATFORM_WIN32_NT, 5, 1, 2600, VER_SUITE_PERSONAL, VER_NT_WORKSTATION, "Service Pack 2",
           "Microsoft Windows XP Home Edition Service Pack 2 (Build 2600)"},
          {VER_PLATFORM_WIN32_NT, 5, 1, 2600, 0, VER_NT_WORKSTATION, "",
           "Microsoft Windows XP Professional (Build 2600)"},
          {VER_PLATFORM_WIN32_NT, 5, 0, 2195, VER_SUITE_DATACENTER, VER_NT_SERVER, "Service Pack 4",
           "Microsoft Windows 2000 Datacenter Server Service Pack 4 (Build 2195)"},
          {VER_PLATFORM_WIN32_NT, 5, 0, 2195, VER_SUITE_ENTERPRISE, VER_NT_SERVER, "",
           "Microsoft Windows 2000 Advanced Server (Build 2195)"},
          {VER_PLATFORM_WIN32_NT, 4, 0, 1381, 0, VER_NT_WORKSTATION, "Service Pack 5",
           "Microsoft Windows NT Workstation 4.0 Service Pack 5 (Build 1381)"},
          {VER_PLATFORM_WIN32_NT, 3, 51, 1057, 0, VER_NT_WORKSTATION, "",
           "Microsoft Windows NT 3.51 (Build 1057)"},
          {VER_PLATFORM_WIN32_WINDOWS, 4, 0, 1111, 0, 0, " B", "Microsoft Windows 95 OSR2 Build 1111"},
          {VER_PLATFORM_WIN32_WINDOWS, 4, 10, 2222, 0, 0, " A", "Microsoft Windows 98SE Build 2222"},
          {VER_PLATFORM_WIN32_WINDOWS, 4, 90, 3000, 0, 0, "", "Microsoft Windows ME Build 3000"},
      };
  for (const auto& c : cases) {
    TOSInfo os;
    os.Platform = c.platform;
    os.Major = c.major;
    os.Minor = c.minor;
    os.Build = c.build;
    os.SuiteMask = c.suite;
    os.ProductType = c.product;
    os.ServicePack = c.sp;
    EXPECT_EQ(OSDescription(os), c.text);
  }
}

TEST(CPUInfoText, NumbersThenFeaturesInOrder) {
  TCPUInfo cpu;
  cpu.Family = 6;
  cpu.Model = 8;
  cpu.Stepping = 3;
  cpu.Signature = 0x683;
  cpu.Features = 0x0383FBFF;
  EXPECT_EQ(CPUInfoText(cpu), "6.8.3, $00000683, $0383FBFF");
  cpu.MMX = cpu.MMXPlus = cpu.SSE = cpu.Now3D = cpu.Now3DPlus = true;
  EXPECT_EQ(CPUInfoText(cpu), "6.8.3, $00000683, $0383FBFF, MMX(+), SSE, 3DNow!(+)");
  cpu.MMXPlus = cpu.Now3DPlus = false;
  cpu.SSE2 = cpu.SSE3 = true;
  EXPECT_EQ(CPUInfoText(cpu), "6.8.3, $00000683, $0383FBFF, MMX, SSE, SSE2, SSE3, 3DNow!");
}
