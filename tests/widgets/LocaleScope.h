// Puts the number formats of a chosen locale in place of the user's for the
// lifetime of the scope, so that a test can run under a point and a comma
// locale whatever the machine's own.
#pragma once

#include <cstdint>

#include "lib/foundation/format/FormatSettings.h"

class CUserLocaleScope {
 public:
  explicit CUserLocaleScope(uint32_t locale) : saved_(UserFormatSettings()) {
    LoadLocaleFormats(locale, &User());
  }
  ~CUserLocaleScope() { User() = saved_; }
  CUserLocaleScope(const CUserLocaleScope&) = delete;
  CUserLocaleScope& operator=(const CUserLocaleScope&) = delete;

 private:
  // The user record is built at load as a plain object; only tests write it.
  static SFormatSettings& User() { return const_cast<SFormatSettings&>(UserFormatSettings()); }
  SFormatSettings saved_;
};

// Locales whose decimal separator the tests rely on.
constexpr uint32_t kLocaleEnglishUS = 0x409;  // "."
constexpr uint32_t kLocaleDutch = 0x413;      // ","
