// Keeps exceptions inside the library at every export.
#pragma once

#include <cstdint>
#include <new>
#include <utility>

#include "lib/foundation/core/ErrorCodes.h"
#include "lib/foundation/core/Object.h"

namespace td {

// Runs `body`; an exception that escapes it becomes `failure`.
template <class R, class Body>
R Guard(R failure, Body&& body) noexcept {
  try {
    return body();
  } catch (...) {
    return failure;
  }
}

// The same for bodies without a result.
template <class Body>
void GuardVoid(Body&& body) noexcept {
  try {
    body();
  } catch (...) {
  }
}

// For exports with an error-code parameter: an escaping exception sets code 1.
template <class R, class Body>
R GuardCode(uint32_t* error, R failure, Body&& body) noexcept {
  try {
    return body();
  } catch (...) {
    if (error) *error = kErrUnknown;
    return failure;
  }
}

// A factory: the object, or null when allocation or construction fails. An
// object a host frees must be destroyed as its own class by slot 0.
template <class T, class... Args>
T* Create(Args&&... args) noexcept {
  static_assert(FillsSlotZero<T>(), "the class must declare its own slot 0 with TD_DELETE_THIS");
  try {
    return new (std::nothrow) T(std::forward<Args>(args)...);
  } catch (...) {
    return nullptr;
  }
}

}  // namespace td
