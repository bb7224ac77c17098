#include "lib/foundation/text/Language.h"

namespace {

struct LanguageRow {
  const char* code;
  const char* name;
  const char* nativeName;  // Windows-1252
};

constexpr LanguageRow kLanguages[kLangCount] = {
    {"EN", "English", "English"},   {"NL", "Dutch", "Nederlands"},  {"DE", "German", "Deutsch"},
    {"FR", "French", "Fran\xE7" "ais"}, {"SP", "Spanish", "Espa\xF1ol"}, {"IT", "Italian", "Italiano"},
    {"DK", "Danish", "Dansk"},      {"SW", "Swedish", "Svensk"},
};

// Set once at start-up before other threads read texts, then only read.
int32_t g_language = kLangEnglish;
uint32_t g_available = 1;

const LanguageRow* Row(int32_t language) {
  return language >= 1 && language <= kLangCount ? &kLanguages[language - 1] : nullptr;
}

}  // namespace

const char* GetLangText(const SLangText& text) {
  const char* entry = Row(g_language) ? text.text[g_language - 1] : nullptr;
  return entry && entry[0] ? entry : text.text[0];
}

CStr LangStr(const SLangText& text) { return CStr(GetLangText(text)); }

int32_t GetLanguage() { return g_language; }

void SetLanguage(int32_t language) { g_language = language == kLangNone ? kLangEnglish : language; }

uint32_t GetAvailableLanguages() { return g_available; }

void SetAvailableLanguages(uint32_t mask) {
  if (mask == 0) mask = 1;
  if (mask == g_available) return;
  g_available = mask;
  if (IsLanguageAvailable(g_language, mask)) return;
  for (int32_t language = 1; language <= kLangCount; ++language) {
    if (IsLanguageAvailable(language, mask)) {
      g_language = language;
      return;
    }
  }
}

uint32_t LanguageBit(int32_t language) { return language >= 1 && language <= 32 ? 1u << (language - 1) : 0; }

bool IsLanguageAvailable(int32_t language, uint32_t mask) { return (LanguageBit(language) & mask) != 0; }

int32_t CountAvailableLanguages() {
  int32_t count = 0;
  for (int32_t language = 1; language <= kLangCount; ++language) count += IsLanguageAvailable(language, g_available);
  return count;
}

CStr LanguageCode(int32_t language) { return Row(language) ? CStr(Row(language)->code) : CStr(); }

CStr LanguageName(int32_t language) { return Row(language) ? CStr(Row(language)->name) : CStr(); }

CStr LanguageNativeName(int32_t language) { return Row(language) ? CStr(Row(language)->nativeName) : CStr(); }

int32_t LanguageFromCode(const CStr& code) {
  CStr upper = code.Upper();
  for (int32_t language = 1; language <= kLangCount; ++language)
    if (upper == kLanguages[language - 1].code) return language;
  return kLangNone;
}

int32_t LanguageFromName(const CStr& name) {
  for (int32_t language = kLangCount; language >= 1; --language)
    if (name == kLanguages[language - 1].name) return language;
  return kLangNone;
}
