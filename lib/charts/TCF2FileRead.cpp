#include "lib/charts/TCF2FileRead.h"

#include "lib/charts/TCF2BoundsFile.h"
#include "lib/charts/TCF2FileLegacy.h"
#include "lib/charts/TCF2FileTables.h"
#include "lib/charts/TCF2TagFile.h"
#include "lib/foundation/core/ErrorCodes.h"
#include "lib/foundation/streams/FileStream.h"

namespace {

bool ReadChartV4(CStream& stream, const STCF2ChartParts& parts, uint32_t& warnings,
                 uint32_t& error) {
  const STCF2FileHeader& header = *parts.header;
  return TCF2FileReadHeaderV4(stream, *parts.header, error) &&
         TCF2FileReadTablesV4(stream, header, *parts.mipmap, *parts.tiles, error) &&
         TCF2FileReadUpdateTagV4(stream, header, *parts.updateTag, warnings, error) &&
         TCF2FileReadBoundsV4(stream, header, *parts.bounds, warnings, error) &&
         TCF2FileReadTagV4(stream, header, *parts.tag, warnings, error);
}

bool ReadChartV1(CStream& stream, const STCF2ChartParts& parts, uint32_t& warnings,
                 uint32_t& error) {
  return TCF2FileReadHeaderV1(stream, *parts.header, *parts.mipmap, *parts.tiles, error) &&
         TCF2FileReadTablesV1(stream, *parts.tag, *parts.updateTag, *parts.bounds, warnings, error);
}

bool ReadChartV2(CStream& stream, const STCF2ChartParts& parts, uint32_t& warnings,
                 uint32_t& error) {
  return TCF2FileReadHeaderV2(stream, *parts.header, *parts.mipmap, *parts.tiles, error) &&
         TCF2FileReadTablesV2(stream, *parts.tag, *parts.updateTag, *parts.bounds, warnings, error);
}

bool ReadChartV3(CStream& stream, const STCF2ChartParts& parts, uint32_t& warnings,
                 uint32_t& error) {
  const STCF2FileHeader& header = *parts.header;
  return TCF2FileReadHeaderV2(stream, *parts.header, *parts.mipmap, *parts.tiles, error) &&
         TCF2FileReadTablesV3(stream, header.Width, header.Height, *parts.tag, *parts.updateTag,
                              *parts.bounds, warnings, error);
}

bool ReadChartUnknown(CStream&, const STCF2ChartParts&, uint32_t&, uint32_t& error) {
  error = kErrFileVersionUnknown;
  return false;
}

template <class T>
using TSectionRead = bool (*)(CStream&, const STCF2FileHeader&, T&, uint32_t&, uint32_t&);

// Opens the file and reads one object: its section for 2.0.0.0, else the
// whole file into temporaries with `keep` pointing the one part at object.
template <class T, class Keep>
bool ReadOneObject(const CStr& name, T& object, TSectionRead<T> readSection, Keep keep,
                   uint32_t& warnings, uint32_t& error) {
  CFileStream stream;
  uint32_t version = 0, index = 0;
  error = 0;
  TCF2FileOpenRead(name, version, index, stream, error);
  if (error) return false;
  if (index == kTCF2Index2000) {
    STCF2FileHeader header;
    return TCF2FileReadHeaderV4(stream, header, error) &&
           readSection(stream, header, object, warnings, error);
  }
  STCF2ChartObjects temporary;
  STCF2ChartParts parts = temporary.Parts();
  keep(parts, object);
  return kTCF2ReadChart[index](stream, parts, warnings, error);
}

}  // namespace

const TTCF2ReadChart kTCF2ReadChart[kTCF2IndexCount] = {
    ReadChartUnknown, ReadChartV1, ReadChartV2, ReadChartV3, ReadChartV4,
};

bool TCF2FileReadStream(CStream& stream, uint32_t& version, uint32_t& index,
                        const STCF2ChartParts& parts, uint32_t& warnings, uint32_t& error) {
  error = 0;
  return TCF2FileReadMagic(stream, version, index, error) &&
         kTCF2ReadChart[index](stream, parts, warnings, error);
}

bool TCF2FileRead(const CStr& name, uint64_t& fileSize, uint32_t& version, uint32_t& index,
                  const STCF2ChartParts& parts, uint32_t& warnings, uint32_t& error) {
  CFileStream stream;
  error = 0;
  fileSize = TCF2FileOpenRead(name, version, index, stream, error);
  return error == 0 && kTCF2ReadChart[index](stream, parts, warnings, error);
}

bool TCF2FileReadTag(const CStr& name, CTCF2Tag& tag, uint32_t& warnings, uint32_t& error) {
  return ReadOneObject<CTCF2Tag>(
      name, tag, TCF2FileReadTagV4, [](STCF2ChartParts& p, CTCF2Tag& t) { p.tag = &t; }, warnings,
      error);
}

bool TCF2FileReadBoundsTag(const CStr& name, CTCF2Bounds& bounds, uint32_t& warnings,
                           uint32_t& error) {
  return ReadOneObject<CTCF2Bounds>(
      name, bounds, TCF2FileReadBoundsV4, [](STCF2ChartParts& p, CTCF2Bounds& b) { p.bounds = &b; },
      warnings, error);
}

bool TCF2FileReadUpdateTag(const CStr& name, CTCF2UpdateTag& tag, uint32_t& warnings,
                           uint32_t& error) {
  return ReadOneObject<CTCF2UpdateTag>(
      name, tag, TCF2FileReadUpdateTagV4,
      [](STCF2ChartParts& p, CTCF2UpdateTag& t) { p.updateTag = &t; }, warnings, error);
}
