#include "lib/waypoints/WaypointType.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>
#include <utility>

#include "lib/foundation/core/ErrorCodes.h"
#include "lib/waypoints/SlotGuard.h"
#include "lib/waypoints/WaypointChecks.h"
#include "lib/waypoints/WaypointDatabase.h"
#include "lib/waypoints/WaypointManager.h"

namespace {

using BmpPtr = td::TObjectPtr<CBmp32>;

// A copy of source, or a cleared side x side bitmap when there is none;
// throws when memory runs out.
BmpPtr CopyImage(const CBmp32* source, int32_t side) {
  if (!source || !source->HasPixels()) {
    BmpPtr cleared(new CBmp32(side, side, false));
    cleared->Fill(0);
    return cleared;
  }
  BmpPtr copy(new CBmp32(0, 0, false));
  copy->CopyFrom(*source);
  return copy;
}

bool SamePixels(const CBmp32& a, const CBmp32& b) {
  return a.Width() == b.Width() && a.Height() == b.Height() &&
         (a.PixelCount() == 0 ||
          std::memcmp(a.Pixels(), b.Pixels(), static_cast<size_t>(a.PixelCount()) * 4) == 0);
}

int32_t BmpSize(CBmp32* bitmap, uint8_t whole) {
  return bitmap ? static_cast<int32_t>(bitmap->GetMemorySize(whole)) : 0;
}

}  // namespace

CWaypointType::CWaypointType(const STypeArgs& args, const CStr& fontFace)
    : CWaypointManagerItem(EItemKind::Type, args.item),
      overlayShown_(args.overlayShown),
      nameFont_(fontFace, args.look.nameFontSize, args.look.nameFontStyle),
      color_(args.look.nameColor),
      dayColor_(args.look.nameColor),
      originX_(args.originX),
      originY_(args.originY),
      commentFont_(fontFace, args.look.commentFontSize, args.look.commentFontStyle),
      commentColor_(args.look.commentColor),
      commentDayColor_(args.look.commentColor),
      screen_(NightScreen()),
      displayOriginX_(args.originX),
      displayOriginY_(args.originY) {
  SIconSet icons =
      MakeIconSet(args.icon, args.overlay, args.overlayShown, args.originX, args.originY);
  PutIconSet(icons);
  RegisterColors();
}

CWaypointType::~CWaypointType() {
  if (screen_) {
    screen_->UnregisterARGB(&color_);
    screen_->UnregisterARGB(&commentColor_);
  }
  td::Free(displayIcon_);
  td::Free(icon_);
  td::Free(overlay_);
}

void TD_STDCALL CWaypointType::Assign(CWaypointManagerItem* source, uint32_t* error) {
  GuardSlot(error, [&] {
    if (!CanAssignFrom(source, error)) return;
    auto& from = static_cast<CWaypointType&>(*source);
    // Everything new is made first: after that nothing can fail.
    const bool sameIcon =
        SameIcon(*from.icon_, *from.overlay_, from.overlayShown_, from.originX_, from.originY_);
    SIconSet icons;
    if (!sameIcon)
      icons =
          MakeIconSet(from.icon_, from.overlay_, from.overlayShown_, from.originX_, from.originY_);
    SPreparedName name = PrepareName(from.name_);
    CStr nameFace(from.nameFont_.GetFaceName()), commentFace(from.commentFont_.GetFaceName());
    nameFont_.Set(std::move(nameFace), from.nameFont_.GetSize(), from.nameFont_.GetStyle());
    commentFont_.Set(std::move(commentFace), from.commentFont_.GetSize(),
                     from.commentFont_.GetStyle());
    if (!sameIcon) PutIconSet(icons);
    AssignBaseFields(std::move(name), from);
    ReplaceColor(color_, dayColor_, from.dayColor_);
    ReplaceColor(commentColor_, commentDayColor_, from.commentDayColor_);
    Touch();
  });
}

int32_t TD_STDCALL CWaypointType::GetStoreSize(uint8_t whole) {
  return td::Guard(0, [&] {
    return CWaypointManagerItem::GetStoreSize(0) + nameFont_.GetMemSize(false) +
           commentFont_.GetMemSize(false) + BmpSize(icon_, whole) + BmpSize(overlay_, whole) +
           BmpSize(displayIcon_, whole) + (whole ? static_cast<int32_t>(sizeof(*this)) : 0);
  });
}

CStr* TD_STDCALL CWaypointType::GetName() {
  return td::Guard(static_cast<CStr*>(nullptr), [&] {
    return IsBuiltIn() ? manager_->GetDefaultTypeName() : CWaypointManagerItem::GetName();
  });
}

