// Reading, reducing and writing 2048 x 2048 images beside stb_image,
// stb_image_resize (box filter) and stb_image_write in the same run. Every
// reader fills a 32-bit buffer; files are read from memory.
#include <benchmark/benchmark.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_BMP
#define STBI_ONLY_TGA
#include <stb/stb_image.h>
#define STB_IMAGE_RESIZE_IMPLEMENTATION
#include <stb/stb_image_resize.h>
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb/stb_image_write.h>

#include "lib/bitmap/BmpLoader.h"
#include "lib/bitmap/BmpWriter.h"
#include "lib/bitmap/Bmp32.h"
#include "lib/bitmap/PixelFormat.h"
#include "lib/foundation/streams/MemoryStream.h"
#include "lib/foundation/streams/PointerStream.h"

namespace {

constexpr int32_t kSize = 2048;
constexpr double kMegapixels = kSize * kSize / 1e6;

// A picture with flat areas and detail, as charts are: 0xFFRRGGBB.
std::vector<uint32_t> Picture() {
  std::vector<uint32_t> pixels(static_cast<size_t>(kSize) * kSize);
  std::mt19937 random(3);
  for (int32_t y = 0; y < kSize; ++y)
    for (int32_t x = 0; x < kSize; ++x)
      pixels[static_cast<size_t>(y) * kSize + x] =
          (x / 64 + y / 64) % 3 ? 0xFF000000u | ((x / 64) * 40 % 256) << 8 | 0xC0
                                : 0xFF000000u | (random() & 0x030303);
  return pixels;
}

std::string WrittenBmp(const void* pixels, int32_t format, int32_t sourceFormat,
                       const uint8_t* palette) {
  const int32_t stride = static_cast<int32_t>(PixelFormatStride(kSize, sourceFormat));
  const SPixelBufferDesc desc = {sourceFormat, stride, kSize, kSize, stride, -stride};
  CMemoryStream stream;
  uint32_t error;
  WriteBmp(stream, pixels, desc, format, palette, rcNone, nullptr, error);
  return std::string(reinterpret_cast<const char*>(stream.GetData()),
                     static_cast<size_t>(stream.GetSize()));
}

// A 32-bit TGA, top-left origin, raw or run-length (runs of equal pixels,
// other pixels in raw packets of up to 128).
std::string Tga32(const std::vector<uint32_t>& pixels, bool runLength) {
  std::string file(18, '\0');
  file[2] = runLength ? 10 : 2;
  file[12] = file[14] = 0, file[13] = file[15] = kSize >> 8;
  file[16] = 32, file[17] = 0x28;
  const char* bytes = reinterpret_cast<const char*>(pixels.data());
  if (!runLength) return file.append(bytes, pixels.size() * 4);
  for (size_t i = 0; i < pixels.size();) {
    size_t run = 1;
    while (i + run < pixels.size() && run < 128 && pixels[i + run] == pixels[i]) ++run;
    if (run > 1) {
      file += static_cast<char>(0x80 | (run - 1));
      file.append(bytes + i * 4, 4);
    } else {
      while (i + run < pixels.size() && run < 128 && pixels[i + run] != pixels[i + run - 1]) ++run;
      file += static_cast<char>(run - 1);
      file.append(bytes + i * 4, run * 4);
    }
    i += run;
  }
  return file;
}

struct SFiles {
  std::vector<uint32_t> picture = Picture();
  std::vector<uint8_t> indices;
  uint8_t palette[kPaletteBytes] = {};
  std::string bmp24, bmp8, tga, tgaRle;
  SFiles() {
    for (int i = 0; i < 256; ++i)
      palette[i * 4] = palette[i * 4 + 1] = palette[i * 4 + 2] = static_cast<uint8_t>(i);
    for (uint32_t p : picture) indices.push_back(static_cast<uint8_t>(p));
    bmp24 = WrittenBmp(picture.data(), pfR8G8B8, pfA8R8G8B8, nullptr);
    bmp8 = WrittenBmp(indices.data(), pfP8, pfP8, palette);
    tga = Tga32(picture, false);
    tgaRle = Tga32(picture, true);
  }
};

const SFiles& Files() {
  static const SFiles files;
  return files;
}

// Reads file into out (kSize / factor squared 32-bit pixels) with the library.
void ReadOurs(const std::string& file, bool tga, int32_t factor, std::vector<uint32_t>& out) {
  CConstPointerStream stream(file.data(), static_cast<int64_t>(file.size()));
  uint8_t palette[kPaletteBytes];
  SImageSource source;
  uint32_t error;
  ReadImageSource(stream, tga, false, palette, source, error);
  const int32_t size = kSize / factor;
  const SPixelBufferDesc desc = {pfA8R8G8B8, size * 4, size, size, size * 4, -size * 4};
  CBmpLoader loader(stream, source, palette, desc, factor, error);
  loader.ReadRows(out.data(), size, nullptr, error);
}

void SetRate(benchmark::State& state) {
  state.counters["MP/s"] =
      benchmark::Counter(kMegapixels, benchmark::Counter::kIsIterationInvariantRate);
}

const std::string& FileOf(int index) {
  const SFiles& f = Files();
  const std::string* files[] = {&f.bmp24, &f.bmp8, &f.tga, &f.tgaRle};
  return *files[index];
}

const char* const kNames[] = {"bmp24", "bmp8", "tga32", "tga32rle"};

void BM_ReadOurs(benchmark::State& state) {
  const int index = static_cast<int>(state.range(0));
  std::vector<uint32_t> out(static_cast<size_t>(kSize) * kSize);
  for (auto _ : state) {
    ReadOurs(FileOf(index), index >= 2, 1, out);
    benchmark::DoNotOptimize(out.data());
  }
  state.SetLabel(kNames[index]);
  SetRate(state);
}

void BM_ReadStb(benchmark::State& state) {
  const int index = static_cast<int>(state.range(0));
  const std::string& file = FileOf(index);
  for (auto _ : state) {
    int w, h, n;
    stbi_uc* pixels = stbi_load_from_memory(reinterpret_cast<const stbi_uc*>(file.data()),
                                            static_cast<int>(file.size()), &w, &h, &n, 4);
    benchmark::DoNotOptimize(pixels);
    stbi_image_free(pixels);
  }
  state.SetLabel(kNames[index]);
  SetRate(state);
}

void BM_ReadReducedOurs(benchmark::State& state) {
  std::vector<uint32_t> out(static_cast<size_t>(kSize / 2) * (kSize / 2));
  for (auto _ : state) {
    ReadOurs(Files().bmp24, false, 2, out);
    benchmark::DoNotOptimize(out.data());
  }
  SetRate(state);
}

void BoxResize(const void* in, void* out) {
  stbir_resize_uint8_generic(static_cast<const unsigned char*>(in), kSize, kSize, 0,
                             static_cast<unsigned char*>(out), kSize / 2, kSize / 2, 0, 4, 3, 0,
                             STBIR_EDGE_CLAMP, STBIR_FILTER_BOX, STBIR_COLORSPACE_LINEAR, nullptr);
}

void BM_ReadReducedStb(benchmark::State& state) {
  const std::string& file = Files().bmp24;
  std::vector<uint32_t> out(static_cast<size_t>(kSize / 2) * (kSize / 2));
  for (auto _ : state) {
    int w, h, n;
    stbi_uc* pixels = stbi_load_from_memory(reinterpret_cast<const stbi_uc*>(file.data()),
                                            static_cast<int>(file.size()), &w, &h, &n, 4);
    BoxResize(pixels, out.data());
    stbi_image_free(pixels);
    benchmark::DoNotOptimize(out.data());
  }
  SetRate(state);
}

void BM_ShrinkToOurs(benchmark::State& state) {
  CBmp32 source(kSize, kSize, false), destination(0, 0, false);
  std::memcpy(source.Pixels(), Files().picture.data(), Files().picture.size() * 4);
  for (auto _ : state) {
    source.ShrinkTo(&destination, 2, 0);
    benchmark::DoNotOptimize(destination.Pixels());
  }
  SetRate(state);
}

void BM_ShrinkToStb(benchmark::State& state) {
  std::vector<uint32_t> out(static_cast<size_t>(kSize / 2) * (kSize / 2));
  for (auto _ : state) {
    BoxResize(Files().picture.data(), out.data());
    benchmark::DoNotOptimize(out.data());
  }
  SetRate(state);
}

void BM_WriteOurs(benchmark::State& state) {
  const SPixelBufferDesc desc = {pfA8R8G8B8, kSize * 4, kSize, kSize, kSize * 4, -kSize * 4};
  for (auto _ : state) {
    CMemoryStream stream;
    uint32_t error;
    WriteBmp(stream, Files().picture.data(), desc, pfA8R8G8B8, nullptr, rcNone, nullptr, error);
    benchmark::DoNotOptimize(stream.GetData());
  }
  SetRate(state);
}

void AppendTo(void* context, void* data, int size) {
  static_cast<std::string*>(context)->append(static_cast<const char*>(data),
                                             static_cast<size_t>(size));
}

void BM_WriteStb(benchmark::State& state) {
  for (auto _ : state) {
    std::string out;
    stbi_write_bmp_to_func(AppendTo, &out, kSize, kSize, 4, Files().picture.data());
    benchmark::DoNotOptimize(out.data());
  }
  SetRate(state);
}

BENCHMARK(BM_ReadOurs)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadStb)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadReducedOurs)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadReducedStb)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ShrinkToOurs)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ShrinkToStb)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteOurs)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteStb)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
