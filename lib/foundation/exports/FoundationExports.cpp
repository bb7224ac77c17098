// Exports of the object model, strings and error texts.
#include "include/TdLib.h"
#include "lib/foundation/core/Abi.h"
#include "lib/foundation/core/ErrorCodes.h"
#include "lib/foundation/text/Str.h"
#include "lib/foundation/exports/Guard.h"
#include "lib/foundation/exports/HostTypes.h"

TDEXPORT(TdObject*) ObjectDelete(TdObject* object) {
  td::GuardVoid([&] { td::Free(td::FromHost(object)); });
  return object;
}

// A negative length gives an empty string.
TDEXPORT(TdStr*) StrCreate(const char* text, int32_t length) {
  if (!text || length < 0) length = 0;
  return td::ToHost(td::Create<CStr>(length, text));
}

TDEXPORT(const char*) ErrorToStr(uint32_t code) {
  return td::Guard(static_cast<const char*>(""), [&] { return ErrorText(code); });
}
