#include "lib/widgets/GeoKeyboardWindow.h"

#include <algorithm>
#include <cmath>

#include "lib/foundation/format/AngleFormat.h"
#include "lib/foundation/format/Convert.h"
#include "lib/foundation/format/FormatSettings.h"
#include "lib/foundation/text/Language.h"
#include "lib/widgets/Button.h"
#include "lib/widgets/DrawHelpers.h"
#include "lib/widgets/Edit.h"
#include "lib/widgets/Label.h"

namespace {

const SLangText kLatText = {{"Lat", "Breedte", "Breiten"}};
const SLangText kLonText = {{"Long", "Lengte", "L\xE4ngen"}};
const SLangText kNorthText = {{"N"}};
const SLangText kSouthText = {{"S", "Z"}};
const SLangText kEastText = {{"E", "O", "O", nullptr, nullptr, nullptr, nullptr, "O"}};
const SLangText kWestText = {{"W", nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, "V"}};

constexpr double kDegreesPerRadian = 57.29577951308232;
constexpr double kRadiansPerDegree = 0.017453292519943295;
constexpr int32_t kLatTop = 22;
constexpr int32_t kLonTop = 44;
constexpr int32_t kRowHeight = 18;
// Decimals of the last part of each notation.
constexpr int kDegreeDecimals = 7;
constexpr int kMinuteDecimals = 5;
constexpr int kSecondDecimals = 4;
// The largest minutes and seconds each notation reads.
constexpr double kMaxDecimalMinutes = 59.99999;
constexpr double kMaxWholeMinutes = 59;
constexpr double kMaxDecimalSeconds = 59.9999;

int32_t ValidNotation(int32_t n) {
  return std::clamp<int32_t>(n, kNotationDegrees, kNotationDegMinSec);
}

// 0.0 for an empty field and for a lone decimal separator, which the keypad
// can type; any other text that does not convert throws CConvertError.
double FieldValue(const CEdit* field) {
  const CStr& text = field->GetText();
  const SFormatSettings& settings = UserFormatSettings();
  if (text.GetLength() == 0 || text.Compare(settings.decimalSeparator) == 0) return 0.0;
  return StrToDouble(text, settings);
}

}  // namespace

CGeoKeyboardWindow::CGeoKeyboardWindow(const CStr& caption, CWindow* owner, double& latitude,
                                       double& longitude, int32_t& format)
    : CKeyboardWindow(caption, owner, kKeyboardNumeric), Latitude(latitude), Longitude(longitude) {
  LatLabel = MakeLabel(LangStr(kLatText));
  LonLabel = MakeLabel(LangStr(kLonText));
  LatHemisphereButton = new CButton(this, LangStr(kNorthText), LangStr(kSouthText), SmallFont);
  if (latitude < 0.0) LatHemisphereButton->SetState(2);
  LonHemisphereButton = new CButton(this, LangStr(kEastText), LangStr(kWestText), SmallFont);
  if (longitude < 0.0) LonHemisphereButton->SetState(2);
  FormatButton = new CButton(this, "<>", SmallFont);
  FormatButton->OnClick = FormatClick;
  for (CEdit** field :
       {&LatDegEdit, &LatMinEdit, &LatSecEdit, &LonDegEdit, &LonMinEdit, &LonSecEdit})
    *field = MakeField();
  for (CLabel** sign :
       {&LatDegLabel, &LatMinLabel, &LatSecLabel, &LonDegLabel, &LonMinLabel, &LonSecLabel}) {
    static const char* const kSigns[] = {"\xB0", "'", "\""};
    *sign = MakeLabel(kSigns[(sign - &LatDegLabel) % 3]);
  }
  Format = ValidNotation(format);
  if (ShowModal() != mrOK) return;
  ReadFields();
  latitude = Latitude;
  longitude = Longitude;
  format = Format;
}

CEdit* CGeoKeyboardWindow::MakeField() {
  auto* field = new CEdit(this, CStr(), SmallFont);
  field->SetMargin(3);
  field->OnEnter = FieldEnter;
  return field;
}

CLabel* CGeoKeyboardWindow::MakeLabel(const CStr& text) {
  return new CLabel(this, text, SmallFont);
}

CGeoKeyboardWindow::SRow CGeoKeyboardWindow::LatRow() {
  return {LatDegEdit,          LatMinEdit, LatSecEdit, LatDegLabel, LatMinLabel, LatSecLabel,
          LatHemisphereButton, &Latitude,  90.0,       &kNorthText, &kSouthText};
}

CGeoKeyboardWindow::SRow CGeoKeyboardWindow::LonRow() {
  return {LonDegEdit,          LonMinEdit, LonSecEdit, LonDegLabel, LonMinLabel, LonSecLabel,
          LonHemisphereButton, &Longitude, 180.0,      &kEastText,  &kWestText};
}

bool CGeoKeyboardWindow::AcceptChar(char) { return true; }

