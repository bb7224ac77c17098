// Readers of single NMEA data fields. Each returns true when the field held
// a valid value and leaves what it could read in the out-value otherwise; a
// missing field is passed as an empty text. Numbers use the decimal point.
#pragma once

#include <cstdint>
#include <string_view>

#include "lib/gps/NmeaRecords.h"

// The first character of a non-empty field.
bool ReadNMEAChar(std::string_view field, char& value);
// A decimal integer of 0 or more (a negative count or id is no value).
bool ReadNMEAUInt(std::string_view field, uint32_t& value);
bool ReadNMEADouble(std::string_view field, double& value);
bool ReadNMEAFloat(std::string_view field, float& value);
// ddmm.mmmm with 'N' or 'S', and dddmm.mmmm with 'E' or 'W' (capitals only).
bool ReadNMEALatitude(std::string_view field, std::string_view hemisphere, double& value);
bool ReadNMEALongitude(std::string_view field, std::string_view hemisphere, double& value);
// 0 to 180 degrees with 'E' or 'W'; west is negative.
bool ReadNMEAVariation(std::string_view field, std::string_view hemisphere, float& value);
// hhmmss or hhmmss.sss; the millisecond is truncated.
bool ReadNMEATime(std::string_view field, SNMEATime& value);
// ddmmyy; the year counts as 2000 + yy for the leap-year rule.
bool ReadNMEADate(std::string_view field, SNMEADate& value);