void TD_STDCALL CWaypointType::Delete(uint32_t* error) {
  GuardSlot(error, [&] {
    if (CheckDelete(error) && database_) database_->RemoveType(this);
  });
}

uint8_t TD_STDCALL CWaypointType::GetShowOverlay() { return overlayShown_; }

uint32_t TD_STDCALL CWaypointType::GetColor() { return color_; }

uint32_t TD_STDCALL CWaypointType::GetDayColor() { return dayColor_; }

CStr* TD_STDCALL CWaypointType::GetFontFace() {
  return const_cast<CStr*>(&nameFont_.GetFaceName());
}

int32_t TD_STDCALL CWaypointType::GetFontSize() { return nameFont_.GetSize(); }

uint32_t TD_STDCALL CWaypointType::GetFontStyle() { return nameFont_.GetStyle(); }

CBmp32* TD_STDCALL CWaypointType::GetIcon() { return displayIcon_ ? displayIcon_ : icon_; }

CBmp32* TD_STDCALL CWaypointType::GetPlainIcon() { return icon_; }

float TD_STDCALL CWaypointType::GetIconOriginX() { return originX_; }

float TD_STDCALL CWaypointType::GetIconOriginY() { return originY_; }

CBmp32* TD_STDCALL CWaypointType::GetOverlay() { return overlay_; }

uint32_t TD_STDCALL CWaypointType::GetCommentColor() { return commentColor_; }

uint32_t TD_STDCALL CWaypointType::GetCommentDayColor() { return commentDayColor_; }

int32_t TD_STDCALL CWaypointType::GetCommentFontSize() { return commentFont_.GetSize(); }

uint32_t TD_STDCALL CWaypointType::GetCommentFontStyle() { return commentFont_.GetStyle(); }

uint8_t TD_STDCALL CWaypointType::IsDefault() { return IsBuiltIn(); }

void TD_STDCALL CWaypointType::SetColor(uint32_t argb, uint32_t* error) {
  SetColorPair(color_, dayColor_, argb, error);
}

void TD_STDCALL CWaypointType::SetFontSize(int32_t size, uint32_t* error) {
  SetSize(nameFont_, size, error);
}

void TD_STDCALL CWaypointType::SetFontStyle(uint32_t style, uint32_t* error) {
  SetStyle(nameFont_, style, error);
}

void TD_STDCALL CWaypointType::SetIcon(CBmp32* icon, CBmp32* overlay, uint8_t overlayShown,
                                       float originX, float originY, uint32_t* error) {
  GuardSlot(error, [&] {
    if (CheckWritable(error) ||
        !td::WPMCheckIcon(icon ? icon->Width() : 0, icon ? icon->Height() : 0, originX, originY,
                          error) ||
        !td::WPMCheckIconOverlay(overlay ? overlay->Width() : 0, overlay ? overlay->Height() : 0,
                                 error))
      return;
    bool shown = overlayShown != 0;
    if (SameIcon(*icon, *overlay, shown, originX, originY)) return;
    SIconSet icons = MakeIconSet(icon, overlay, shown, originX, originY);
    PutIconSet(icons);
    Touch();
  });
}

void TD_STDCALL CWaypointType::SetCommentColor(uint32_t argb, uint32_t* error) {
  SetColorPair(commentColor_, commentDayColor_, argb, error);
}

void TD_STDCALL CWaypointType::SetCommentFontSize(int32_t size, uint32_t* error) {
  SetSize(commentFont_, size, error);
}

void TD_STDCALL CWaypointType::SetCommentFontStyle(uint32_t style, uint32_t* error) {
  SetStyle(commentFont_, style, error);
}

void CWaypointType::SetColorPair(uint32_t& display, uint32_t& day, uint32_t argb, uint32_t* error) {
  GuardSlot(error, [&] {
    if (CheckWritable(error) || argb == day) return;
    ReplaceColor(display, day, argb);
    Touch();
  });
}

void CWaypointType::RegisterColors() {
  if (!screen_) return;
  screen_->RegisterARGB(&color_);
  screen_->RegisterARGB(&commentColor_);
}

// The night screen writes the registered day value back when the variable
// leaves it; registering again keeps the new day value and dims it at night.
void CWaypointType::ReplaceColor(uint32_t& display, uint32_t& day, uint32_t argb) {
  if (screen_) screen_->UnregisterARGB(&display);
  day = argb;
  display = argb;
  if (screen_) screen_->RegisterARGB(&display);
}

