// A rectangle with a fill colour and a one-pixel border, or a bitmap drawn at
// its own size centred, stretched, or fitted with its aspect kept. Used as a
// plain background, a colour swatch and the parts of a scroll bar. Toolkit
// thread only.
#pragma once

#include "lib/foundation/text/Str.h"
#include "lib/widgets/Control.h"

class CBmp32;

class CPanel : public CControl {
 public:
  explicit CPanel(CControl* parent);
  // Also loads the bitmap at path (see LoadBitmap).
  CPanel(CControl* parent, const CStr& path);
  ~CPanel() override;

  // Frame or bitmap, then the CControl operation (OnPaint).
  void Paint(CBmp* canvas, const RECT& clip) override;

  // Replaces the bitmap with the .bmp file at path, used as given; a failed
  // load leaves the panel without a bitmap and answers false.
  bool LoadBitmap(const CStr& path);
  void SetStretch(bool stretch, bool keepAspect);
  // Copies the source (the caller keeps it); null removes the bitmap.
  void SetBitmap(CBmp32* source);

  CBmp32* Bitmap = nullptr;  // owned
  uint8_t Stretch = false;
  uint8_t KeepAspect = false;
  uint32_t Color = 0xFFFFFF;
  uint32_t DisabledColor = 0xFFFFFF;
  uint32_t BorderColor = 0x000000;
  uint32_t DisabledBorderColor = 0xC0C0C0;

 private:
  void PaintFrame(HDC dc);
  // The window rectangle the whole bitmap is drawn onto.
  RECT BitmapTarget() const;
};
