// The image readers against stb_image on files written down from the .bmp
// and TGA layouts: every pixel must agree. 5-bit channels are compared in
// their top five bits (stb widens them by bit replication, the readers by a
// shift).
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_BMP
#define STBI_ONLY_TGA
#include <stb/stb_image.h>

#include "tests/bitmap/ImageBytes.h"

namespace {

constexpr int32_t kWidth = 13, kHeight = 7;

std::string RandomBytes(std::mt19937& random, size_t count, int distinct = 256) {
  std::string s(count, '\0');
  for (char& c : s) c = static_cast<char>(random() % distinct);
  return s;
}

// A .bmp of kWidth x kHeight with random rows (and a random 4-byte palette).
std::string RandomBmp(std::mt19937& random, uint32_t bits, int32_t height) {
  const size_t stride = ((kWidth * bits + 31) / 32) * 4;
  const std::string palette = bits <= 8 ? RandomBytes(random, size_t{4} << bits) : "";
  std::string pixels = RandomBytes(random, stride * kHeight);
  if (bits == 32)  // alpha never 0, so that stb keeps it
    for (size_t i = 3; i < pixels.size(); i += 4) pixels[i] = static_cast<char>(pixels[i] | 1);
  return BmpFile(kWidth, height, bits, 0, palette, pixels);
}

// The whole image as TGA run-length packets that ignore row ends.
std::string RunLengthPackets(const std::string& pixels, size_t bytes, std::mt19937& random) {
  std::string out;
  const size_t count = pixels.size() / bytes;
  for (size_t i = 0; i < count;) {
    size_t run = 1;
    while (i + run < count && run < 128 &&
           pixels.compare(i * bytes, bytes, pixels, (i + run) * bytes, bytes) == 0)
      ++run;
    if (run > 1) {
      out += static_cast<char>(0x80 | (run - 1));
      out += pixels.substr(i * bytes, bytes);
    } else {
      run = std::min<size_t>(count - i, 1 + random() % 40);
      out += static_cast<char>(run - 1);
      out += pixels.substr(i * bytes, run * bytes);
    }
    i += run;
  }
  return out;
}

void ExpectSameAsStb(const std::string& file, bool tga, uint32_t colourMask, const char* what) {
  const SDecoded ours = Decode(file, tga, pfA8R8G8B8, 1, true);
  ASSERT_EQ(ours.error, 0u) << what;
  int w = 0, h = 0, n = 0;
  stbi_uc* theirs = stbi_load_from_memory(reinterpret_cast<const stbi_uc*>(file.data()),
                                          static_cast<int>(file.size()), &w, &h, &n, 4);
  ASSERT_NE(theirs, nullptr) << what << ": " << stbi_failure_reason();
  ASSERT_EQ(w, ours.desc.width) << what;
  ASSERT_EQ(h, ours.desc.height) << what;
  int mismatches = 0;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const stbi_uc* p = theirs + (static_cast<size_t>(y) * w + x) * 4;
      const uint32_t stb = uint32_t{p[3]} << 24 | uint32_t{p[0]} << 16 | uint32_t{p[1]} << 8 | p[2];
      const uint32_t mine = ours.Pixel32(x, y);
      if ((stb & colourMask) != (mine & colourMask) && mismatches++ < 5)
        ADD_FAILURE() << what << " at " << x << "," << y << ": stb " << std::hex << stb << ", ours "
                      << mine;
    }
  stbi_image_free(theirs);
}

TEST(StbOracle, BmpFiles) {
  std::mt19937 random(11);
  for (uint32_t bits : {1u, 4u, 8u, 24u, 32u}) {
    const std::string name = std::to_string(bits) + " bits";
    ExpectSameAsStb(RandomBmp(random, bits, kHeight), false, 0xFFFFFFFF, name.c_str());
    ExpectSameAsStb(RandomBmp(random, bits, -kHeight), false, 0xFFFFFFFF,
                    (name + " top-down").c_str());
  }
  const std::string pixels = RandomBytes(random, ((kWidth * 24 + 31) / 32) * 4 * kHeight);
  ExpectSameAsStb(CoreBmpFile(kWidth, kHeight, 24, "", pixels), false, 0xFFFFFFFF, "core header");
  ExpectSameAsStb(RandomBmp(random, 16, kHeight), false, 0x00F8F8F8, "16 bits");
}

TEST(StbOracle, TgaFiles) {
  std::mt19937 random(12);
  for (uint8_t depth : {uint8_t{16}, uint8_t{24}, uint8_t{32}})
    for (bool runLength : {false, true})
      for (uint8_t origin : {uint8_t{0}, uint8_t{0x20}}) {
        STgaFields f;
        f.imageType = runLength ? 10 : 2, f.depth = depth, f.width = kWidth, f.height = kHeight;
        f.descriptor = origin | (depth == 32 ? 8 : depth == 16 ? 1 : 0);
        const size_t bytes = depth / 8;
        std::string pixels = RandomBytes(random, bytes * kWidth * kHeight, runLength ? 2 : 256);
        if (depth == 16)  // stb reads bit 15 as alpha
          for (size_t i = 1; i < pixels.size(); i += 2)
            pixels[i] = static_cast<char>(pixels[i] & 0x7F);
        const std::string data = runLength ? RunLengthPackets(pixels, bytes, random) : pixels;
        const std::string name =
            std::to_string(depth) + (runLength ? " run-length" : " raw") + (origin ? " top" : "");
        ExpectSameAsStb(TgaFile(f, "", data), true, depth == 16 ? 0x00F8F8F8 : 0xFFFFFFFF,
                        name.c_str());
      }
  STgaFields mapped;
  mapped.imageType = 9, mapped.mapType = 1, mapped.mapLength = 4, mapped.mapBits = 24,
  mapped.depth = 8;
  mapped.width = kWidth, mapped.height = kHeight;
  const std::string indices = RandomBytes(random, kWidth * kHeight, 4);
  ExpectSameAsStb(TgaFile(mapped, RandomBytes(random, 12), RunLengthPackets(indices, 1, random)),
                  true, 0xFFFFFFFF, "mapped run-length");
  STgaFields grey;
  grey.imageType = 3, grey.depth = 8, grey.width = kWidth, grey.height = kHeight;
  ExpectSameAsStb(TgaFile(grey, "", RandomBytes(random, kWidth * kHeight)), true, 0xFFFFFFFF,
                  "grey");
}

}  // namespace
