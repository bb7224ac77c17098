#include "lib/charts/UpdGenerate.h"

#include <algorithm>

#include "lib/charts/TileDecoder.h"
#include "lib/charts/UpdateFile.h"
#include "lib/foundation/core/ErrorCodes.h"

namespace {

constexpr uint32_t kTileSize = 256;


void PutU16(uint8_t* out, uint32_t value) {
  out[0] = static_cast<uint8_t>(value);
  out[1] = static_cast<uint8_t>(value >> 8);
}

// The image's pixel as the generator compares it: opaque.
uint32_t Opaque(uint32_t pixel) { return pixel | 0xFF000000u; }

// The first pixel from p on that differs, or count; equal stretches are
// skipped a block of pixels at a time.
uint32_t NextDifference(const uint32_t* tile, const uint32_t* image, uint32_t p, uint32_t count) {
  constexpr size_t kBlock = 16;
  for (; p + kBlock <= count; p += kBlock) {
    const uint32_t* t = tile + p;
    const uint32_t* i = image + p;
    uint32_t differs = 0;
    for (size_t k = 0; k < kBlock; ++k) differs |= t[k] ^ Opaque(i[k]);
    if (differs != 0) break;
  }
  while (p < count && tile[p] == Opaque(image[p])) ++p;
  return p;
}

// The update file being written: created at the first patched tile.
class CUpdOutput {
 public:
  CUpdOutput(const CStr& name, double dateTime) : m_Name(name) { m_Desc.dateTime = dateTime; }

  bool AddTile(uint32_t index, const std::vector<uint8_t>& patch, const CZip* zip,
               uint64_t& rawBytes, uint64_t& compressedBytes, uint32_t& error) {
    if (!m_Created && !CreateUpdateFile(m_Name, kUpdFormat2, m_Desc, m_File, error)) return false;
    m_Created = true;
    return WriteTileRecord(m_File.Stream(), m_Desc, index, patch.data(),
                           static_cast<int64_t>(patch.size()), m_Records, rawBytes, compressedBytes,
                           zip, error);
  }

  bool Created() const { return m_Created; }

  // Record table, chart descriptor, blocks, descriptor; then the file
  // replaces any older one.
  bool Finish(IUpdChartSource& chart, const SUpdGenerateInput& input, const CZip* zip,
              uint64_t& rawBytes, uint64_t& compressedBytes, uint32_t& error) {
    CStream& out = m_File.Stream();
    CTCF2UpdChartDesc identity;
    chart.GetIdentity(identity);
    if (!WriteRecordTable(out, m_Desc, m_Records, error) ||
        !WriteChartDesc(out, m_Desc, identity, error) ||
        (input.blockA && !WriteBlockA(out, m_Desc, input.blockA, input.blockASize, zip, error)) ||
        (input.blockB && !WriteBlockB(out, m_Desc, input.blockB, input.blockBSize, zip, error)))
      return false;
    if (input.text.GetLength() > 0) {
      if (!WriteBlockC(out, m_Desc, input.text, zip, error)) return false;
      rawBytes += static_cast<uint64_t>(input.text.GetLength());
      compressedBytes += m_Desc.blockCSize;
    }
    m_Desc.fileSize = static_cast<uint64_t>(out.GetPosition());
    return WriteDescriptor(out, m_Desc, error) && m_File.Commit(error);
  }

 private:
  CStr m_Name;
  CAtomicFileWriter m_File;
  STCF2UpdFileDesc m_Desc = {};
  TUpdRecords m_Records;
  bool m_Created = false;
};

class CUpdGenerator {
 public:
  CUpdGenerator(IUpdImageSource& image, IUpdChartSource& chart, const SProgress* progress)
      : m_Image(image),
        m_Chart(chart),
        m_Tile(kTileSize * kTileSize),
        m_Fresh(kTileSize * kTileSize) {
    if (progress) td::ProgressStageInit(&m_Stage, progress, 1.0f, 0);
    m_Reporting = progress != nullptr;
  }

