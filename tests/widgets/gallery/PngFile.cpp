#include "tests/widgets/gallery/PngFile.h"

#include <zlib.h>

#include <cstdio>
#include <vector>

namespace {

void PutBigEndian(std::vector<uint8_t>& out, uint32_t v) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(uint8_t(v >> shift));
}

void PutChunk(std::vector<uint8_t>& out, const char type[4], const std::vector<uint8_t>& data) {
  PutBigEndian(out, uint32_t(data.size()));
  size_t start = out.size();
  out.insert(out.end(), type, type + 4);
  out.insert(out.end(), data.begin(), data.end());
  PutBigEndian(out, uint32_t(crc32(0, out.data() + start, uInt(out.size() - start))));
}

}  // namespace

bool WritePng(const std::string& path, const uint32_t* pixels, int32_t width, int32_t height,
              int32_t stride) {
  std::vector<uint8_t> raw;
  raw.reserve(size_t(height) * (1 + size_t(width) * 3));
  for (int32_t y = 0; y < height; ++y) {
    raw.push_back(0);  // no filter
    const uint32_t* row = pixels + size_t(y) * stride;
    for (int32_t x = 0; x < width; ++x) {
      raw.push_back(uint8_t(row[x] >> 16));
      raw.push_back(uint8_t(row[x] >> 8));
      raw.push_back(uint8_t(row[x]));
    }
  }
  std::vector<uint8_t> packed(compressBound(uLong(raw.size())));
  uLongf packedSize = uLongf(packed.size());
  if (compress2(packed.data(), &packedSize, raw.data(), uLong(raw.size()), 6) != Z_OK) return false;
  packed.resize(packedSize);
  std::vector<uint8_t> header;
  PutBigEndian(header, uint32_t(width));
  PutBigEndian(header, uint32_t(height));
  header.insert(header.end(), {8, 2, 0, 0, 0});  // 8 bits, RGB
  std::vector<uint8_t> file = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  PutChunk(file, "IHDR", header);
  PutChunk(file, "IDAT", packed);
  PutChunk(file, "IEND", {});
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  bool written = std::fwrite(file.data(), 1, file.size(), f) == file.size();
  return std::fclose(f) == 0 && written;
}