bool CWaypointType::SameIcon(const CBmp32& icon, const CBmp32& overlay, bool shown, float x,
                             float y) const {
  return x == originX_ && y == originY_ && shown == overlayShown_ && SamePixels(icon, *icon_) &&
         SamePixels(overlay, *overlay_);
}

CWaypointType::SIconSet CWaypointType::MakeIconSet(const CBmp32* icon, const CBmp32* overlay,
                                                   bool shown, float x, float y) const {
  SIconSet set;
  set.icon = CopyImage(icon, 32);
  set.overlay = CopyImage(overlay, 8);
  set.shown = shown;
  set.originX = x;
  set.originY = y;
  set.display = MakeDisplay(set, *set.icon, *set.overlay);
  return set;
}

// The set's bitmaps and values take the place of the type's, which the set
// then holds.
void CWaypointType::PutIconSet(SIconSet& set) noexcept {
  icon_ = std::exchange(set.icon, BmpPtr(icon_)).release();
  overlay_ = std::exchange(set.overlay, BmpPtr(overlay_)).release();
  overlayShown_ = set.shown;
  originX_ = set.originX;
  originY_ = set.originY;
  PutDisplay(set);
}

void CWaypointType::PutDisplay(SIconSet& set) noexcept {
  displayIcon_ = std::exchange(set.display, BmpPtr(displayIcon_)).release();
  displayOriginX_ = set.displayOriginX;
  displayOriginY_ = set.displayOriginY;
}

// The display icon is made before the old one goes: when memory runs out the
// type keeps the one it had.
void CWaypointType::RebuildIcon() {
  SIconSet set;
  set.shown = overlayShown_;
  set.originX = originX_;
  set.originY = originY_;
  set.display = MakeDisplay(set, *icon_, *overlay_);
  PutDisplay(set);
}

// The icon composed with the shown overlay and dimmed at night; none by day
// without overlay. Sets the set's display origin.
BmpPtr CWaypointType::MakeDisplay(SIconSet& set, CBmp32& icon, CBmp32& overlay) const {
  set.displayOriginX = set.originX;
  set.displayOriginY = set.originY;
  bool night = screen_ && screen_->IsNight();
  if (!set.shown && !night) return nullptr;
  BmpPtr display(new CBmp32(0, 0, false));
  if (set.shown)
    ComposeIcon(*display, icon, overlay, set);
  else
    display->CopyFrom(icon);
  if (night) screen_->DimBitmap(display.get());
  return display;
}

// The overlay centred on the origin over the icon; when the overlay reaches
// out over the icon's left or top edge, everything moves right or down so
// that it starts at the display icon's edge.
void CWaypointType::ComposeIcon(CBmp32& display, CBmp32& icon, CBmp32& overlay, SIconSet& set) {
  SRectD iconRect = icon.PixBounds();
  double left = set.originX - overlay.Width() / 2.0;
  double top = set.originY - overlay.Height() / 2.0;
  SRectD overlayRect{left, top, left + overlay.Width(), top + overlay.Height()};
  double shiftX = overlayRect.left < -0.5 ? -(overlayRect.left + 0.5) : 0.0;
  double shiftY = overlayRect.top < -0.5 ? -(overlayRect.top + 0.5) : 0.0;
  for (SRectD* r : {&iconRect, &overlayRect}) {
    r->left += shiftX;
    r->right += shiftX;
    r->top += shiftY;
    r->bottom += shiftY;
  }
  double right = std::max(iconRect.right, overlayRect.right);
  double bottom = std::max(iconRect.bottom, overlayRect.bottom);
  display.Resize(static_cast<int32_t>(std::floor(right + 1.0)),
                 static_cast<int32_t>(std::floor(bottom + 1.0)));
  display.Fill(0);
  icon.Draw(display, iconRect, icon.PixBounds(), bmCopy);
  overlay.Draw(display, overlayRect, overlay.PixBounds(), bmBlendAlpha);
  set.displayOriginX = static_cast<float>(set.originX + shiftX);
  set.displayOriginY = static_cast<float>(set.originY + shiftY);
}

void CWaypointType::SetSize(CFontDesc& font, int32_t size, uint32_t* error) {
  GuardSlot(error, [&] {
    if (CheckWritable(error) || size == font.GetSize() || !td::WPMCheckFontSize(size, error))
      return;
    font.SetSize(size);
    Touch();
  });
}

void CWaypointType::SetStyle(CFontDesc& font, uint32_t style, uint32_t* error) {
  GuardSlot(error, [&] {
    if (CheckWritable(error) || (style & 7) == font.GetStyle()) return;
    font.SetStyle(style & 7);
    Touch();
  });
}
