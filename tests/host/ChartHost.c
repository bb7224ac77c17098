/* A C host linked against the import library that reads the smallest chart
 * file (the path is its argument) through TCF2FileRead and the class tables
 * of the header, refuses to convert it to an unknown version and, through
 * GetProcAddress, refuses to update it without an update, checking
 * that every call leaves the stack as it found it.
 * Exit code 0 when every check passed, else the number of the failed one. */
#include <stdio.h>
#include <string.h>
#include <windows.h>

#include "TdLib.h"

typedef void(TDLIB_API* TCF2FileUpdateFn)(const TdStr* chartName, TdTCF2Update* update,
                                          uint8_t* flag, TdObject* zip, const TdProgress* progress,
                                          uint32_t* error);

#if defined(_M_IX86) || defined(__i386__)
#define READ_SP(v) __asm__ volatile("movl %%esp, %0" : "=r"(v))
#else
#define READ_SP(v) ((v) = 0)
#endif

int main(int argc, char** argv) {
  if (argc < 2) return 100;
  TdTCF2FileHeader header;
  TdTCF2MipmapTable* mipmap = TCF2MipmapTableCreate();
  TdTCF2TileTable* tiles = TCF2TileTableCreate();
  TdTCF2Tag* tag = TCF2TagCreate();
  TdTCF2UpdateTag* update = TCF2UpdateTagCreate();
  TdTCF2Bounds* bounds = TCF2BoundsCreate();
  uint64_t size = 0;
  uint32_t version = 0, index = 0, warnings = 0, error = 99;
  uintptr_t before, after;
  double point[2] = {0, 0};
  if (!mipmap || !tiles || !tag || !update || !bounds) return 1;
  GeodeticsInitialize();

  READ_SP(before);
  TCF2FileRead(argv[1], &size, &version, &index, &header, mipmap, tiles, tag, update, bounds,
               &warnings, &error);
  READ_SP(after);
  if (before != after) return 2;
  if (error != 0 || size != 1576 || version != 0x02000000 || index != 4 || warnings != 0) return 3;
  if (header.width != 1 || header.levelCount != 1 || header.tableAPosition != 1208) return 4;

  READ_SP(before);
  if (mipmap->vtable->GetTileCount(mipmap, 0) != 1) return 5;
  if (tiles->vtable->GetEntry(tiles, 0)->alphaSize != 6) return 6;
  if (strcmp(tag->vtable->GetText2(tag)->chars, "Area") != 0) return 7;
  tag->vtable->GetCalPixPoint2(tag, point);
  if (point[0] != 1.0 || tag->vtable->GetOptValue2(tag) != -2.25) return 8;
  if (strcmp(update->vtable->GetText(update)->chars, "Update 7") != 0) return 9;
  if (bounds->vtable->GetPoint(bounds, 3, point) != 1 || point[0] != -0.5 || point[1] != 0.5)
    return 10;
  if (bounds->vtable->ContainsPoint(bounds, point) != 1) return 11;
  READ_SP(after);
  if (before != after) return 12;

  warnings = 0;
  error = 99;
  tag->vtable->Clear(tag);
  READ_SP(before);
  TCF2FileReadTag(argv[1], tag, &warnings, &error);
  READ_SP(after);
  if (before != after || error != 0 || tag->vtable->GetIdNumber(tag) != 0x12345) return 13;

  error = 99;
  READ_SP(before);
  TCF2FileConvert(argv[1], argv[1], 9, NULL, &error);
  READ_SP(after);
  if (before != after || error != 0x70000) return 15;

  {
    TCF2FileUpdateFn update_chart =
        (TCF2FileUpdateFn)GetProcAddress(GetModuleHandleA("TdLib.dll"), "TCF2FileUpdate");
    TdStr* name = StrCreate(argv[1], (int32_t)strlen(argv[1]));
    uint8_t flag = 5;
    if (!update_chart || !name) return 16;
    error = 99;
    READ_SP(before);
    update_chart(name, NULL, &flag, NULL, NULL, &error);
    READ_SP(after);
    if (before != after || error != 1 || flag != 0) return 17;
    ObjectDelete((TdObject*)name);
  }

  READ_SP(before);
  ObjectDelete((TdObject*)mipmap);
  ObjectDelete((TdObject*)tiles);
  ObjectDelete((TdObject*)tag);
  ObjectDelete((TdObject*)update);
  ObjectDelete((TdObject*)bounds);
  READ_SP(after);
  if (before != after) return 14;
  puts("host checks passed");
  return 0;
}
