// Generates an update file from files: the chart file as the chart readers
// read it (the normal copies of its level-0 tiles) and the new image as a
// .bmp read band by band into 32-bit pixels, a tile row at a time. Any
// thread, one generation per set of files at a time.
#pragma once

#include <cstdint>

#include "lib/charts/UpdGenerate.h"

// The steps of UpdFileGenerate, after the image's header and the chart file
// have been read (their codes stop it first). A top-down .bmp counts by its
// absolute height. A short read of a tile gives 0x10005. May throw the chart
// readers' and the image converters' exceptions; an export turns them into 1.
bool UpdFileGenerateFromFiles(const CStr& updateFileName, const CStr& imageFileName,
                              const CStr& chartFileName, const SUpdGenerateInput& input,
                              const CZip* zip, const SProgress* progress, uint64_t& rawBytes,
                              uint64_t& compressedBytes, uint32_t& error);
