// Only the public header: the chart file is read as a host reads it.
#include "tests/widgets/demo/DemoHostCheck.h"

#include <initializer_list>

#include "include/TdLib.h"

SDemoChartFacts DemoReadChartAsHost(const char* path) {
  SDemoChartFacts facts;
  TCF2Initialize();
  TdTCF2FileHeader header = {};
  TdTCF2MipmapTable* mipmap = TCF2MipmapTableCreate();
  TdTCF2TileTable* tiles = TCF2TileTableCreate();
  TdTCF2Tag* tag = TCF2TagCreate();
  TdTCF2UpdateTag* updateTag = TCF2UpdateTagCreate();
  TdTCF2Bounds* bounds = TCF2BoundsCreate();
  uint64_t size = 0;
  uint32_t index = 0, warnings = 0;
  TCF2FileRead(path, &size, &facts.Version, &index, &header, mipmap, tiles, tag, updateTag, bounds,
               &warnings, &facts.Error);
  if (facts.Error == 0) {
    facts.Width = header.width;
    facts.Height = header.height;
    facts.Levels = static_cast<uint32_t>(mipmap->vtable->GetCount(mipmap));
    double unused[2];
    tag->vtable->GetCalibration(tag, &facts.CalibrationPoints, facts.Pix[0], facts.Pix[1], unused,
                                facts.Map[0], facts.Map[1], unused);
  }
  for (TdObject* object : {reinterpret_cast<TdObject*>(mipmap), reinterpret_cast<TdObject*>(tiles),
                           reinterpret_cast<TdObject*>(tag), reinterpret_cast<TdObject*>(updateTag),
                           reinterpret_cast<TdObject*>(bounds)})
    ObjectDelete(object);
  return facts;
}
