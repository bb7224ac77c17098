// CWaypointType: how waypoints are drawn: icon with its origin and overlay,
// a font and a colour for the name and for the comment. The pointers it
// returns stay valid until the matching setter, a change of the night mode
// (the display icon) or the type's end. Both display colours are registered
// with the night screen that existed at construction (none: day mode for
// good), which must outlive the type. Host thread only.
#pragma once

#include <cstdint>

#include "lib/bitmap/Bmp32.h"
#include "lib/bitmap/NightScreen.h"
#include "lib/foundation/display/FontDesc.h"
#include "lib/waypoints/WaypointManagerItem.h"

// Font sizes (points), styles (bits 1 bold, 2 italic, 4 underline) and
// colours (0xAARRGGBB) of the name and the comment.
struct STypeLook {
  int32_t nameFontSize;
  uint32_t nameFontStyle;
  uint32_t nameColor;
  int32_t commentFontSize;
  uint32_t commentFontStyle;
  uint32_t commentColor;
};

struct STypeArgs {
  SItemArgs item;
  CBmp32* icon;
  CBmp32* overlay;
  bool overlayShown;
  float originX;
  float originY;
  STypeLook look;
};

class CWaypointType : public CWaypointManagerItem {
 public:
  // Copies the icon (a cleared 32 x 32 one when null) and the overlay (a
  // cleared 8 x 8 one when null).
  CWaypointType(const STypeArgs& args, const CStr& fontFace);
  ~CWaypointType();
  TD_DELETE_THIS(CWaypointType)

  void TD_STDCALL Assign(CWaypointManagerItem* source, uint32_t* error) override;
  int32_t TD_STDCALL GetStoreSize(uint8_t whole) override;
  CStr* TD_STDCALL GetName() override;
  void TD_STDCALL Delete(uint32_t* error) override;

  virtual uint8_t TD_STDCALL GetShowOverlay();
  virtual uint32_t TD_STDCALL GetColor();
  virtual uint32_t TD_STDCALL GetDayColor();
  virtual CStr* TD_STDCALL GetFontFace();
  virtual int32_t TD_STDCALL GetFontSize();
  virtual uint32_t TD_STDCALL GetFontStyle();
  virtual CBmp32* TD_STDCALL GetIcon();
  virtual CBmp32* TD_STDCALL GetPlainIcon();
  virtual float TD_STDCALL GetIconOriginX();
  virtual float TD_STDCALL GetIconOriginY();
  virtual CBmp32* TD_STDCALL GetOverlay();
  virtual uint32_t TD_STDCALL GetCommentColor();
  virtual uint32_t TD_STDCALL GetCommentDayColor();
  virtual int32_t TD_STDCALL GetCommentFontSize();
  virtual uint32_t TD_STDCALL GetCommentFontStyle();
  virtual uint8_t TD_STDCALL IsDefault();
  virtual void TD_STDCALL SetColor(uint32_t argb, uint32_t* error);
  virtual void TD_STDCALL SetFontSize(int32_t size, uint32_t* error);
  virtual void TD_STDCALL SetFontStyle(uint32_t style, uint32_t* error);
  virtual void TD_STDCALL SetIcon(CBmp32* icon, CBmp32* overlay, uint8_t overlayShown,
                                  float originX, float originY, uint32_t* error);
  virtual void TD_STDCALL SetCommentColor(uint32_t argb, uint32_t* error);
  virtual void TD_STDCALL SetCommentFontSize(int32_t size, uint32_t* error);
  virtual void TD_STDCALL SetCommentFontStyle(uint32_t style, uint32_t* error);

  const CFontDesc& GetNameFont() const { return nameFont_; }
  const CFontDesc& GetCommentFont() const { return commentFont_; }
  // Builds the display icon again: the icon composed with the shown overlay
  // and dimmed at night; none (GetIcon gives the icon) by day without overlay.
  void RebuildIcon();
  // Where the waypoint's position lies in GetIcon: the origin, moved with the
  // icon when the overlay reaches out over its left or top edge.
  float GetDisplayOriginX() const { return displayOriginX_; }
  float GetDisplayOriginY() const { return displayOriginY_; }

 private:
  // An icon, its overlay, their values and the display icon built from
  // them, made aside; a null display icon shows the icon itself.
  struct SIconSet {
    td::TObjectPtr<CBmp32> icon, overlay, display;
    bool shown = false;
    float originX = 0, originY = 0, displayOriginX = 0, displayOriginY = 0;
  };

  bool IsBuiltIn() const { return (state_ & kItemDefaultType) != 0; }
  bool SameIcon(const CBmp32& icon, const CBmp32& overlay, bool shown, float x, float y) const;
  // Copies of the icon and the overlay (cleared ones when null) with their
  // display icon; throws, changing nothing, when memory runs out.
  SIconSet MakeIconSet(const CBmp32* icon, const CBmp32* overlay, bool shown, float x,
                       float y) const;
  void PutIconSet(SIconSet& set) noexcept;
  void PutDisplay(SIconSet& set) noexcept;
  // The display icon of the set's values over icon and overlay.
  td::TObjectPtr<CBmp32> MakeDisplay(SIconSet& set, CBmp32& icon, CBmp32& overlay) const;
  static void ComposeIcon(CBmp32& display, CBmp32& icon, CBmp32& overlay, SIconSet& set);
  void RegisterColors();
  void ReplaceColor(uint32_t& display, uint32_t& day, uint32_t argb);
  void SetColorPair(uint32_t& display, uint32_t& day, uint32_t argb, uint32_t* error);
  void SetSize(CFontDesc& font, int32_t size, uint32_t* error);
  void SetStyle(CFontDesc& font, uint32_t style, uint32_t* error);

  bool overlayShown_;
  CFontDesc nameFont_;
  uint32_t color_;
  uint32_t dayColor_;
  CBmp32* displayIcon_ = nullptr;
  CBmp32* icon_ = nullptr;
  float originX_;
  float originY_;
  CBmp32* overlay_ = nullptr;
  CFontDesc commentFont_;
  uint32_t commentColor_;
  uint32_t commentDayColor_;
  CNightScreen* screen_;
  float displayOriginX_;
  float displayOriginY_;
};
