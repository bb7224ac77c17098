#include "lib/foundation/format/AngleFormat.h"

#include <cmath>

#include "lib/foundation/format/Convert.h"
#include "lib/foundation/time/DateTime.h"
#include "lib/foundation/format/FormatSettings.h"
#include "lib/foundation/format/Numeric.h"

namespace {

// A part (minutes or seconds) split into whole units and a fraction scaled
// to `decimals` digits; a rounded fraction or part reaching its limit
// carries into the next.
struct SPart {
  int64_t whole;
  int64_t fraction;
};

SPart RoundPart(double value, int decimals) {
  if (decimals == 0) return {RoundToInt64(value), 0};
  int64_t scale = IntPower<int64_t>(10, decimals);
  SPart part{FloorToInt64(value), 0};
  part.fraction = RoundToInt64((value - part.whole) * scale);
  if (part.fraction >= scale) {
    part.fraction = 0;
    ++part.whole;
  }
  return part;
}

CStr TwoDigits(int64_t value) { return (value < 10 ? CStr("0") : CStr()) + Int64ToStr(value); }

CStr PartText(const SPart& part, int decimals, const SFormatSettings& settings) {
  CStr text = TwoDigits(part.whole);
  if (decimals > 0) {
    CStr digits = Int64ToStr(part.fraction);
    text += settings.decimalSeparator;
    for (int i = digits.GetLength(); i < decimals; ++i) text += '0';
    text += digits;
  }
  return text;
}

int ClampDecimals(int decimals) { return decimals < 0 ? 0 : decimals > 9 ? 9 : decimals; }

// Whole degrees must fit the 32-bit field; NaN and infinities never do.
bool HasDegrees(double angle) { return std::fabs(angle) < 2147483648.0; }

}  // namespace

SDegMin AngleToDegMin(double angle) {
  if (!HasDegrees(angle)) return {angle < 0 ? -1 : 1, 0, std::nan("")};
  double a = std::fabs(angle);
  double degrees = std::floor(a);
  return {angle < 0 ? -1 : 1, static_cast<int32_t>(degrees), (a - degrees) * 60};
}

SDegMin AngleToDegMinRounded(double angle) {
  SDegMin dm = AngleToDegMin(angle);
  if (!HasDegrees(angle)) return dm;
  dm.minutes = static_cast<double>(RoundToInt64(dm.minutes));
  if (dm.minutes >= 60) {
    dm.minutes = 0;
    ++dm.degrees;
  }
  return dm;
}

SDegMinSec AngleToDegMinSec(double angle) {
  SDegMin dm = AngleToDegMin(angle);
  if (!HasDegrees(angle)) return {dm.sign, 0, 0, dm.minutes};
  double minutes = std::floor(dm.minutes);
  return {dm.sign, dm.degrees, static_cast<int32_t>(minutes), (dm.minutes - minutes) * 60};
}

SDegMinSec AngleToDegMinSecRounded(double angle) {
  SDegMinSec dms = AngleToDegMinSec(angle);
  if (!HasDegrees(angle)) return dms;
  dms.seconds = static_cast<double>(RoundToInt64(dms.seconds));
  if (dms.seconds >= 60) {
    dms.seconds = 0;
    ++dms.minutes;
  }
  if (dms.minutes >= 60) {
    dms.minutes = 0;
    ++dms.degrees;
  }
  return dms;
}

SAngleTexts AngleToDegMinParts(double angle, int decimals, char positiveLetter, char negativeLetter,
                               const SFormatSettings& settings) {
  SAngleTexts texts{angle < 0 ? negativeLetter : positiveLetter, CStr(), CStr(), CStr()};
  if (!HasDegrees(angle)) return texts;
  decimals = ClampDecimals(decimals);
  SDegMin dm = AngleToDegMin(angle);
  SPart minutes = RoundPart(dm.minutes, decimals);
  int64_t degrees = dm.degrees;
  if (minutes.whole >= 60) {
    minutes.whole = 0;
    ++degrees;
  }
  texts.degrees = Int64ToStr(degrees);
  texts.minutes = PartText(minutes, decimals, settings);
  return texts;
}

SAngleTexts AngleToDegMinSecParts(double angle, int decimals, char positiveLetter,
                                  char negativeLetter, const SFormatSettings& settings) {
  SAngleTexts texts{angle < 0 ? negativeLetter : positiveLetter, CStr(), CStr(), CStr()};
  if (!HasDegrees(angle)) return texts;
  decimals = ClampDecimals(decimals);
  SDegMinSec dms = AngleToDegMinSec(angle);
  SPart seconds = RoundPart(dms.seconds, decimals);
  int64_t minutes = dms.minutes;
  int64_t degrees = dms.degrees;
  if (seconds.whole >= 60) {
    seconds.whole = 0;
    ++minutes;
  }
  if (minutes >= 60) {
    minutes = 0;
    ++degrees;
  }
  texts.degrees = Int64ToStr(degrees);
  texts.minutes = TwoDigits(minutes);
  texts.seconds = PartText(seconds, decimals, settings);
  return texts;
}

CStr AngleToDegMinStr(double angle, int decimals, char positiveLetter, char negativeLetter,
                      const SFormatSettings& settings) {
  if (!HasDegrees(angle)) return CStr();
  SAngleTexts t = AngleToDegMinParts(angle, decimals, positiveLetter, negativeLetter, settings);
  return t.degrees + "\xB0 " + t.minutes + "' " + t.letter;
}

CStr AngleToDegMinSecStr(double angle, int decimals, char positiveLetter, char negativeLetter,
                         const SFormatSettings& settings) {
  if (!HasDegrees(angle)) return CStr();
  SAngleTexts t = AngleToDegMinSecParts(angle, decimals, positiveLetter, negativeLetter, settings);
  return t.degrees + "\xB0 " + t.minutes + "' " + t.seconds + "\" " + t.letter;
}
