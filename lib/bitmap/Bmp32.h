// CBmp32: the library's canvas. Pixels are 0xAARRGGBB words (bytes blue,
// green, red, alpha), width x height of them in one block, rows top-down and
// packed (stride = width x 4), so GetBits() is a flat array. Pixel (x, y)
// covers x - 0.5 .. x + 0.5 and y - 0.5 .. y + 0.5: a bitmap of width W
// spans -0.5 .. W - 0.5 (GetPixBounds).
//
// One thread at a time per bitmap; Draw and DrawTransform read the source on
// the caller's thread while they write the destination, so neither may be
// used elsewhere meanwhile. GetBits and GetScanLine pointers stay valid until
// the next SetSize/Resize with another size, Assign, AssignScaled or the
// destruction. Hosts reach the slots in this order and no slot lets an
// exception out; the library's own callers use the throwing forms below.
#pragma once

#include <cstdint>

#include "lib/bitmap/BmpRows.h"

// How Draw and DrawTransform combine a source pixel s (alpha a) with the
// destination d.
enum EBlendMode : int32_t {
  bmCopy = 0,           // d = s
  bmTransparent = 1,    // d = s where a is not 0
  bmBlend = 2,          // colour channels mixed by a; d's alpha kept
  bmBlendDisabled = 3,  // s as a grey at a quarter of a (a disabled look); d's alpha kept
  bmBlendAlpha = 4,     // as bmBlend, and d's alpha becomes max(a, d alpha)
};

class CBmp32 final : public CBmpRows {
 public:
  // Throws the SetSize messages or std::bad_alloc (see CBmp::Resize).
  CBmp32(int32_t width, int32_t height, bool ownDC);
  ~CBmp32() = default;
  TD_DELETE_THIS(CBmp32)

  int32_t TD_STDCALL GetPixelFormat() override;  // 9, A8R8G8B8

  // Takes the source's size and pixels; an empty bitmap (as SetSize) when
  // the memory cannot be had.
  virtual void TD_STDCALL Assign(CBmp32* source);
  // The source scaled so that its longer side is max(width, height), drawn in
  // mode bmCopy; an empty source or a failure gives an empty bitmap.
  virtual void TD_STDCALL AssignScaled(CBmp32* source, int32_t width, int32_t height);
  // Draws the source rectangle of this bitmap onto the destination rectangle
  // of destination (double rectangles in the pixel-bounds convention), both
  // clipped to their bitmaps, nearest pixel. Equal integer sizes blend with
  // >> 8, other sizes with / 255. Nothing for a non-finite coordinate, an
  // empty rectangle or an unknown mode. The destination may be this bitmap,
  // rectangles overlapping: the result is as if the source rectangle had
  // been copied out first.
  virtual void TD_STDCALL Draw(CBmp32* destination, double dstLeft, double dstTop, double dstRight,
                               double dstBottom, double srcLeft, double srcTop, double srcRight, double srcBottom,
                               int32_t mode);
  // Draws the integer source rectangle onto the quadrilateral whose corners
  // (x0, y0) .. (x3, y3) are where the rectangle's top-left, top-right,
  // bottom-right and bottom-left corners land; each destination pixel takes
  // the source pixel nearest to its inverse-mapped centre. Modes bmCopy and
  // bmTransparent; nothing for other modes (see Transform), a quadrilateral
  // without area or a non-finite point. The destination may be this bitmap,
  // as for Draw.
  virtual void TD_STDCALL DrawTransform(CBmp32* destination, int32_t srcLeft, int32_t srcTop, int32_t srcRight,
                                        int32_t srcBottom, double x0, double y0, double x1, double y1, double x2,
                                        double y2, double x3, double y3, int32_t mode);
  // The rasteriser: anti-aliased one-pixel lines and circles (pixel i
  // centred on i), polygons filled even-odd with 8 x 8 sub-pixel coverage
  // (pixel i spanning i .. i + 1), rectangles with a fill inside a line band.
  // Colours 0xAARRGGBB, their alpha an opacity. Nothing is drawn for
  // non-finite geometry. DrawLine ignores width and drawEnd and answers
  // false when nothing was drawn; DrawPolyline with one closed point plots
  // that pixel.
  virtual void TD_STDCALL DrawCircle(double centreX, double centreY, double radius, uint32_t colour);
  virtual uint8_t TD_STDCALL DrawLine(const SPointD* from, const SPointD* to, uint32_t colour, double width,
                                      uint8_t drawEnd);
  virtual void TD_STDCALL FillPolygon(const SPointD* points, int32_t count, uint32_t colour);
  virtual void TD_STDCALL DrawPolyline(const SPointD* points, int32_t count, uint32_t colour, uint8_t closed);
  virtual void TD_STDCALL DrawRect(const SRectD* rect, uint32_t lineColour, uint32_t fillColour, double width);
  virtual void TD_STDCALL Fill(uint32_t colour);
  virtual void TD_STDCALL FlipHorizontal();
  virtual void TD_STDCALL FlipVertical();
  virtual uint32_t* TD_STDCALL GetBits();
  // Row 0..height (height: just past the last row); null outside or empty.
  virtual uint32_t* TD_STDCALL GetScanLine(int32_t row);
  // Sets every pixel's alpha byte, keeps its colour.
  virtual void TD_STDCALL SetAlpha(uint8_t alpha);
  // Pixels whose colour (low 24 bits) is keyColour's become keyAlpha << 24 |
  // that colour; every other pixel's alpha becomes otherAlpha.
  virtual void TD_STDCALL SetAlphaByColor(uint8_t keyAlpha, uint8_t otherAlpha, uint32_t keyColour);
  virtual void TD_STDCALL Reserved(uint32_t, uint32_t, uint32_t, uint32_t, uint32_t);

  // The throwing forms for the library's own callers (std::bad_alloc or the
  // SetSize messages); on failure the bitmap is left as it was.
  void CopyFrom(const CBmp32& source);
  void ScaleFrom(const CBmp32& source, int32_t width, int32_t height);
  // DrawTransform that throws "CBmp32::DrawTransform, bmBlend not yet
  // implemented" for mode bmBlend and "..., bmBlendDisabled not yet
  // implemented" for bmBlendDisabled. quad[i] is the image of corner i.
  void Transform(CBmp32& destination, const SRectI& source, const SPointD (&quad)[4], int32_t mode);
  void Draw(CBmp32& destination, const SRectD& dst, const SRectD& src, int32_t mode) {
    Draw(&destination, dst.left, dst.top, dst.right, dst.bottom, src.left, src.top, src.right, src.bottom, mode);
  }
  SRectD PixBounds() const { return {-0.5, -0.5, Width() - 0.5, Height() - 0.5}; }
  uint32_t* Pixels() const { return static_cast<uint32_t*>(Bits()); }
  // Row y, 0 <= y < Height(), of a bitmap that holds pixels.
  uint32_t* Row(int32_t y) const { return reinterpret_cast<uint32_t*>(Rows()[y]); }
  int64_t PixelCount() const { return int64_t{Width()} * Height(); }

 private:
  void DrawClipped(CBmp32& destination, SRectD dst, SRectD src, int32_t mode) const;
  void DrawEqualSize(CBmp32& destination, const SRectI& dst, const SRectI& src, int32_t mode) const;
  void DrawScaled(CBmp32& destination, const SRectI& dst, const SRectD& src, int32_t mode) const;
};
