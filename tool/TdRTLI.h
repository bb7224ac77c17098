#pragma once
#include <cstdint>
#include <string>

#include "tool/LineTable.h"

// Resource type 10 (RCDATA), identifier 30583: the line-information table.
constexpr int kRTLIResourceId = 30583;

// Installs the stack capture and loads the table from this program.
void RTLIInitialize();
void RTLIFinalize();
bool RTLIAvailable();
uint32_t RTLIGenerationTime();
bool RTLIFindAddress(uintptr_t address, TLineTable::Location& where);

// The captured stack, one line per address with file, line and routine.
std::string RTLIStackTraceText();