  // Visits the tiles from the last row and column to the first and adds the
  // patch of each that differs.
  bool PatchTiles(CUpdOutput& output, const CZip* zip, uint64_t& rawBytes,
                  uint64_t& compressedBytes, uint32_t& error) {
    const uint32_t across = (m_Chart.GetWidth() + kTileSize - 1) / kTileSize;
    const uint32_t down = (m_Chart.GetHeight() + kTileSize - 1) / kTileSize;
    const uint64_t total = uint64_t{across} * down;
    uint64_t visited = 0;
    for (uint32_t row = down; row-- > 0;)
      for (uint32_t column = across; column-- > 0; ++visited) {
        if (!Report(static_cast<float>(static_cast<double>(visited) / static_cast<double>(total)),
                    error) ||
            !DiffTile(column, row, row * across + column, error))
          return false;
        if (!m_Patch.empty() &&
            !output.AddTile(row * across + column, m_Patch, zip, rawBytes, compressedBytes, error))
          return false;
      }
    return Report(1.0f, error);
  }

 private:
  bool Report(float fraction, uint32_t& error) {
    if (!m_Reporting) return true;
    td::ProgressCall(&m_Stage, fraction, 0, &error);
    return error == 0;
  }

  // The patch of tile (column, row) into m_Patch.
  bool DiffTile(uint32_t column, uint32_t row, uint32_t index, uint32_t& error) {
    const uint32_t x = column * kTileSize, y = row * kTileSize;
    const uint32_t width = std::min(kTileSize, m_Chart.GetWidth() - x);
    const uint32_t height = std::min(kTileSize, m_Chart.GetHeight() - y);
    STileDecodeInfo info;
    if (!m_Chart.ReadTile(index, m_Bytes, error)) return false;
    if (m_Bytes.empty() || CTileDecoder::DecodeStored(m_Tile.data(), width, height, m_Bytes.data(),
                                                      m_Bytes.size(), info) != 0)
      return td::Fail(kErrFileFormat, error);
    if (!m_Image.ReadArea(x, y, width, height, m_Fresh.data(), error)) return false;
    BuildTilePatch(m_Tile.data(), m_Fresh.data(), width * height, m_Patch);
    return true;
  }

  IUpdImageSource& m_Image;
  IUpdChartSource& m_Chart;
  SProgress m_Stage = {};
  bool m_Reporting = false;
  std::vector<uint32_t> m_Tile, m_Fresh;
  std::vector<uint8_t> m_Bytes, m_Patch;
};

}  // namespace

void BuildTilePatch(const uint32_t* tile, const uint32_t* image, uint32_t pixelCount,
                    std::vector<uint8_t>& patch) {
  patch.clear();
  for (uint32_t p = 0; p < pixelCount;) {
    p = NextDifference(tile, image, p, pixelCount);
    if (p == pixelCount) break;
    uint32_t end = p + 1;
    while (end < pixelCount && tile[end] != Opaque(image[end])) ++end;
    const size_t at = patch.size();
    patch.resize(at + 4 + size_t{end - p} * 3);
    uint8_t* out = patch.data() + at;
    PutU16(out, p);
    PutU16(out + 2, end - p - 1);
    for (out += 4; p < end; ++p, out += 3) {
      out[0] = static_cast<uint8_t>(image[p]);
      out[1] = static_cast<uint8_t>(image[p] >> 8);
      out[2] = static_cast<uint8_t>(image[p] >> 16);
    }
  }
}

bool UpdFileGenerate(const CStr& updateFileName, IUpdImageSource& image, IUpdChartSource& chart,
                     const SUpdGenerateInput& input, const CZip* zip, const SProgress* progress,
                     uint64_t& rawBytes, uint64_t& compressedBytes, uint32_t& error) {
  rawBytes = compressedBytes = 0;
  error = 0;
  if (image.GetWidth() != chart.GetWidth() || image.GetHeight() != chart.GetHeight())
    return td::Fail(kErrUpdateSizeMismatch, error);
  CUpdOutput output(updateFileName, input.dateTime);
  CUpdGenerator generator(image, chart, progress);
  if (!generator.PatchTiles(output, zip, rawBytes, compressedBytes, error)) return false;
  if (!output.Created()) return false;  // nothing differs: no file, error 0
  return output.Finish(chart, input, zip, rawBytes, compressedBytes, error);
}
