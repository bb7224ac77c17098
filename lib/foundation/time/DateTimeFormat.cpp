#include <cctype>
#include <cstring>

#include "lib/foundation/format/Convert.h"
#include "lib/foundation/time/DateTime.h"
#include "lib/foundation/format/FormatSettings.h"
#include "lib/foundation/text/LocaleInfo.h"

namespace {

constexpr int kMaxText = 255;

bool StartsWithNoCase(const char* p, const char* word) {
  for (; *word; ++p, ++word) {
    if (std::toupper(static_cast<unsigned char>(*p)) != *word) return false;
  }
  return true;
}

// Whether an AM/PM element follows before the next hour element, so that
// the hour is written in 12-hour form.
bool AmPmFollows(const char* p) {
  while (*p && *p != 'h' && *p != 'H') {
    if (*p == '"' || *p == '\'') {
      const char* close = std::strchr(p + 1, *p);
      if (!close) return false;
      p = close + 1;
      continue;
    }
    if (StartsWithNoCase(p, "AM/PM") || StartsWithNoCase(p, "A/P") || StartsWithNoCase(p, "AMPM"))
      return true;
    ++p;
  }
  return false;
}

class CDateTimeFormatter {
 public:
  CDateTimeFormatter(double value, const SFormatSettings& settings)
      : value_(value), settings_(settings) {}

  CStr Format(const CStr& picture) {
    Run(picture.GetLength() > 0 ? picture.c_str() : "C", 0);
    return CStr(length_, text_);
  }

 private:
  void Append(const char* p, int n) {
    while (n-- > 0 && length_ < kMaxText) text_[length_++] = *p++;
  }
  void Append(const char* p) { Append(p, static_cast<int>(std::strlen(p))); }
  void Append(const CStr& s) { Append(s.c_str(), s.GetLength()); }
  void AppendChar(char c) {
    if (c != 0) Append(&c, 1);
  }
  void AppendNumber(int value, int digits) { Append(FormatStr("%0*d", digits, value)); }

  void NeedDate() {
    if (dateDecoded_) return;
    DecodeDateFully(value_, year_, month_, day_, dayOfWeek_);
    dateDecoded_ = true;
  }
  void NeedTime() {
    if (timeDecoded_) return;
    DecodeTime(value_, hour_, minute_, second_, millisecond_);
    timeDecoded_ = true;
  }

  void Run(const char* p, int level);
  void Element(const char*& p, char token, int count, int level);
  void AmPmElement(const char*& p);
  void EraYear(int count);
  void Month(int count);
  void Day(int count, int level);
  void Hour(const char* rest, int count);
  void Literal(char c);