void CGeoKeyboardWindow::Layout(int32_t orientation) {
  LatLabel->SetBounds(4, kLatTop, Width - 73, kRowHeight);
  LonLabel->SetBounds(4, kLonTop, Width - 73, kRowHeight);
  LatHemisphereButton->SetBounds(77, kLatTop, 18, 18);
  LonHemisphereButton->SetBounds(77, kLonTop, 18, 18);
  FormatButton->SetBounds(Width - 32, 66, 28, 28);
  int32_t half = (Width - 32) / 2;
  OkButton->SetBounds(4, 66, half - 6, 28);
  CancelButton->SetBounds(half + 2, 66, half - 6, 28);
  SetFormat(Format);
  CKeyboardWindow::Layout(orientation);
}

void CGeoKeyboardWindow::SetFormat(int32_t n) {
  Format = ValidNotation(n);
  FillFields();
  SetFocus(Target);
}

void CGeoKeyboardWindow::FillFields() {
  SetVisibles(true, {LatDegEdit, LonDegEdit, LatDegLabel, LonDegLabel});
  bool minutes = Format != kNotationDegrees;
  bool seconds = Format == kNotationDegMinSec;
  SetVisibles(minutes, {LatMinEdit, LonMinEdit, LatMinLabel, LonMinLabel});
  SetVisibles(seconds, {LatSecEdit, LonSecEdit, LatSecLabel, LonSecLabel});
  FillRow(LatRow(), kLatTop);
  FillRow(LonRow(), kLonTop);
  Target = LatDegEdit;
}

void CGeoKeyboardWindow::FillRow(const SRow& row, int32_t top) {
  const SFormatSettings& settings = UserFormatSettings();
  double degrees = *row.value * kDegreesPerRadian;
  char positive = GetLangText(*row.positive)[0], negative = GetLangText(*row.negative)[0];
  int32_t lastLeft = 97;
  CEdit* last = row.deg;
  CLabel* lastSign = row.degSign;
  if (Format == kNotationDegrees) {
    row.deg->SetText(DoubleToStr(std::fabs(degrees), 3, kDegreeDecimals, settings));
  } else if (Format == kNotationDegMin) {
    SAngleTexts parts = AngleToDegMinParts(degrees, kMinuteDecimals, positive, negative, settings);
    row.deg->SetText(parts.degrees);
    row.min->SetText(parts.minutes);
    lastLeft = 136;
    last = row.min;
    lastSign = row.minSign;
  } else {
    SAngleTexts parts =
        AngleToDegMinSecParts(degrees, kSecondDecimals, positive, negative, settings);
    row.deg->SetText(parts.degrees);
    row.min->SetText(parts.minutes);
    row.sec->SetText(parts.seconds);
    row.min->SetBounds(136, top, 24, kRowHeight);
    row.min->SetInputKind(ikInteger);
    row.minSign->SetBounds(161, top, 3, kRowHeight);
    lastLeft = 165;
    last = row.sec;
    lastSign = row.secSign;
  }
  if (last != row.deg) {
    row.deg->SetBounds(97, top, 32, kRowHeight);
    row.deg->SetInputKind(ikInteger);
    row.degSign->SetBounds(130, top, 5, kRowHeight);
  }
  last->SetBounds(lastLeft, top, Width - lastLeft - 7, kRowHeight);
  last->SetInputKind(ikDecimal);
  lastSign->SetBounds(Width - 6, top, 5, kRowHeight);
}

void CGeoKeyboardWindow::ReadFields() {
  ReadRow(LatRow());
  ReadRow(LonRow());
}

void CGeoKeyboardWindow::ReadRow(const SRow& row) {
  double magnitude = std::fabs(*row.value);
  double limit = row.limit;
  if (Format == kNotationDegrees && row.deg->IsModified()) {
    magnitude = Clamp(FieldValue(row.deg), 0, limit) * kRadiansPerDegree;
  } else if (Format == kNotationDegMin && (row.min->IsModified() || row.deg->IsModified())) {
    double m = Clamp(FieldValue(row.min), 0, kMaxDecimalMinutes);
    double d = Clamp(FieldValue(row.deg), 0, m == 0 ? limit : limit - 1);
    magnitude = std::min(limit, m / 60 + d) * kRadiansPerDegree;
  } else if (Format == kNotationDegMinSec &&
             (row.sec->IsModified() || row.min->IsModified() || row.deg->IsModified())) {
    double s = Clamp(FieldValue(row.sec), 0, kMaxDecimalSeconds);
    double m = Clamp(FieldValue(row.min), 0, kMaxWholeMinutes);
    double d = Clamp(FieldValue(row.deg), 0, m + s == 0 ? limit : limit - 1);
    magnitude = std::min(limit, (s / 60 + m) / 60 + d) * kRadiansPerDegree;
  }
  *row.value = row.hemisphere->State == 2 ? -magnitude : magnitude;
}

void CGeoKeyboardWindow::FormatClick(CControl* owner, CControl*, int32_t, int32_t) {
  auto* keyboard = static_cast<CGeoKeyboardWindow*>(owner);
  keyboard->ReadFields();
  keyboard->SetFormat(keyboard->Format == kNotationDegMinSec ? kNotationDegrees
                                                             : keyboard->Format + 1);
}

void CGeoKeyboardWindow::FieldEnter(CControl* owner, CControl* sender) {
  auto* keyboard = static_cast<CGeoKeyboardWindow*>(owner);
  keyboard->ReadFields();
  keyboard->FillFields();
  keyboard->Target = static_cast<CEdit*>(sender);
}
