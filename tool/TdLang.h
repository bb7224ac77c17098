#pragma once
#include <string>

// A text in the eight languages, in language order (English first); an empty
// entry is not translated and shows the English one.
struct TLangText {
  const char* Text[8];
};

enum : int {
  langNone = 0, langEnglish = 1, langDutch = 2, langGerman = 3, langFrench = 4,
  langSpanish = 5, langItalian = 6, langDanish = 7, langSwedish = 8
};

std::string GetLangStr(const TLangText& text);
std::string GetLangStrIn(const TLangText& text, int language);

int CurrentLanguage();
void SetLanguage(int language);

// Bit n of the set stands for language n.
unsigned GetAvailableLanguages();
void SetAvailableLanguages(unsigned set);
int CountAvailableLanguages();
bool IsLanguageAvailable(int language);

std::string LanguageName(int language);
std::string LanguageNativeName(int language);
int LanguageFromName(const std::string& name);
