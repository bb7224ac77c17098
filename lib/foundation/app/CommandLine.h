// Splits a process command line into its parameters, the program name left out.
#pragma once

#include "lib/foundation/text/StrList.h"

// Tokens are separated by control characters and blanks; a double quote opens
// a run that ends at the next one. Bytes 0x80-0xFF are ordinary characters.
void ParseCommandLine(const CStr& line, CStrList& parameters);
