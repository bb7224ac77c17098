#include "tool/TdLang.h"

#include <strings.h>

namespace {

int g_language = langEnglish;
unsigned g_available = 1u << langEnglish;

const char* const kNames[9] = {"", "English", "Dutch", "German", "French",
                               "Spanish", "Italian", "Danish", "Swedish"};
const char* const kNativeNames[9] = {"", "English", "Nederlands", "Deutsch",
                                     "Fran\xe7" "ais", "Espa\xf1" "ol",
                                     "Italiano", "Dansk", "Svensk"};

bool ValidLanguage(int language) { return language >= 1 && language <= 8; }

}  // namespace

std::string GetLangStrIn(const TLangText& text, int language) {
  if (!ValidLanguage(language)) language = langEnglish;
  const char* entry = text.Text[language - 1];
  if (entry == nullptr || entry[0] == '\0') entry = text.Text[0];
  return entry;
}

std::string GetLangStr(const TLangText& text) {
  return GetLangStrIn(text, g_language);
}

int CurrentLanguage() { return g_language; }

void SetLanguage(int language) {
  g_language = ValidLanguage(language) ? language : langEnglish;
}

unsigned GetAvailableLanguages() { return g_available; }

void SetAvailableLanguages(unsigned set) {
  set &= 0x1FEu;
  if (set == 0) set = 1u << langEnglish;
  if (set == g_available) return;
  g_available = set;
  if (IsLanguageAvailable(g_language)) return;
  for (int language = 1; language <= 8; ++language) {
    if (IsLanguageAvailable(language)) {
      g_language = language;
      return;
    }
  }
}

bool IsLanguageAvailable(int language) {
  return ValidLanguage(language) && (g_available & (1u << language)) != 0;
}

int CountAvailableLanguages() {
  int count = 0;
  for (int language = 1; language <= 8; ++language)
    if (IsLanguageAvailable(language)) ++count;
  return count;
}

std::string LanguageName(int language) {
  return ValidLanguage(language) ? kNames[language] : "";
}

std::string LanguageNativeName(int language) {
  return ValidLanguage(language) ? kNativeNames[language] : "";
}

int LanguageFromName(const std::string& name) {
  for (int language = 1; language <= 8; ++language)
    if (strcasecmp(name.c_str(), kNames[language]) == 0) return language;
  return langNone;
}
