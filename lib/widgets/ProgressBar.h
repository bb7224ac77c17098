// A bar filled in proportion to a position between Min and Max. Toolkit
// thread only.
#pragma once

#include "lib/widgets/Control.h"

class CProgressBar : public CControl {
 public:
  explicit CProgressBar(CControl* parent);
  ~CProgressBar() override = default;

  // The background, then the bar; raises no OnPaint.
  void Paint(CBmp* canvas, const RECT& clip) override;

  // At most Max; pulls Position up to it.
  void SetMin(int32_t value);
  // At least Min; pulls Position down to it.
  void SetMax(int32_t value);
  // Clamped into [Min, Max]; a change repaints at once.
  void SetPosition(int32_t value);
  // Width of the filled part: all of it when Max equals Min.
  int32_t BarWidth() const;

  int32_t Min = 0;
  int32_t Max = 100;
  int32_t Position = 0;
  uint32_t Color = 0xEBEBEB;
  uint32_t BarColor = 0xC56A31;
};
