// CBmp: the abstract base of the library's bitmaps. Pixels are one top-down
// block (row 0 first, rows of GetStride() bytes), in a DIB section on Windows
// (optionally with a memory DC of its own for GDI text and blits) and in
// aligned memory in the native build, which has no DC, draws no text and
// cannot blit (DrawToDC answers false there).
//
// A bitmap is used by one thread at a time. The pixel pointer stays valid
// until the next SetSize with another size or the destruction. Hosts reach
// the virtual operations in this slot order; none lets an exception out.
// Inside the library failures are thrown as plain character strings
// ("CBmp::SetSize: Can't allocate the DIB handle") or std::bad_alloc.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "lib/foundation/core/Abi.h"
#include "lib/foundation/core/Object.h"
#include "lib/foundation/text/Str.h"
#include "lib/geodesy/PlaneTypes.h"

#if defined(_WIN32)
#include <windows.h>
// The slots are named DrawText and TextOut, as the interface has them; code
// that includes this header calls the system's DrawTextA and TextOutA.
#undef DrawText
#undef TextOut
#else
// The native build has no GDI: stand-ins for the handles and records of the
// interface, which it never draws with.
using HDC = void*;
using HFONT = void*;
using HBITMAP = void*;
using COLORREF = uint32_t;
struct RECT {
  int32_t left, top, right, bottom;
};
struct SIZE {
  int32_t cx, cy;
};
#endif

// The description of a pixel buffer handed to the image readers, converters
// and the night screen.
struct SPixelBufferDesc {
  int32_t format;  // EPixelFormat
  int32_t stride;
  int32_t width;
  int32_t height;
  int32_t nextRow;      // byte step to the next row: the stride
  int32_t previousRow;  // minus the stride
};
static_assert(sizeof(SPixelBufferDesc) == 24, "hosts and readers see six 32-bit fields");
static_assert(offsetof(SPixelBufferDesc, stride) == 4 && offsetof(SPixelBufferDesc, width) == 8 &&
              offsetof(SPixelBufferDesc, height) == 12 && offsetof(SPixelBufferDesc, nextRow) == 16 &&
              offsetof(SPixelBufferDesc, previousRow) == 20);

// Pixel memory above this counts as memory the system does not give.
constexpr int64_t kMaxBitmapBytes = int64_t{1} << 30;

// What a bitmap holds of a given size: the pixel memory (a DIB section, with
// the memory DC it is selected into when the bitmap keeps one), the size and
// a table of height + 1 row pointers (entry height just past the last row).
// A size without pixels holds no memory and no table. A bitmap's new pixels
// are made in one of these aside and then swapped in, so that a failure
// leaves the bitmap as it was. Frees what it holds.
class CBmpPixels {
 public:
  CBmpPixels() = default;
  ~CBmpPixels() { Release(); }
  CBmpPixels(const CBmpPixels&) = delete;
  CBmpPixels& operator=(const CBmpPixels&) = delete;
  void Swap(CBmpPixels& other) noexcept;

  HBITMAP dib = nullptr;
  HDC dc = nullptr;
  void* bits = nullptr;
  int32_t width = 0;
  int32_t height = 0;
  int32_t stride = 0;
  std::unique_ptr<uint8_t*[]> rows;

 private:
  friend class CBmp;
  // One attempt at bytes of pixel memory for width x height pixels of the
  // format: false when the system gives none.
  bool TryAllocate(int64_t bytes, int32_t format);
  // Selects the pixels into a new memory DC; throws the SetSize messages.
  void AttachDC();
  // Frees the DC and the pixels; the size and the table stay.
  void Release() noexcept;
};