  double value_;
  const SFormatSettings& settings_;
  char text_[kMaxText];
  int length_ = 0;
  bool dateDecoded_ = false;
  bool timeDecoded_ = false;
  int year_ = 0, month_ = 0, day_ = 0, dayOfWeek_ = 0;
  int hour_ = 0, minute_ = 0, second_ = 0, millisecond_ = 0;
};

void CDateTimeFormatter::Run(const char* p, int level) {
  char lastToken = ' ';
  while (*p) {
    char c = *p;
    char token = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (token >= 'A' && token <= 'Z') {
      if (token == 'M' && lastToken == 'H') token = 'N';
      lastToken = token;
    }
    if (c == '"' || c == '\'') {
      const char* close = std::strchr(p + 1, c);
      const char* end = close ? close : p + std::strlen(p);
      Append(p + 1, static_cast<int>(end - p - 1));
      p = close ? close + 1 : end;
      continue;
    }
    if (token == 'A') {
      AmPmElement(p);
      continue;
    }
    int count = 1;
    while (p[count] == c) ++count;
    p += count;
    Element(p, token, count, level);
  }
}

void CDateTimeFormatter::AmPmElement(const char*& p) {
  NeedTime();
  bool pm = hour_ >= 12;
  if (StartsWithNoCase(p, "AM/PM")) {
    Append(p + (pm ? 3 : 0), 2);
    p += 5;
  } else if (StartsWithNoCase(p, "A/P")) {
    Append(p + (pm ? 2 : 0), 1);
    p += 3;
  } else if (StartsWithNoCase(p, "AMPM")) {
    Append(pm ? settings_.timePMString : settings_.timeAMString);
    p += 4;
  } else if (StartsWithNoCase(p, "AAAA")) {
    NeedDate();
    Append(settings_.longDayNames[dayOfWeek_]);
    p += 4;
  } else if (StartsWithNoCase(p, "AAA")) {
    NeedDate();
    Append(settings_.shortDayNames[dayOfWeek_]);
    p += 3;
  } else {
    AppendChar(*p++);
  }
}

void CDateTimeFormatter::EraYear(int count) {
  NeedDate();
  CStr year = FormatEraDate(year_, month_, day_, count > 2 ? "yyyy" : "yy");
  if (count == 1 && year.GetLength() > 0 && year.c_str()[0] == '0') {
    year = year.Mid(1, year.GetLength());
  }
  Append(year);
}

void CDateTimeFormatter::Month(int count) {
  NeedDate();
  if (count <= 2) {
    AppendNumber(month_, count);
  } else {
    Append(count == 3 ? settings_.shortMonthNames[month_] : settings_.longMonthNames[month_]);
  }
}

void CDateTimeFormatter::Day(int count, int level) {
  NeedDate();
  if (count <= 2) {
    AppendNumber(day_, count);
  } else if (count <= 4) {
    Append(count == 3 ? settings_.shortDayNames[dayOfWeek_] : settings_.longDayNames[dayOfWeek_]);
  } else {
    Run((count == 5 ? settings_.shortDateFormat : settings_.longDateFormat).c_str(), level + 1);
  }
}

void CDateTimeFormatter::Literal(char c) {
  if (c == '/') {
    AppendChar(settings_.dateSeparator);
  } else if (c == ':') {
    AppendChar(settings_.timeSeparator);
  } else {
    Append(&c, 1);
  }
}

void CDateTimeFormatter::Hour(const char* rest, int count) {
  NeedTime();
  int hour = hour_;
  if (AmPmFollows(rest)) {
    if (hour == 0) hour = 12;
    if (hour > 12) hour -= 12;
  }
  AppendNumber(hour, count > 2 ? 2 : count);
}

// Elements that expand to a nested picture write nothing below the first level.
bool IsNested(char token, int count) {
  return token == 'C' || token == 'T' || (token == 'D' && count >= 5);
}

void CDateTimeFormatter::Element(const char*& p, char token, int count, int level) {
  if (level >= 1 && IsNested(token, count)) return;
  switch (token) {
    case 'Y':
      NeedDate();
      AppendNumber(count <= 2 ? year_ % 100 : year_, count <= 2 ? 2 : 4);
      break;
    case 'G':
      NeedDate();
      Append(FormatEraDate(year_, month_, day_, "gg"));
      break;
    case 'E':
      EraYear(count);
      break;
    case 'M':
      Month(count);
      break;
    case 'D':
      Day(count, level);
      break;
    case 'H':
      Hour(p, count);
      break;
    case 'N':
      NeedTime();
      AppendNumber(minute_, count > 2 ? 2 : count);
      break;
    case 'S':
      NeedTime();
      AppendNumber(second_, count > 2 ? 2 : count);
      break;
    case 'Z':
      NeedTime();
      AppendNumber(millisecond_, count > 3 ? 3 : count);
      break;
    case 'T':
      Run((count == 1 ? settings_.shortTimeFormat : settings_.longTimeFormat).c_str(), level + 1);
      break;
    case 'C':
      NeedTime();
      Run(settings_.shortDateFormat.c_str(), level + 1);
      if (hour_ != 0 || minute_ != 0 || second_ != 0) {
        AppendChar(' ');
        Run(settings_.longTimeFormat.c_str(), level + 1);
      }
      break;
    default:
      // Separators and literal characters, once per character of the run.
      for (int i = 0; i < count; ++i) Literal(p[i - count]);
      break;
  }
}

}  // namespace

CStr FormatDateTime(const CStr& picture, double value, const SFormatSettings& settings) {
  return CDateTimeFormatter(value, settings).Format(picture);
}

CStr DateTimeToStr(double value, const SFormatSettings& settings) {
  return FormatDateTime(CStr(), value, settings);
}

CStr DateToStr(double value, const SFormatSettings& settings) {
  return FormatDateTime(settings.shortDateFormat, value, settings);
}

CStr TimeToStr(double value, const SFormatSettings& settings) {
  return FormatDateTime(settings.longTimeFormat, value, settings);
}
