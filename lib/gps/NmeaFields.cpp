#include "lib/gps/NmeaFields.h"

#include "lib/foundation/format/Convert.h"
#include "lib/foundation/time/DateTime.h"
#include "lib/foundation/format/FormatSettings.h"

namespace {

int32_t Length(std::string_view text) { return static_cast<int32_t>(text.size()); }

bool ParseInt(std::string_view text, int32_t& value) {
  return TryStrToInt(text.data(), Length(text), &value);
}

bool ParseDouble(std::string_view text, double& value) {
  return TryStrToDouble(text.data(), Length(text), &value, FixedFormatSettings());
}

// Characters [start, start + count) of the field, clamped to it.
std::string_view Part(std::string_view text, size_t start, size_t count) {
  return start < text.size() ? text.substr(start, count) : std::string_view();
}

bool InRange(int32_t value, int32_t low, int32_t high) { return value >= low && value <= high; }

// Degrees in the first degreeDigits characters, minutes in the rest; the
// hemisphere letter `negative` makes the value negative.
bool ReadAngle(std::string_view field, std::string_view hemisphere, size_t degreeDigits,
               double limit, char positive, char negative, double& value) {
  if (field.empty()) return false;
  double degrees, minutes;
  if (!ParseDouble(Part(field, 0, degreeDigits), degrees) ||
      !ParseDouble(Part(field, degreeDigits, field.size()), minutes))
    return false;
  if (degrees < 0 || degrees > limit || minutes < 0 || minutes >= 60) return false;
  value = degrees + minutes * (1.0 / 60.0);
  if (value > limit || hemisphere.empty()) return false;
  if (hemisphere[0] == negative) value = -value;
  return hemisphere[0] == positive || hemisphere[0] == negative;
}

}  // namespace

bool ReadNMEAChar(std::string_view field, char& value) {
  if (field.empty()) return false;
  value = field[0];
  return true;
}

bool ReadNMEAUInt(std::string_view field, uint32_t& value) {
  int32_t parsed;
  if (field.empty() || !ParseInt(field, parsed) || parsed < 0) return false;
  value = static_cast<uint32_t>(parsed);
  return true;
}

bool ReadNMEADouble(std::string_view field, double& value) {
  return !field.empty() && ParseDouble(field, value);
}

bool ReadNMEAFloat(std::string_view field, float& value) {
  return !field.empty() &&
         TryStrToFloat(field.data(), Length(field), &value, FixedFormatSettings());
}

bool ReadNMEALatitude(std::string_view field, std::string_view hemisphere, double& value) {
  return ReadAngle(field, hemisphere, 2, 90, 'N', 'S', value);
}

bool ReadNMEALongitude(std::string_view field, std::string_view hemisphere, double& value) {
  return ReadAngle(field, hemisphere, 3, 180, 'E', 'W', value);
}

bool ReadNMEAVariation(std::string_view field, std::string_view hemisphere, float& value) {
  if (!ReadNMEAFloat(field, value) || value < 0 || value > 180 || hemisphere.empty()) return false;
  if (hemisphere[0] == 'W') value = -value;
  return hemisphere[0] == 'E' || hemisphere[0] == 'W';
}

bool ReadNMEATime(std::string_view field, SNMEATime& value) {
  int32_t hour, minute, second;
  if (!ParseInt(Part(field, 0, 2), hour) || !ParseInt(Part(field, 2, 2), minute) ||
      !ParseInt(Part(field, 4, 2), second))
    return false;
  if (!InRange(hour, 0, 23) || !InRange(minute, 0, 59) || !InRange(second, 0, 59)) return false;
  // Six digits without a fraction are a whole second.
  float fraction = 0;
  if (field.size() != 6) {
    std::string_view text = Part(field, 6, field.size());
    if (!TryStrToFloat(text.data(), Length(text), &fraction, FixedFormatSettings())) return false;
    if (fraction < 0.0f || fraction >= 1.0f) return false;
  }
  const int32_t ms = static_cast<int32_t>(fraction * 1000.0f);
  value = {static_cast<uint16_t>(hour), static_cast<uint16_t>(minute),
           static_cast<uint16_t>(second), static_cast<uint16_t>(ms < 1000 ? ms : 999)};
  return true;
}

bool ReadNMEADate(std::string_view field, SNMEADate& value) {
  int32_t day, month, year;
  const size_t last = field.size() < 2 ? 0 : field.size() - 2;
  if (!ParseInt(Part(field, 0, 2), day) || !ParseInt(Part(field, 2, 2), month) ||
      !ParseInt(Part(field, last, 2), year))
    return false;
  if (year < 0 || !InRange(month, 1, 12) || !InRange(day, 1, DaysInMonth(2000 + year, month)))
    return false;
  value = {static_cast<uint16_t>(year), static_cast<uint16_t>(month), static_cast<uint16_t>(day)};
  return true;
}
