// Writing a file that replaces another in one step: the content goes to a
// temporary file beside the target (MakeTempFileName), which is flushed,
// closed and then renamed over the target. On any failure, an exception from
// the writing function included, the target is untouched and the temporary
// file is gone. Any thread, one call per target at a time.
#pragma once

#include <cstdint>
#include <functional>

#include "lib/foundation/Stream.h"

// write fills the stream and reports false with its error code. False with
// the error code of the first step that failed.
bool WriteFileReplacing(const CStr& path, const std::function<bool(CStream&, uint32_t&)>& write,
                        uint32_t& error);
