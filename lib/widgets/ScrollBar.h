// A scroll bar: a panel (the track) with two arrow panels and a thumb that
// maps an integer position between Min and Max onto the track. Vertical when
// Orientation is 0, else horizontal. Toolkit thread only.
#pragma once

#include "lib/widgets/Panel.h"

class CScrollBar : public CPanel {
 public:
  explicit CScrollBar(CControl* parent);
  ~CScrollBar() override = default;

  // A click on the track steps by LargeStep towards the click.
  void Click(int32_t x, int32_t y) override;
  void SetBounds(int32_t left, int32_t top, int32_t width, int32_t height) override;
  // The bar itself, so that its parts' handlers get the bar as owner.
  CControl* GetOwner() override { return this; }

  // Clamped into [Min, Max]; a change moves the thumb and raises OnChange.
  void SetPosition(int32_t value);
  // Ignored when equal to Max or below Min.
  void SetMax(int32_t value);
  // Ignored when equal to Min or above Max.
  void SetMin(int32_t value);
  // Stores Min and Max unchecked, then SetPosition.
  void SetRange(int32_t position, int32_t min, int32_t max);
  void SetPageSize(int32_t value);
  void SetMinThumbSize(int32_t value);
  void SetLargeStep(int32_t value);
  void SetSmallStep(int32_t value);
  void SetButtonSize(int32_t value);
  // Lays out again on a change and loads the arrow bitmaps of the orientation.
  void SetOrientation(int32_t value);
  void SetButtonColor(uint32_t color);
  void SetButtonBorderColor(uint32_t color);
  void SetDisabledBorderColor(uint32_t color);
  // Shows or hides the thumb and enables or disables the bar with it.
  void SetThumbVisible(bool visible);
  void Layout();
  void UpdateThumb();

  int32_t ButtonSize = 25;
  int32_t LargeStep = 10;
  int32_t SmallStep = 1;
  int32_t Min = 0;
  int32_t Max = 90;
  int32_t Range = 90;
  int32_t Position = 0;
  int32_t PageSize = 10;
  int32_t MinThumbSize = 15;
  int32_t Orientation = 0;
  int32_t TrackLength = 0;
  int32_t ThumbSize = 0;
  uint32_t ButtonColor = 0xEBEBEB;
  uint32_t ButtonBorderColor = 0x000000;
  CPanel* Thumb;
  CPanel* EndArrow;
  CPanel* StartArrow;
  // Called with the owner the bar's parent gives, not the bar itself.
  TNotifyHandler OnChange = nullptr;

 private:
  bool IsVertical() const { return Orientation == 0; }
  // Where the thumb starts along the bar for the current position.
  int32_t ThumbStart() const;
  // Clamped into [Min, Max] (Min wins when Max < Min).
  int32_t Clamped(int64_t value) const;
  void StepBy(int64_t delta) { SetPosition(Clamped(int64_t{Position} + delta)); }
  // After a change of the range or the page size.
  void ShowRange() { SetThumbVisible(Range > 0); }
  static void DragThumb(CControl* owner, CControl* sender, int32_t x, int32_t y);
  static void PaintGrip(CControl* owner, CControl* sender, CBmp* canvas);
  static void StepForward(CControl* owner, CControl* sender, int32_t x, int32_t y);
  static void StepBack(CControl* owner, CControl* sender, int32_t x, int32_t y);
};
