#include <gtest/gtest.h>

#include "lib/foundation/text/Language.h"

namespace {

class Language : public ::testing::Test {
 protected:
  void TearDown() override {
    SetAvailableLanguages(1);
    SetLanguage(kLangEnglish);
  }
};

TEST_F(Language, MissingEntryFallsBackToEnglish) {
  const SLangText text = {{"Chart", "Kaart", "", "Carte"}};
  SetLanguage(kLangGerman);
  EXPECT_STREQ(GetLangText(text), "Chart");
  SetLanguage(kLangFrench);
  EXPECT_EQ(LangStr(text), "Carte");
  SetLanguage(kLangSwedish);
  EXPECT_STREQ(GetLangText(text), "Chart");
  SetLanguage(0);
  EXPECT_EQ(GetLanguage(), kLangEnglish);
}

TEST_F(Language, CodesAndNames) {
  EXPECT_EQ(LanguageFromCode("nl"), kLangDutch);
  EXPECT_EQ(LanguageFromCode("ES"), kLangNone);
  EXPECT_EQ(LanguageFromCode("SP"), kLangSpanish);
  EXPECT_EQ(LanguageFromCode("DA"), kLangNone);
  EXPECT_EQ(LanguageFromName("english"), kLangNone);
  EXPECT_EQ(LanguageFromName("Dutch"), kLangDutch);
  EXPECT_EQ(LanguageNativeName(kLangFrench), "Fran\xE7" "ais");
  EXPECT_EQ(LanguageCode(0), "");
  EXPECT_EQ(LanguageName(kLangSwedish), "Swedish");
}

TEST_F(Language, OfferedLanguages) {
  SetAvailableLanguages(6);
  EXPECT_EQ(GetLanguage(), kLangDutch);
  EXPECT_EQ(CountAvailableLanguages(), 2);
  SetLanguage(kLangGerman);
  SetAvailableLanguages(0xFF);
  EXPECT_EQ(GetLanguage(), kLangGerman);
  SetAvailableLanguages(0);
  EXPECT_EQ(GetAvailableLanguages(), 1u);
  EXPECT_EQ(GetLanguage(), kLangEnglish);
  EXPECT_EQ(LanguageBit(0), 0u);
  EXPECT_EQ(LanguageBit(8), 0x80u);
  EXPECT_TRUE(IsLanguageAvailable(2, 6));
}

}  // namespace
