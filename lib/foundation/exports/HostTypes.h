// The opaque types TdLib.h gives hosts, and the library's classes behind
// them. Exports are defined with the header's types, so that the compiler
// checks each definition against its declaration, and convert here.
#pragma once

#include "include/TdLib.h"
#include "lib/foundation/core/Object.h"
#include "lib/foundation/text/Str.h"
#include "lib/foundation/streams/Zip.h"

class CGeodeticCalibration;

#if TD_HOST_ABI
static_assert(sizeof(TdStr) == sizeof(CStr), "TdStr describes CStr");
#endif

namespace td {

// One host handle type and the library class behind it: the pair of
// conversions every export of that class uses.
#define TD_HOST_CLASS(HostType, LibType)                                                      \
  inline LibType* FromHost(HostType* object) { return reinterpret_cast<LibType*>(object); } \
  inline HostType* ToHost(LibType* object) { return reinterpret_cast<HostType*>(object); }

inline CObject* FromHost(TdObject* object) { return reinterpret_cast<CObject*>(object); }
inline TdObject* ToHost(CObject* object) { return reinterpret_cast<TdObject*>(object); }

inline const CStr* FromHost(const TdStr* text) { return reinterpret_cast<const CStr*>(text); }
inline TdStr* ToHost(CStr* text) { return reinterpret_cast<TdStr*>(text); }

inline CGeodeticCalibration* FromHost(TdGeodeticCalibration* calibration) {
  return reinterpret_cast<CGeodeticCalibration*>(calibration);
}
inline TdGeodeticCalibration* ToHost(CGeodeticCalibration* calibration) {
  return reinterpret_cast<TdGeodeticCalibration*>(calibration);
}

// The host's callback takes the streams as objects; the same function.
inline ZipCallback FromHost(TdZipCallback callback) { return reinterpret_cast<ZipCallback>(callback); }

}  // namespace td
