// The push button: a bitmap, a caption or both, a pressed look, and a toggle
// between state 1 and state 2 on every click. Toolkit thread only.
#pragma once

#include "lib/foundation/text/Str.h"
#include "lib/widgets/Control.h"

class CBmp32;
class CFontDesc;

class CButton : public CControl {
 public:
  // The font belongs to the caller and must outlive the button; null draws no caption.
  CButton(CControl* parent, const CStr& caption, CFontDesc* font);
  CButton(CControl* parent, const CStr& caption, const CStr& caption2, CFontDesc* font);
  ~CButton() override;

  void MouseDown(int32_t x, int32_t y) override;
  void MouseUp(int32_t x, int32_t y) override;
  void Click(int32_t x, int32_t y) override;
  void Paint(CBmp* canvas, const RECT& clip) override;

  // Each loads a .bmp file into its role at full size; a failed load leaves
  // the role empty and answers false. No repaint.
  bool LoadImage(const CStr& path) { return LoadRole(Image, path); }
  bool LoadDownImage(const CStr& path) { return LoadRole(DownImage, path); }
  bool LoadDisabledImage(const CStr& path) { return LoadRole(DisabledImage, path); }
  bool LoadImage2(const CStr& path) { return LoadRole(Image2, path); }
  bool LoadDownImage2(const CStr& path) { return LoadRole(DownImage2, path); }
  bool LoadDisabledImage2(const CStr& path) { return LoadRole(DisabledImage2, path); }
  bool LoadOverlayImage(const CStr& path) { return LoadRole(OverlayImage, path); }
  // Copies the bitmap (the caller keeps it); null empties the role.
  void SetImage(CBmp32* bitmap);
  void SetCaption(const CStr& text);
  void SetLayout(int32_t layout);
  void SetSpacing(int32_t spacing);
  void SetCornerRadius(int32_t radius);
  void SetState(int32_t state);
  void SetFrameWhenUp(bool frame);

  int32_t Layout = 0;
  int32_t Alignment = 4;
  CStr Caption;
  CStr Caption2;
  CFontDesc* Font;
  CBmp32* DisabledImage = nullptr;
  CBmp32* DownImage = nullptr;
  CBmp32* Image = nullptr;
  CBmp32* DisabledImage2 = nullptr;
  CBmp32* DownImage2 = nullptr;
  CBmp32* Image2 = nullptr;
  CBmp32* OverlayImage = nullptr;
  int32_t Spacing = 2;
  int32_t State = 1;
  int32_t CornerRadius = 0;
  uint8_t FrameWhenDown = true;
  uint8_t FrameWhenUp = false;
  uint8_t WordWrap = true;
  uint32_t Color;
  uint32_t DownColor;
  uint32_t BorderColor;
  uint32_t DownBorderColor;
  uint32_t DisabledBorderColor;
  uint32_t TextColor;
  uint32_t DisabledTextColor;

 private:
  bool LoadRole(CBmp32*& role, const CStr& path);
  bool LooksPressable() const;
  CBmp32* ShownBitmap() const;
  const CStr& ShownCaption() const;
  void PaintFace(HDC dc);
  // The window point of the shown bitmap's top-left corner.
  POINT BitmapCorner(const CBmp32& bitmap, bool hasText) const;
  void PaintCaption(CBmp* canvas, const CStr& text, const CBmp32* bitmap);
};
