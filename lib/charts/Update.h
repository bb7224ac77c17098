// CTCF2Update: one opened update, from an update file or from an item of an
// update package. Read once at construction, then only read. An update from a
// package reads through the package's stream and stays valid while the
// package lives. Not thread-safe.
#pragma once

#include <cstdint>
#include <memory>

#include "lib/charts/UpdChartDesc.h"
#include "lib/charts/UpdateFile.h"
#include "lib/foundation/streams/Zip.h"

class CTCF2Update final : public CObject {
 public:
  TD_DELETE_THIS(CTCF2Update)

  // Opens and reads the update file; error tells whether it succeeded.
  CTCF2Update(const CStr& fileName, uint32_t& error);
  // Reads the update of size bytes that starts at the stream's position; the
  // stream is not owned and must outlive the object.
  CTCF2Update(CStream& packageStream, int64_t size, const CStr& itemFileName, uint32_t& error);
  ~CTCF2Update();
  CTCF2Update(const CTCF2Update&) = delete;
  CTCF2Update& operator=(const CTCF2Update&) = delete;

  // Virtual operations after slot 0, in the interface's order. The chart
  // descriptor belongs to this object.
  virtual CTCF2UpdChartDesc* TD_STDCALL GetChartDesc();
  virtual double TD_STDCALL GetDateTime();
  virtual CStr& TD_STDCALL GetFileName();
  virtual uint32_t TD_STDCALL GetFormat();

  // The inflated patch of a tile into out (emptied first, at position 0 when
  // done); the last record of the index wins; 0x7003D when no record has it.
  bool ReadTilePatch(CStream& out, uint32_t tileIndex, const CZip* zip, uint32_t& error);
  bool ReadTilePatch(CCappedMemoryStream& out, uint32_t tileIndex, const CZip* zip,
                     uint32_t& error);
  // Block C as text, empty when the update has none.
  bool ReadCompressedBlock(CStr& text, const CZip* zip, uint32_t& error);
  // Whether the update may be applied to a chart with this GUID and this many
  // level-0 tiles: a GUID other than zero must match (else 0x7003E), and every
  // tile index must be a level-0 tile (else 0x10015).
  bool CheckChart(const SGuid& chartGuid, uint32_t level0TileCount, uint32_t& error);
  // Closes the stream and frees the records.
  void Clear();

  int32_t GetRecordCount() const { return static_cast<int32_t>(m_Records.size()); }
  uint32_t GetRecordTileIndex(int32_t i) const {
    return m_Records[static_cast<size_t>(i)].tileIndex;
  }
  const STCF2UpdFileDesc& GetDescriptor() const { return m_Desc; }

 private:
  void Read(int64_t expectedSize, uint32_t& error);

  CTCF2UpdChartDesc m_ChartDesc;
  CStr m_FileName;
  STCF2UpdFileDesc m_Desc = {};
  std::unique_ptr<CStream, void (*)(CStream*)> m_Stream;
  TUpdRecords m_Records;
  uint32_t m_Format = 0;
};
