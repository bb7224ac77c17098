// Translated texts and the current language.
#pragma once

#include <cstdint>

#include "lib/foundation/text/Str.h"

// Languages in the order of every translated text's entries; 0 is none.
enum : int32_t {
  kLangNone = 0,
  kLangEnglish = 1,
  kLangDutch,
  kLangGerman,
  kLangFrench,
  kLangSpanish,
  kLangItalian,
  kLangDanish,
  kLangSwedish,
  kLangCount = 8
};

// Entry i is the text in language i + 1; an empty entry is not translated.
// The English entry is always filled.
struct SLangText {
  const char* text[kLangCount];
};

const char* GetLangText(const SLangText& text);
CStr LangStr(const SLangText& text);

int32_t GetLanguage();
void SetLanguage(int32_t language);
uint32_t GetAvailableLanguages();
void SetAvailableLanguages(uint32_t mask);
uint32_t LanguageBit(int32_t language);
bool IsLanguageAvailable(int32_t language, uint32_t mask);
int32_t CountAvailableLanguages();

CStr LanguageCode(int32_t language);
CStr LanguageName(int32_t language);
CStr LanguageNativeName(int32_t language);
int32_t LanguageFromCode(const CStr& code);
int32_t LanguageFromName(const CStr& name);