class CBmp : public CObject {
 public:
  // Same width and height: BitBlt, else StretchBlt (whole pixels, no mixing);
  // SRCCOPY. False when the bitmap is empty or GDI fails.
  virtual uint8_t TD_STDCALL DrawToDC(HDC dc, int32_t dstLeft, int32_t dstTop, int32_t dstRight,
                                      int32_t dstBottom, int32_t srcLeft, int32_t srcTop, int32_t srcRight,
                                      int32_t srcBottom);
  // Alignment 0..8 = 3 x horizontal (left, centre, right) + vertical (top,
  // baseline, bottom). Transparent background; the DC's state is restored.
  virtual void TD_STDCALL TextOut(const CStr* text, int32_t x, int32_t y, HFONT font, COLORREF colour,
                                  int32_t alignment);
  // Alignment as TextOut with vertical (top, centre, bottom); mode 0 one line,
  // 1 word-wrapped, 2 and 3 the same measuring only: rect becomes the text's
  // extent and nothing is drawn.
  virtual void TD_STDCALL DrawText(const CStr* text, RECT* rect, HFONT font, COLORREF colour,
                                   int32_t alignment, int32_t mode);
  // The bitmap's own memory DC, null when it has none.
  virtual HDC TD_STDCALL GetDC();
  virtual int32_t TD_STDCALL GetHeight();
  // Bytes of the pixels, plus 32 with includeObject.
  virtual uint32_t TD_STDCALL GetMemorySize(uint8_t includeObject);
  virtual int32_t TD_STDCALL GetStride();
  virtual int32_t TD_STDCALL GetPixelFormat() = 0;
  // (0, 0, width, height).
  virtual void TD_STDCALL GetRect(SRectI* rect);
  // (-0.5, -0.5, width - 0.5, height - 0.5): pixel (x, y) covers x +- 0.5.
  virtual void TD_STDCALL GetPixBounds(SRectD* rect);
  virtual void TD_STDCALL GetBufferDesc(SPixelBufferDesc* desc);
  // Size (0, 0) when the system cannot measure; see MeasureText.
  virtual void TD_STDCALL GetTextExtent(const CStr* text, HFONT font, SIZE* size);
  virtual int32_t TD_STDCALL GetWidth();
  // The image-file slots. The loaders size the bitmap to the file's image
  // divided by shrink (a factor below 1 sets error 1) and read it, reduced
  // when shrink is above 1; `param`, when not null, is an SPixelBufferDesc
  // that receives the file's own description. alpha: 16- and 32-bit .bmp
  // pixels carry alpha. Errors: the codes of the image readers, 1 for pixels
  // this bitmap's format cannot take, for memory that cannot be had and for
  // an image that even divided by shrink passes the memory a bitmap may
  // hold; on any failure the bitmap keeps its size and pixels.
  virtual void TD_STDCALL LoadBmp(const CStr* path, uint32_t shrink, uint8_t alpha, void* param,
                                  uint32_t* error);
  // ".bmp" or ".tga" in any case chooses the reader; any other extension sets
  // 0x10014 and leaves the bitmap as it was.
  virtual void TD_STDCALL LoadFromFile(const CStr* path, uint32_t shrink, uint8_t flag, void* param,
                                       uint32_t* error);
  virtual void TD_STDCALL LoadTga(const CStr* path, int32_t shrink, void* param, uint32_t* error);
  // Writes the pixels as an uncompressed .bmp of this bitmap's format through
  // a temporary file that then replaces path; on any failure path is
  // untouched. `param`, when not null, is an SImageProgress. An empty bitmap
  // writes nothing.
  virtual void TD_STDCALL SaveBmp(const CStr* path, void* param);
  // destination (this bitmap too) becomes width / factor x height / factor,
  // each plus one for a remainder with roundUp; each pixel averages its
  // factor x factor block from the top left (red, green and blue over the
  // pixels present, alpha over factor squared). Nothing for a factor below 1
  // or a destination whose format the reduction cannot write (CBmp16); a
  // destination left empty (as SetSize) when the memory cannot be had.
  virtual void TD_STDCALL ShrinkTo(CBmp* destination, int32_t factor, uint8_t roundUp);
  // Resizes (old pixels discarded, new ones undefined); the same size keeps
  // everything. On failure the bitmap is empty: size 0 x 0, no pixels.
  virtual void TD_STDCALL SetSize(int32_t width, int32_t height);

  // SetSize for the library's own callers: throws the SetSize messages or
  // std::bad_alloc, and then leaves the bitmap as it was.
  void Resize(int32_t width, int32_t height);

  // The GetTextExtent of the library: throws "CBmp::GetTextExtent: Error
  // getting size of text." when the system cannot measure.
  SIZE MeasureText(const CStr& text, HFONT font);
  bool HasPixels() const { return m_Pixels.bits != nullptr; }
  int32_t Width() const { return m_Pixels.width; }
  int32_t Height() const { return m_Pixels.height; }
  int32_t Stride() const { return m_Pixels.stride; }
  // The ShrinkTo of the library; nothing, the destination untouched, when the
  // reduction cannot write its format. Throws the SetSize messages or
  // std::bad_alloc, the destination then as it was.
  void ReduceInto(CBmp& destination, int32_t factor, bool roundUp);

 protected:
  CBmp(bool ownDC);
  ~CBmp();
  CBmp(const CBmp&) = delete;
  CBmp& operator=(const CBmp&) = delete;

  // New pixels of this bitmap's format and DC kind, made aside. Negative
  // sizes count as 0; a size with no pixels holds none. Throws the SetSize
  // messages or std::bad_alloc.
  void MakePixels(int32_t width, int32_t height, CBmpPixels& pixels);
  // Takes the pixels made aside; they receive this bitmap's old ones.
  void TakePixels(CBmpPixels& pixels) noexcept { m_Pixels.Swap(pixels); }
  // What a slot that cannot report leaves for a size it could not make: size
  // 0 x 0, no pixels.
  void MakeEmpty() noexcept;
  // Exchanges the pixels of two bitmaps of one format and DC kind.
  void SwapPixels(CBmp& other) noexcept { m_Pixels.Swap(other.m_Pixels); }
  bool IsSize(int32_t width, int32_t height) const;
  void* Bits() const { return m_Pixels.bits; }
  uint8_t* const* Rows() const { return m_Pixels.rows.get(); }
  bool OwnsDC() const { return m_OwnDC != 0; }

 private:
  // The loading slots' work: reads the file (a TGA file or a .bmp) reduced by
  // factor into new pixels, which replace this bitmap's only once the whole
  // image is read. The error code; throws the converters' messages, the
  // SetSize messages or std::bad_alloc, the bitmap then as it was.
  uint32_t ReadImage(const CStr& path, bool tga, uint32_t factor, bool alpha, SPixelBufferDesc* source);
  // Pixel memory through the allocation-failure handler's retries.
  static void AllocatePixels(CBmpPixels& pixels, int64_t bytes, int32_t format);

  uint8_t m_OwnDC;
  CBmpPixels m_Pixels;
};
