#pragma once
#include <string>

// Puts a report block in front of the error log and keeps the newest 5000
// lines. The log is replaced in one step by a file written beside it; any
// failure leaves the old log as it was. Never throws.
bool PrependToErrorLog(const std::string& path, const std::string& block);

constexpr int kErrorLogMaxLines = 5000;
