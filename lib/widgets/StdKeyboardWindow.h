// The text and number keyboard: the on-screen keyboard with one edit line
// above the keys, and the entry functions that run the keyboards for a value.
// Toolkit thread only; every function here blocks in a modal loop.
#pragma once

#include <cstdint>

#include "lib/foundation/text/Str.h"
#include "lib/widgets/KeyboardWindow.h"

class CEdit;

class CStdKeyboardWindow : public CKeyboardWindow {
 public:
  // Runs the whole dialogue: shows the text in the edit line with the full
  // keyboard (mode 0) or the numeric keypad (mode 1), runs the window modally
  // and, when it ends with OK or Enter, writes the edited text back into
  // text. The caller deletes the window afterwards. Errors raised inside the
  // modal loop pass through, the text unchanged.
  CStdKeyboardWindow(const CStr& caption, CWindow* owner, CStr& text, int32_t mode);
  ~CStdKeyboardWindow() override = default;

  void Layout(int32_t orientation) override;

  // A child of the window.
  CEdit* Edit;
};

// A whole number typed on the keypad; value itself when the entry is cancelled,
// or, after an error box, when the text is not a 32-bit whole number. The
// owner is disabled while the keyboard runs and may be null.
int32_t InputInteger(int32_t value, const CStr& caption, CWindow* owner);
// The text typed on the full keyboard when confirmed, else a copy of text.
CStr InputString(const CStr& text, const CStr& caption, CWindow* owner);
// A position (radians) and its notation (0 decimal degrees, 1 degrees and
// minutes, 2 degrees, minutes and seconds) on the position keyboard. True
// when confirmed with OK; only then are the three values written.
bool InputPosition(double& latitude, double& longitude, int32_t& format, const CStr& caption,
                   CWindow* owner);
