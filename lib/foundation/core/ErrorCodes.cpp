#include "lib/foundation/core/ErrorCodes.h"

#include <algorithm>
#include <iterator>

#include "lib/foundation/text/Language.h"

namespace {

struct ErrorRow {
  uint32_t code;
  SLangText text;  // only English and Dutch are ever filled
};

// Sorted by code.
constexpr ErrorRow kErrors[] = {
    {0x00000000, {{"No error", "Geen fout"}}},
    {0x00000001, {{"Unknown error", "Onbekende fout"}}},
    {0x00000002, {{"The operation was canceled by the user", "De bewerking is geannuleerd door de gebruiker"}}},
    {0x0000000A, {{"Error during compression of data", ""}}},
    {0x0000000B, {{"Error during uncompression of data", ""}}},
    {0x00000014, {{"The path is invalid (it contains syntax errors)", ""}}},
    {0x00000015, {{"The system cannot find the path specified", ""}}},
    {0x00000016, {{"The directory is not empty", ""}}},
    {0x00000017, {{"The disk is full", ""}}},
    {0x00010000, {{"The file could not be found", "Het bestand is niet gevonden"}}},
    {0x00010001, {{"The file could not be created", "Het bestand kon niet worden gecre\xEB" "erd"}}},
    {0x00010002, {{"File could not be opened", ""}}},
    {0x00010003, {{"Access denied", ""}}},
    {0x00010004, {{"Media is write-protected", ""}}},
    {0x00010005, {{"Cannot read from the specified file", ""}}},
    {0x00010006, {{"Cannot write to the specified  file", ""}}},
    {0x00010007, {{"Cannot move the file pointer of the specified file", ""}}},
    {0x00010008, {{"Cannot delete the specified file", ""}}},
    {0x00010009, {{"Cannot rename the specified file", ""}}},
    {0x0001000A, {{"Cannot get the file time of the specified file", ""}}},
    {0x0001000B, {{"Cannot set the file time of the specified file", ""}}},
    {0x0001000C, {{"Cannot get the file size of the specified file", ""}}},
    {0x00010014, {{"The file type is unknown", ""}}},
    {0x00010015, {{"The format of the file is incorrect", ""}}},
    {0x00010016, {{"The file has an invalid header", ""}}},
    {0x00010017, {{"The file version is unknown", ""}}},
    {0x00010018, {{"The file version is newer than supported by this application", ""}}},
    {0x00010019, {{"The file version is not supported", ""}}},
    {0x0001001A, {{"The actual file size differs from the file size stored in the file", ""}}},
    {0x0001001B, {{"The actual file checksum differs from the file checksum stored in the file", ""}}},
    {0x00030000, {{"The COM port was not found", ""}}},
    {0x00030001, {{"The COM port is in use", ""}}},
    {0x00030002, {{"Cannot open the COM port", ""}}},
    {0x00030003, {{"Cannot set the size of the input and output buffers", ""}}},
    {0x00030004, {{"Cannot get the device control block", ""}}},
    {0x00030005, {{"Cannot set the device control block", ""}}},
    {0x00030006, {{"Cannot set the timeout values", ""}}},
    {0x00030008, {{"Cannot read from the COM port", ""}}},
    {0x00030009, {{"Cannot write to the COM port", ""}}},
    {0x00040000, {{"Rapi error", ""}}},
    {0x00040001, {{"Rapi initialization failed", ""}}},
    {0x00040002, {{"Rapi initialization timed out", ""}}},
    {0x00040003, {{"Could not retrievec the OS version of the pda", ""}}},
    {0x00040004, {{"Rapi call not implemented", ""}}},
    {0x00040005, {{"Rapi exception in service", ""}}},
    {0x00050001, {{"Unsupported bit count", ""}}},
    {0x00050002, {{"Compression method unsupported", ""}}},
    {0x0005000A, {{"The version in the bitmap header is unknown", ""}}},
    {0x0005000B, {{"The planecount in the bitmap header is unsupported", ""}}},
    {0x00070000, {{"Operation not supported on this version of a TCF2-file", ""}}},
    {0x00070001, {{"Error during renaming of a TCF2-file", ""}}},
    {0x0007000A, {{"Width of the chart is invalid", ""}}},
    {0x0007000B, {{"Height of the chart is invalid", ""}}},
    {0x0007000C, {{"Mipmap count of the chart is invalid", ""}}},
    {0x00070014, {{"Number of bounds points is invalid", ""}}},
    {0x0007001E, {{"Unknown calibration error", ""}}},
    {0x0007001F, {{"Calibration not initialized", ""}}},
    {0x00070020, {{"Number of calibration points is invalid", ""}}},
    {0x00070021, {{"The calibration points are too close", ""}}},
    {0x00070022, {{"Two calibration point's pixel coordinates have the same value", ""}}},
    {0x00070023, {{"Two calibration point's projection coordinates have the same value", ""}}},
    {0x00070024, {{"The calibration is upside-down", ""}}},
    {0x00070025, {{"The calibration is mirrored. The left side at the right side", ""}}},
    {0x00070028, {{"Projection code is unknown", ""}}},
    {0x00070029, {{"Calibration parameter k0 is invalid", ""}}},
    {0x0007002A, {{"Calibration parameter Lat0 is invalid", ""}}},
    {0x0007002B, {{"Calibration parameter Long0 is invalid", ""}}},
    {0x0007002C, {{"Calibration parameter Lat1 is invalid", ""}}},
    {0x0007002D, {{"Calibration parameter Lat2 is invalid", ""}}},
    {0x00070032, {{"Datum is unknown", ""}}},
    {0x00070033, {{"Datum type is unknown", ""}}},
    {0x00070034, {{"Source format code is unknown", ""}}},
    {0x00070035, {{"Link type code is unknown", ""}}},
    {0x0007003C, {{"The updated bitmap and the original chart have different sizes", ""}}},
    {0x0007003D, {{"No update available for this tile", ""}}},
    {0x0007003E, {{"The update is not for this chart", ""}}},
    {0x00080000, {{"Cannot modify or delete a read-only item", ""}}},
    {0x00080001, {{"The database is already open", ""}}},
    {0x0008000A, {{"Maximum number of groups in this database is reached", ""}}},
    {0x0008000B, {{"Maximum number of routes in this database is reached", ""}}},
    {0x0008000C, {{"Maximum number of route points in the route is reached", ""}}},
    {0x0008000D, {{"Maximum number of types in this database is reached", ""}}},
    {0x0008000E, {{"Maximum number of waypoints in this database is reached", ""}}},
    {0x00080014, {{"Icon image is too small", ""}}},
    {0x00080015, {{"Icon image is too large", ""}}},
    {0x00080016, {{"Icon origin is outside icon", ""}}},
    {0x0008001E, {{"Font size too small", ""}}},
    {0x0008001F, {{"Font size too large", ""}}},
    {0x00080028, {{"Name of item is too long", ""}}},
    {0x00080032, {{"Cannot set the position of a route point when a waypoint is attached to it", ""}}},
    {0x00080033, {{"Waypoint not found", ""}}},
    {0x00080034, {{"Item not found", ""}}},
    {0x00090000, {{"Cannot complete operation because a route is started", ""}}},
    {0x00090001, {{"Cannot complete operation because the position is invalid", ""}}},
};

}  // namespace

const char* ErrorText(uint32_t code) {
  // Codes compare as signed numbers: one with the top bit set is never in the table.
  if (static_cast<int32_t>(code) < 0) return "Unspecified";
  auto row = std::lower_bound(std::begin(kErrors), std::end(kErrors), code,
                              [](const ErrorRow& r, uint32_t c) { return r.code < c; });
  if (row == std::end(kErrors) || row->code != code) return "Unspecified";
  return GetLangText(row->text);
}
