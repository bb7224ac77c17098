// Keeps exceptions inside the library at every export and every slot.
//
// The rule, proven for every slot of every class in include/TdLib.h (and the
// classes they derive from or that derive from them), for every export of
// TdLib.def and for every stdcall function (window procedures, thread bodies,
// callbacks) by scripts/check_slot_guards.py, a test of the native build: the
// body of a slot or an export calls only what cannot throw. That is a
// function declared noexcept (these guards, slot 0), a C function of the
// system, another slot, or a function of the library which keeps the rule
// itself, with the destructors, constructors and default arguments it runs.
// Anything else, and so every call through an unknown pointer, runs inside one of the guards
// below, which turn an escaping exception into the slot's failure result:
// nothing changed where it can be kept so, else 0, false, null or NaN, and
// code 1 (kErrUnknown) where the slot has an error pointer. Trivial getters
// and setters that touch only members stay bare. A slot or an export takes no
// bool: a host passes a byte, true when it is not 0, and a boolean result is
// exactly 0 or 1. A function declared noexcept keeps the same rule, since one
// that throws ends the process.
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

// The same with a failure action (which must not throw itself), for results
// that go to the caller's records.
template <class Body, class Failure>
void GuardVoid(Body&& body, Failure&& failure) noexcept {
  try {
    body();
  } catch (...) {
    failure();
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

// The same for bodies without a result.
template <class Body>
void GuardVoidCode(uint32_t* error, Body&& body) noexcept {
  try {
    body();
  } catch (...) {
    if (error) *error = kErrUnknown;
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
