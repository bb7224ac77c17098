#include "lib/foundation/streams/Zip.h"

#include "lib/foundation/core/ErrorCodes.h"
#include "lib/foundation/streams/PointerStream.h"

CZip::CZip(ZipCallback compress, void* compressData, ZipCallback uncompress, void* uncompressData)
    : compress_(compress),
      compressData_(compressData),
      uncompress_(uncompress),
      uncompressData_(uncompressData) {}

// A missing callback cannot do the work: that is a compression error, not a
// call through a null pointer.
void CZip::Compress(CStream* destination, CStream* source, uint32_t* err) const {
  if (!compress_) {
    *err = kErrCompress;
    return;
  }
  compress_(compressData_, destination, source, err);
}

void CZip::CompressBuffer(CStream* destination, const void* bytes, int64_t length,
                          uint32_t* err) const {
  CConstPointerStream source(bytes, length);
  Compress(destination, &source, err);
}

void CZip::Uncompress(CStream* destination, CStream* source, uint32_t* err) const {
  if (!uncompress_) {
    *err = kErrUncompress;
    return;
  }
  uncompress_(uncompressData_, destination, source, err);
}
