// The check box: a state bitmap at the left edge and a caption right of it.
// A click in the box part toggles between unchecked and checked; the third,
// mixed state is set by the owner only. Toolkit thread only.
#pragma once

#include "lib/foundation/text/Str.h"
#include "lib/widgets/Control.h"

class CBmp32;
class CFontDesc;

// Raised by a click before OnClick; changed tells whether the state toggled.
using TCheckHandler = void (*)(CControl* owner, CControl* sender, int32_t x, int32_t y,
                               uint8_t changed);

enum : int32_t {
  cbUnchecked = 0,
  cbChecked = 1,
  cbMixed = 2,
};

class CCheckBox : public CControl {
 public:
  // The font and the bitmaps belong to the caller and must outlive the check
  // box; a null font draws no caption, a null unchecked bitmap leaves the
  // check box without a box part.
  CCheckBox(CControl* parent, const CStr& caption, CFontDesc* font, CBmp32* unchecked,
            CBmp32* checked, CBmp32* mixed);
  CCheckBox(CControl* parent, const CStr& caption, CFontDesc* font);
  ~CCheckBox() override = default;

  void MouseDown(int32_t x, int32_t y) override;
  void MouseUp(int32_t x, int32_t y) override;
  void Click(int32_t x, int32_t y) override;
  void Paint(CBmp* canvas, const RECT& clip) override;

  // Stores the pointers without a repaint; the check box never frees them.
  void SetImages(CBmp32* unchecked, CBmp32* checked, CBmp32* mixed);

  CStr Caption;
  CFontDesc* Font;
  CBmp32* UncheckedImage;
  CBmp32* CheckedImage;
  CBmp32* MixedImage;
  int32_t Spacing = 2;
  int32_t State = cbUnchecked;
  uint8_t WordWrap = false;
  TCheckHandler OnCheck = nullptr;
  uint32_t Color;
  uint32_t DownColor;
  uint32_t BorderColor;
  uint32_t DownBorderColor;
  uint32_t DisabledBorderColor;
  uint32_t TextColor;
  uint32_t DisabledTextColor;
  uint32_t FrameWhenDown = false;

 private:
  // Width of the box part: the unchecked bitmap with Spacing on both sides;
  // 0 without that bitmap.
  int32_t BoxPartWidth() const;
  CBmp32* ShownBitmap() const;
  void PaintDownFrame(HDC dc, const RECT& rect);
  void PaintCaption(CBmp* canvas, RECT rect);
};
