// Holder of the host's compression callbacks, which the chart update files
// use to deflate and inflate their data.
#pragma once

#include <cstdint>

#include "lib/foundation/core/Abi.h"
#include "lib/foundation/core/Object.h"

class CStream;

// Reads the source from its current position and writes the destination at
// its current position; *err is 0 on success.
using ZipCallback = void(TD_STDCALL*)(void* userData, CStream* destination, CStream* source,
                                      uint32_t* err);

class CZip : public CObject {
 public:
  CZip(ZipCallback compress, void* compressData, ZipCallback uncompress, void* uncompressData);

  TD_DELETE_THIS(CZip)

  void Compress(CStream* destination, CStream* source, uint32_t* err) const;
  void CompressBuffer(CStream* destination, const void* bytes, int64_t length, uint32_t* err) const;
  void Uncompress(CStream* destination, CStream* source, uint32_t* err) const;

 private:
  ZipCallback compress_;
  void* compressData_;
  ZipCallback uncompress_;
  void* uncompressData_;
};
