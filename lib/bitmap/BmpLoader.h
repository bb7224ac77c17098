// CBmpLoader: reads the pixel rows of a .bmp or TGA file into a destination
// buffer, all at once or band by band: every ReadRows call continues where
// the last one stopped. Rows are read at full size or reduced by an integer
// factor (each output pixel the mean of a factor x factor block; the rows
// that do not fill a whole group are the ones stored first and are skipped).
//
// Placement: the rows of one call land in the destination the right way up.
// A destination whose first row step is positive (a CBmp) has its top row
// first in memory; one with a negative step has its bottom row first. Rows
// stored bottom-up fill the destination from its bottom row, rows stored
// top-down from its top row: Source() tells the caller which, so that it can
// place its bands. No call writes more rows than the destination holds, nor
// more pixels per row than its width.
//
// One thread; the destination buffer must hold height x stride bytes for
// the whole of a call. The loader owns the file stream it opens; a stream
// handed in must outlive it and is read from the pixel data on.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "lib/bitmap/BlockReducer.h"
#include "lib/bitmap/ImageHeaders.h"
#include "lib/bitmap/RowDecoder.h"
#include "lib/foundation/streams/BufferedFileStream.h"

class CBmpLoader : public CObject {
 public:
  TD_DELETE_THIS(CBmpLoader)

  // Opens a .bmp file whose header and palette BitmapLoadHeader gave (a null
  // palette reads it again). error: 0, the stream's codes, 0x10016, 0x50001,
  // 0x50002; 1 for a factor below 1, and kErrImageTooLarge (1) when the
  // destination (the whole reduced image, or one band) or the loader's own
  // rows would pass the bitmaps' memory limit: the file's size itself is no
  // limit. Throws the converters' messages when the file's rows cannot
  // become the destination's format, and std::bad_alloc when memory runs
  // out: every buffer the reading needs is made here.
  CBmpLoader(const CStr& path, const SBmpHeader& header, const uint8_t* palette,
             const SPixelBufferDesc& destination, int32_t factor, bool alpha, uint32_t& error);
  // Reads from stream, described by source, with palette (1024 bytes); the
  // same errors.
  CBmpLoader(CStream& stream, const SImageSource& source, const uint8_t* palette,
             const SPixelBufferDesc& destination, int32_t factor, uint32_t& error);
  ~CBmpLoader();
  CBmpLoader(const CBmpLoader&) = delete;
  CBmpLoader& operator=(const CBmpLoader&) = delete;

  // Reads the next rows: at most count, the destination's height and what is
  // left of the file. False with the error code (the loader then stays
  // stopped); rows read before a failure stay in the destination. Allocates
  // nothing and throws nothing.
  bool ReadRows(void* pixels, int32_t count, const SImageProgress* progress, uint32_t& error);
  const SImageSource& Source() const { return m_Source; }

 private:
  void Start(CStream& stream, const uint8_t* palette, uint32_t& error);
  // The decoder and the rows the reading works in.
  void MakeWorkingRows(CStream& stream);
  // Rows decoded straight into the destination, with no row of the loader's.
  bool ReadsDirect() const;
  bool ReadFullRows(int32_t rows, const SImageProgress* progress, uint32_t& error);
  bool ReadReducedRows(int32_t rows, const SImageProgress* progress, uint32_t& error);
  bool DecodeToArgb(uint32_t& error);
  uint8_t* DestinationRow(int32_t index) const;
  void WriteReducedRow(uint8_t* out) const;

  CBufferedFileStream m_File;  // the file the loader opened; unused on a stream handed in
  SImageSource m_Source = {};
  SPixelBufferDesc m_Destination;
  int32_t m_Factor;
  uint8_t m_Palette[kPaletteBytes] = {};
  std::unique_ptr<CRowDecoder> m_Decoder;
  std::unique_ptr<CBlockReducer> m_Reducer;
  std::vector<uint8_t> m_Row;    // one stored row
  std::vector<uint32_t> m_Argb;  // the same as 32-bit pixels, or a reduced row
  int64_t m_RowsLeft = 0;        // stored rows not yet read
  bool m_FirstRead = true;
  bool m_Failed = false;
  uint8_t* m_Pixels = nullptr;
};
