#include <objbase.h>

#include <cstring>

#include "lib/waypoints/NewItemId.h"

SItemId NewItemId() {
  GUID guid = {};
  CoCreateGuid(&guid);
  SItemId id;
  static_assert(sizeof(guid) == sizeof(id));
  std::memcpy(id.bytes, &guid, sizeof(id));
  return id;
}
