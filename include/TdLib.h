/* TdLib: the exports of TdLib.dll for C and C++ hosts.
 *
 * Every function uses the standard Windows calling convention. Objects come
 * from the factories and are freed with ObjectDelete. Each exported class is
 * listed with its virtual operations in table order: slot 0 is always the
 * deleting destructor (flag bit 0 frees), and every operation takes the
 * object as its first argument on the stack.
 */
#ifndef TDLIB_H
#define TDLIB_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

#define TDLIB_API __stdcall

/* ---- object model, strings, errors ---- */

typedef struct TdObject TdObject;
typedef void* (TDLIB_API* TdDeleteThis)(TdObject* self, unsigned flags); /* slot 0 of every class */

/* CStr: a 16-byte object: table, length, characters, wide copy. */
typedef struct TdStr {
  const void* const* vtable; /* slot 0: TdDeleteThis */
  int32_t length;            /* characters, not counting the terminator */
  char* chars;               /* always terminated */
  uint16_t* wide;            /* UTF-16 copy, null until made */
} TdStr;

TdObject* TDLIB_API ObjectDelete(TdObject* object);
TdStr* TDLIB_API StrCreate(const char* text, int32_t length);
const char* TDLIB_API ErrorToStr(uint32_t code);

/* ---- runtime ---- */

/* ---- units, progress, services ---- */

/* ---- geodesy ---- */

/* ---- projections and calibration ---- */

/* ---- bitmaps and drawing ---- */

/* ---- charts ---- */

/* Tile codec. A tile is up to 256 x 256 pixels 0xAARRGGBB, rows packed; the
 * functions do nothing for a width or height outside 1..256. */
void TDLIB_API TCF2Initialize(void);
/* Decodes a compressed tile (colour stream, then the alpha stream when
 * hasAlpha is not 0). Damaged data gives transparent black pixels,
 * *allTransparent 1, *allOpaque 0 and *colourSize 0. */
void TDLIB_API TCF2TileDecompress(uint32_t* dst, uint32_t width, uint32_t height, uint8_t* allTransparent,
                                  uint8_t* allOpaque, uint32_t* colourSize, const uint8_t* src,
                                  uint8_t hasAlpha);
/* dst must hold TCF2_TILE_CODE_BUFFER_SIZE bytes. */
void TDLIB_API TCF2TileCompress(uint8_t* dst, const uint32_t* src, uint32_t width, uint32_t height,
                                uint32_t* colourSize, uint32_t* alphaSize);
/* dst must hold TCF2_TILE_ALPHA_BUFFER_SIZE bytes. */
void TDLIB_API TCF2TileCompressAlpha(uint8_t* dst, const uint32_t* src, uint32_t width, uint32_t height,
                                     uint32_t* alphaSize);
#define TCF2_TILE_CODE_BUFFER_SIZE 338690
#define TCF2_TILE_ALPHA_BUFFER_SIZE 131072

/* ---- gps ---- */

/* ---- waypoints ---- */

#ifdef __cplusplus
}
#endif

#endif /* TDLIB_H */
