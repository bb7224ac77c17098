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

/* Units of measure. A unit code is quantity << 16 | unit: SI units carry
 * 0x8000 and a prefix index 1..21 (11 = no prefix) in the low byte (metre
 * 0x0006800B, kilometre 0x0006800E), other units their index in their
 * quantity's list (nautical mile 0x00060006, knot 0x00090002). Call
 * UnitsInitialize once before converting or naming a unit. */
#define TD_UNIT_UNKNOWN 0xFFFFFFFFu
void TDLIB_API UnitsInitialize(void);
/* NaN when the quantities do not match or a code names no unit. */
double TDLIB_API UnitConvert(double value, uint32_t from, uint32_t to);
/* Converts count values, the last first, so source may equal destination;
 * on failure every destination value becomes NaN. */
void TDLIB_API UnitConvertD(const double* source, double* destination, int32_t count,
                            uint32_t from, uint32_t to);
void TDLIB_API UnitConvertF(const float* source, float* destination, int32_t count,
                            uint32_t from, uint32_t to);
/* The code of a unit text ("km", "kn", "\xB0""C"); TD_UNIT_UNKNOWN when the
 * text names no unit. */
uint32_t TDLIB_API StrToUnit(const TdStr* text);
/* The unit's text as a new string, or null for a code that names no unit. */
TdStr* TDLIB_API StrCreateFromUnit(uint32_t unit);

/* Progress. A root record covers 0.0 to 1.0; child records cover their
 * parent's current step, so nested operations report one overall position. */
typedef struct TdProgressInfo {
  uint32_t stageId;
  float fraction; /* as given to ProgressCall */
  float position; /* overall position, 0.0 to 1.0 */
  uint32_t extra;
  uint32_t value; /* as given to ProgressCall */
  uint8_t cancel; /* 0 on entry; set it to cancel */
} TdProgressInfo;
typedef void(TDLIB_API* TdProgressCallback)(void* userData, TdProgressInfo* info);
typedef struct TdProgress {
  TdProgressCallback callback; /* may be null */
  void* userData;
  float position;
  float scale;
  uint32_t stageId;
  float step;
  uint32_t extra;
} TdProgress;
void TDLIB_API ProgressStageInit1(TdProgress* record, float fraction, uint32_t stageId,
                                  TdProgressCallback callback, void* userData, uint32_t extra);
void TDLIB_API ProgressLoopInit1(TdProgress* record, int32_t count, float fraction,
                                 uint32_t stageId, TdProgressCallback callback, void* userData,
                                 uint32_t extra);
void TDLIB_API ProgressStageInit(TdProgress* child, const TdProgress* parent, float fraction,
                                 uint32_t stageId);
void TDLIB_API ProgressLoopInit(TdProgress* child, const TdProgress* parent, int32_t count,
                                float fraction, uint32_t stageId);
void TDLIB_API ProgressStageNext(TdProgress* record, float fraction, uint32_t stageId);
void TDLIB_API ProgressLoopNext(TdProgress* record);
/* Calls the callback; *error becomes 2 when it cancelled, else 0. */
void TDLIB_API ProgressCall(const TdProgress* record, float fraction, uint32_t value,
                            uint32_t* error);

/* Visual styles: ThemesInitialize loads "uxtheme.dll" when present. The
 * queries answer 0 or 1. */
void TDLIB_API ThemesInitialize(void);
uint8_t TDLIB_API ThemesAvailable(void);
uint8_t TDLIB_API ThemesEnabled(void);

/* CSound: a wave file held in memory. Its table: */
typedef struct TdSoundTable {
  TdDeleteThis DeleteThis;
  uint8_t(TDLIB_API* GetEnabled)(TdObject* self);
  /* Replaces the sound by the file; error codes of the file streams. */
  void(TDLIB_API* Load)(TdObject* self, const char* fileName, uint32_t* error);
  /* Plays asynchronously when loaded and enabled. */
  void(TDLIB_API* Play)(TdObject* self);
  void(TDLIB_API* SetEnabled)(TdObject* self, uint8_t enabled);
} TdSoundTable;
TdObject* TDLIB_API SoundCreate(void);
/* Returns the sound even when loading failed; the error code tells. */
TdObject* TDLIB_API SoundCreate1(const char* fileName, uint32_t* error);

/* CZip holds the host's compression callbacks, which the chart update files
 * use. Each reads its source stream from its current position and writes the
 * destination at its current position; *error is 0 on success. */
typedef void(TDLIB_API* TdZipCallback)(void* userData, TdObject* destination, TdObject* source,
                                       uint32_t* error);
TdObject* TDLIB_API ZipCreate(TdZipCallback compress, void* compressData, TdZipCallback uncompress,
                              void* uncompressData);

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
