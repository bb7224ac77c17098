// Free functions about serial ports that nothing in the library calls.
#pragma once

#include <cstdint>

#include "lib/foundation/containers/Array.h"

// Empties ports, then always throws its text as a plain `const char*`.
void EnumCommPorts(CArray<int32_t>& ports);

// Fills rates with the baud rates the port can be set to, in increasing
// order (134.5 baud is never reported), and logs its progress as debug output.
void ProbeCommPortBaudRates(uint32_t portNumber, CArray<int32_t>& rates);
