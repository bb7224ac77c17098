// The position keyboard: a latitude and a longitude in one of three notations,
// typed on the numeric keypad, with hemisphere toggles and a notation button.
// Angles are held in radians and shown in degrees. Toolkit thread only.
#pragma once

#include <cstdint>

#include "lib/widgets/KeyboardWindow.h"

class CButton;
class CEdit;
class CLabel;
struct SLangText;

// Notations of a position.
enum : int32_t {
  kNotationDegrees = 0,
  kNotationDegMin = 1,
  kNotationDegMinSec = 2,
};

class CGeoKeyboardWindow : public CKeyboardWindow {
 public:
  // Runs the whole dialogue: shows the position (radians, negative south and
  // west) in the notation format, clamped into 0..2, runs the window modally
  // and, when it ends with OK or Enter, writes the edited position and the
  // chosen notation back. The caller deletes the window afterwards. A field
  // that does not convert throws CConvertError, the arguments unchanged.
  CGeoKeyboardWindow(const CStr& caption, CWindow* owner, double& latitude, double& longitude,
                     int32_t& format);
  ~CGeoKeyboardWindow() override = default;

  void Layout(int32_t orientation) override;
  bool AcceptChar(char ch) override;

  // Shows the position in notation n (clamped into 0..2) and gives the
  // latitude-degrees field the focus.
  void SetFormat(int32_t n);
  // Folds the modified fields into Latitude and Longitude, clamped to their
  // limits, and takes both signs from the hemisphere buttons.
  void ReadFields();

  CLabel *LatLabel, *LonLabel;
  CEdit *LatDegEdit, *LatMinEdit, *LatSecEdit;
  CEdit *LonDegEdit, *LonMinEdit, *LonSecEdit;
  CLabel *LatDegLabel, *LatMinLabel, *LatSecLabel;
  CLabel *LonDegLabel, *LonMinLabel, *LonSecLabel;
  // State 1 north (east), state 2 south (west).
  CButton* LatHemisphereButton;
  CButton* LonHemisphereButton;
  CButton* FormatButton;
  double Latitude;
  double Longitude;
  int32_t Format = kNotationDegrees;

 private:
  // The controls of one coordinate's row.
  struct SRow {
    CEdit *deg, *min, *sec;
    CLabel *degSign, *minSign, *secSign;
    CButton* hemisphere;
    double* value;
    double limit;
    // The translated hemisphere names of the two signs.
    const SLangText *positive, *negative;
  };
  SRow LatRow();
  SRow LonRow();
  CEdit* MakeField();
  CLabel* MakeLabel(const CStr& text);
  // Shows the controls of Format, writes the texts and places the fields.
  void FillFields();
  void FillRow(const SRow& row, int32_t top);
  void ReadRow(const SRow& row);

  static void FormatClick(CControl* owner, CControl* sender, int32_t x, int32_t y);
  static void FieldEnter(CControl* owner, CControl* sender);
};
