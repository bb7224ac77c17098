// A chart and an image in memory behind the update generator's sources: the
// chart's tiles are coded by the library's encoder from chart-like content,
// and the image starts as the chart's own decoded pixels, opaque.
#pragma once

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

#include "lib/charts/TileDecoder.h"
#include "lib/charts/TileEncoder.h"
#include "lib/charts/TileFormat.h"
#include "lib/charts/UpdGenerate.h"
#include "tests/charts/TileSamples.h"
#include "tests/charts/UpdateBuilder.h"

class CMemoryChart : public IUpdChartSource {
 public:
  CMemoryChart(uint32_t width, uint32_t height, uint32_t seed, const SBuiltChart& identity)
      : m_Width(width), m_Height(height), m_Identity(identity) {
    auto encoder = std::make_unique<CTileEncoder>();
    std::vector<uint8_t> buffer(kTileCodeBufferSize);
    for (uint32_t row = 0; row < Down(); ++row)
      for (uint32_t column = 0; column < Across(); ++column) {
        const uint32_t w = std::min(256u, width - column * 256),
                       h = std::min(256u, height - row * 256);
        const std::vector<uint32_t> pixels =
            MakeTile(ETileKind::kChart, w, h, seed + row * Across() + column);
        uint32_t colour = 0, alpha = 0;
        encoder->Compress(buffer.data(), buffer.size(), pixels.data(), w, h, colour, alpha);
        m_Tiles.emplace_back(buffer.begin(), buffer.begin() + colour + alpha);
      }
  }
  virtual ~CMemoryChart() = default;

  uint32_t Across() const { return (m_Width + 255) / 256; }
  uint32_t Down() const { return (m_Height + 255) / 256; }
  std::vector<uint8_t>& Tile(uint32_t index) { return m_Tiles[index]; }

  // The chart's pixels as an image: each tile decoded, alpha made opaque.
  std::vector<uint32_t> Decoded() const {
    std::vector<uint32_t> image(size_t{m_Width} * m_Height), tile(65536);
    for (uint32_t row = 0; row < Down(); ++row)
      for (uint32_t column = 0; column < Across(); ++column) {
        const uint32_t w = std::min(256u, m_Width - column * 256),
                       h = std::min(256u, m_Height - row * 256);
        const std::vector<uint8_t>& bytes = m_Tiles[row * Across() + column];
        STileDecodeInfo info;
        CTileDecoder::DecodeStored(tile.data(), w, h, bytes.data(), bytes.size(), info);
        for (uint32_t y = 0; y < h; ++y)
          for (uint32_t x = 0; x < w; ++x)
            image[size_t{row * 256 + y} * m_Width + column * 256 + x] =
                tile[y * w + x] | 0xFF000000u;
      }
    return image;
  }

  uint32_t GetWidth() override { return m_Width; }
  uint32_t GetHeight() override { return m_Height; }
  void GetIdentity(CTCF2UpdChartDesc& identity) override {
    SGuid guid;
    std::memcpy(&guid, m_Identity.guid, 16);
    identity.SetVersion(m_Identity.version);
    identity.SetGUID(&guid);
    identity.SetIdCode(m_Identity.idCode);
    identity.SetIdText1(m_Identity.text1.c_str());
    identity.SetIdText2(m_Identity.text2.c_str());
    identity.SetIdNumber(m_Identity.idNumber);
    identity.SetIdText3(m_Identity.text3.c_str());
    identity.SetIdText4(m_Identity.text4.c_str());
  }
  bool ReadTile(uint32_t index, std::vector<uint8_t>& bytes, uint32_t& error) override {
    bytes = m_Tiles[index];
    error = 0;
    return true;
  }

 private:
  uint32_t m_Width, m_Height;
  SBuiltChart m_Identity;
  std::vector<std::vector<uint8_t>> m_Tiles;
};

class CMemoryImage : public IUpdImageSource {
 public:
  CMemoryImage(uint32_t width, uint32_t height, std::vector<uint32_t> pixels)
      : m_Width(width), m_Height(height), m_Pixels(std::move(pixels)) {}
  virtual ~CMemoryImage() = default;

  uint32_t& At(uint32_t x, uint32_t y) { return m_Pixels[size_t{y} * m_Width + x]; }

  uint32_t GetWidth() override { return m_Width; }
  uint32_t GetHeight() override { return m_Height; }
  bool ReadArea(uint32_t x, uint32_t y, uint32_t width, uint32_t height, uint32_t* pixels,
                uint32_t& error) override {
    for (uint32_t row = 0; row < height; ++row)
      std::memcpy(pixels + size_t{row} * width, &m_Pixels[size_t{y + row} * m_Width + x],
                  width * 4);
    error = 0;
    return true;
  }

 private:
  uint32_t m_Width, m_Height;
  std::vector<uint32_t> m_Pixels;
};
