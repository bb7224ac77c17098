// Angles in degrees split into degrees, minutes and seconds, and their text.
#pragma once

#include <cstdint>

#include "lib/foundation/text/Str.h"

struct SFormatSettings;

// All parts are of the absolute value; sign is -1 below 0, else +1.
struct SDegMin {
  int32_t sign;
  int32_t degrees;
  double minutes;
};

struct SDegMinSec {
  int32_t sign;
  int32_t degrees;
  int32_t minutes;
  double seconds;
};

// An angle whose whole degrees do not fit 32 bits (2^31 degrees and more,
// infinities, NaN) splits into 0 degrees (and minutes) with NaN in the last
// part, and gives empty texts.
SDegMin AngleToDegMin(double angle);
SDegMin AngleToDegMinRounded(double angle);
SDegMinSec AngleToDegMinSec(double angle);
SDegMinSec AngleToDegMinSecRounded(double angle);

// decimals 0..9 of the last part; the letter names the hemisphere.
CStr AngleToDegMinStr(double angle, int decimals, char positiveLetter, char negativeLetter,
                      const SFormatSettings& settings);
CStr AngleToDegMinSecStr(double angle, int decimals, char positiveLetter, char negativeLetter,
                         const SFormatSettings& settings);

// The texts the joined forms are made of, apart and from the same rounding:
// the hemisphere letter, the whole degrees, the minutes as two digits and the
// seconds as two digits, each last part followed by the separator and exactly
// `decimals` digits when decimals > 0. seconds stays empty in the degrees and
// minutes form; an angle without whole degrees (see above) gives empty texts.
struct SAngleTexts {
  char letter;
  CStr degrees;
  CStr minutes;
  CStr seconds;
};

SAngleTexts AngleToDegMinParts(double angle, int decimals, char positiveLetter, char negativeLetter,
                               const SFormatSettings& settings);
SAngleTexts AngleToDegMinSecParts(double angle, int decimals, char positiveLetter,
                                  char negativeLetter, const SFormatSettings& settings);
