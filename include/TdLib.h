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

/* ---- gps ---- */

/* ---- waypoints ---- */

#ifdef __cplusplus
}
#endif

#endif /* TDLIB_H */
