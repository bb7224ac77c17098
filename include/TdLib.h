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

/* CStream: a byte stream with 64-bit positions (seek origin 0 start,
 * 1 current, 2 end). Its table: */
typedef struct TdStreamTable {
  TdDeleteThis DeleteThis;
  int64_t(TDLIB_API* GetPosition)(TdObject* self);
  int64_t(TDLIB_API* GetSize)(TdObject* self);
  int32_t(TDLIB_API* Read)(TdObject* self, void* buffer, int32_t count);
  int64_t(TDLIB_API* Seek)(TdObject* self, int64_t offset, int32_t origin);
  uint8_t(TDLIB_API* SetSize)(TdObject* self, int64_t size);
  int32_t(TDLIB_API* Write)(TdObject* self, const void* buffer, int32_t count);
} TdStreamTable;

/* The whole day d for which d + timeOfDay lies within half a day of the
 * reference; days count from 1899-12-30, the fraction is the time of day. */
double TDLIB_API CalcDate(double timeOfDay, double reference);

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
