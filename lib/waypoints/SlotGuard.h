// Keeps exceptions (memory running out) inside the slots of the waypoint
// classes: a slot with an error pointer reports code 1, others their failure
// value.
#pragma once

#include <cstdint>

#include "lib/foundation/exports/Guard.h"

template <class Body>
void GuardSlot(uint32_t* error, Body&& body) noexcept {
  td::GuardVoidCode(error, static_cast<Body&&>(body));
}
