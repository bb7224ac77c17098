#include "lib/waypoints/WaypointType.h"

#include "lib/bitmap/Bmp32.h"
#include "lib/foundation/ErrorCodes.h"
#include "lib/waypoints/SlotGuard.h"
#include "lib/waypoints/WaypointChecks.h"
#include "lib/waypoints/WaypointDatabase.h"
#include "lib/waypoints/WaypointManager.h"

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
      commentDayColor_(args.look.commentColor) {
  SetIconsInternal(args.icon, args.overlay);
}

CWaypointType::~CWaypointType() { SetIconsInternal(nullptr, nullptr); }

namespace {

CBmp32* CopyOf(const CBmp32* source) {
  if (!source) return nullptr;
  auto* copy = new CBmp32(0, 0, false);
  try {
    copy->CopyFrom(*source);
  } catch (...) {
    td::Free(copy);
    throw;
  }
  return copy;
}

}  // namespace

void CWaypointType::SetIconsInternal(const CBmp32* icon, const CBmp32* overlay) {
  CBmp32* newIcon = CopyOf(icon);
  CBmp32* newOverlay = nullptr;
  try {
    newOverlay = CopyOf(overlay);
  } catch (...) {
    if (newIcon) td::Free(newIcon);
    throw;
  }
  if (icon_) td::Free(icon_);
  if (overlay_) td::Free(overlay_);
  icon_ = newIcon;
  overlay_ = newOverlay;
}

void TD_STDCALL CWaypointType::Assign(CWaypointManagerItem* source, uint32_t* error) {
  GuardSlot(error, [&] {
    if (!AssignBase(source, error)) return;
    auto& from = static_cast<CWaypointType&>(*source);
    nameFont_.Assign(from.nameFont_);
    commentFont_.Assign(from.commentFont_);
    color_ = from.color_;
    dayColor_ = from.dayColor_;
    commentColor_ = from.commentColor_;
    commentDayColor_ = from.commentDayColor_;
    // The icon images follow with the bitmap module; the flag and origin now.
    overlayShown_ = from.overlayShown_;
    originX_ = from.originX_;
    originY_ = from.originY_;
    Touch();
  });
}

int32_t TD_STDCALL CWaypointType::GetStoreSize(uint8_t whole) {
  return CWaypointManagerItem::GetStoreSize(0) + nameFont_.GetMemSize(false) +
         commentFont_.GetMemSize(false) + (whole ? static_cast<int32_t>(sizeof(*this)) : 0);
}

CStr* TD_STDCALL CWaypointType::GetName() {
  return IsBuiltIn() ? manager_->GetDefaultTypeName() : CWaypointManagerItem::GetName();
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

// Icon images arrive with the bitmap module; until then a type keeps the
// icon it has and reports the change as not done.
void TD_STDCALL CWaypointType::SetIcon(CBmp32*, CBmp32*, uint8_t, float, float, uint32_t* error) {
  if (!CheckWritable(error)) *error = kErrUnknown;
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

// Day mode: the display value is the day value.
void CWaypointType::SetColorPair(uint32_t& display, uint32_t& day, uint32_t argb, uint32_t* error) {
  if (CheckWritable(error) || argb == day) return;
  day = argb;
  display = argb;
  Touch();
}

void CWaypointType::SetSize(CFontDesc& font, int32_t size, uint32_t* error) {
  if (CheckWritable(error) || size == font.GetSize() || !td::WPMCheckFontSize(size, error)) return;
  font.SetSize(size);
  Touch();
}

void CWaypointType::SetStyle(CFontDesc& font, uint32_t style, uint32_t* error) {
  if (CheckWritable(error) || (style & 7) == font.GetStyle()) return;
  font.SetStyle(style & 7);
  Touch();
}
