#include "tests/charts/ZlibZip.h"

#include <zlib.h>

#include <vector>

#include "lib/foundation/core/ErrorCodes.h"
#include "lib/foundation/streams/Stream.h"

namespace {

// A host's callback lets no exception into the library: running out of
// memory is reported as the callback's failure.
void Compress(CStream* destination, CStream* source, uint32_t* err) {
  std::string raw(static_cast<size_t>(source->GetSize() - source->GetPosition()), '\0');
  if (!raw.empty() && source->Read(raw.data(), static_cast<int32_t>(raw.size())) !=
                          static_cast<int32_t>(raw.size()))
    return;
  const std::string packed = Deflate(raw);
  const int32_t size = static_cast<int32_t>(packed.size());
  if (destination->Write(packed.data(), size) == size) *err = 0;
}

void Uncompress(z_stream& z, CStream* destination, CStream* source, uint32_t* err) {
  std::vector<uint8_t> in(16384), out(65536);
  for (int status = Z_OK; status == Z_OK;) {
    if (z.avail_in == 0) {
      const int32_t n = source->Read(in.data(), static_cast<int32_t>(in.size()));
      if (n <= 0) break;
      z.next_in = in.data();
      z.avail_in = static_cast<uInt>(n);
    }
    z.next_out = out.data();
    z.avail_out = static_cast<uInt>(out.size());
    status = inflate(&z, Z_NO_FLUSH);
    const int32_t produced = static_cast<int32_t>(out.size() - z.avail_out);
    if (produced > 0 && destination->Write(out.data(), produced) != produced) break;
    if (status == Z_STREAM_END) *err = 0;
  }
}

void TD_STDCALL CompressCallback(void*, CStream* destination, CStream* source, uint32_t* err) {
  *err = kErrCompress;
  try {
    Compress(destination, source, err);
  } catch (...) {
    *err = kErrCompress;
  }
}

void TD_STDCALL UncompressCallback(void*, CStream* destination, CStream* source, uint32_t* err) {
  *err = kErrUncompress;
  z_stream z = {};
  if (inflateInit(&z) != Z_OK) return;
  try {
    Uncompress(z, destination, source, err);
  } catch (...) {
    *err = kErrUncompress;
  }
  inflateEnd(&z);
}

}  // namespace

std::string Deflate(const std::string& raw) {
  uLongf size = compressBound(static_cast<uLong>(raw.size()));
  std::string packed(size, '\0');
  compress2(reinterpret_cast<Bytef*>(packed.data()), &size,
            reinterpret_cast<const Bytef*>(raw.data()), static_cast<uLong>(raw.size()), 6);
  packed.resize(size);
  return packed;
}

const CZip& TestZip() {
  static CZip* zip = new CZip(CompressCallback, nullptr, UncompressCallback, nullptr);
  return *zip;
}
