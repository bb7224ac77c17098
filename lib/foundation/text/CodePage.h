// Conversions between the ANSI code page and UTF-16.
#pragma once

namespace td {

// Each returns the number of units the conversion needs (out == nullptr) or
// wrote; `length` counts input units, terminators included when the caller
// wants them converted. A result of 0 for non-empty input means failure.
int AnsiToWide(const char* text, int length, char16_t* out, int outLength);
int WideToAnsi(const char16_t* text, int length, char* out, int outLength);

}  // namespace td
