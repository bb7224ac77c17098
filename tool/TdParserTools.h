#pragma once

// Moves past characters of code 1 to 32; true when it moved.
bool SkipBlanks(const char*& cursor);

// An optional sign and decimal digits, or with allowHex "$" and hexadecimal
// digits. The cursor moves only on success.
bool ParseInteger(const char*& cursor, bool allowHex, long long& value);
