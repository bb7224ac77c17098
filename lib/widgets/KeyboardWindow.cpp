#include "lib/widgets/KeyboardWindow.h"

#include <initializer_list>

#include "lib/foundation/display/FontDesc.h"
#include "lib/foundation/format/FormatSettings.h"
#include "lib/widgets/Button.h"
#include "lib/widgets/DefaultColors.h"
#include "lib/widgets/Edit.h"
#include "lib/widgets/ImageFolder.h"
#include "lib/widgets/ScreenMetrics.h"
#include "lib/widgets/ToolkitTexts.h"

namespace {

constexpr int32_t kPanelWidth = 240;
constexpr int32_t kPanelHeight = 144;
constexpr int32_t kFullKeyHeight = 24;
constexpr int32_t kFullKeyWidth = 24;
constexpr int32_t kPadKeyWidth = 80;
constexpr int32_t kPadKeyHeight = 36;
// The character code that the edit takes as backspace.
constexpr char kBackspaceCode = 1;

using TKeyField = CButton* CKeyboardWindow::*;

// A character key: its field and its captions without and with shift. The
// decimal key is not listed: its caption comes from the user's locale.
struct SCharKey {
  TKeyField field;
  char lower;
  char upper;
};

// In the order of Keys.
const SCharKey kCharKeys[] = {
    {&CKeyboardWindow::KeyA, 'a', 'A'},
    {&CKeyboardWindow::KeyB, 'b', 'B'},
    {&CKeyboardWindow::KeyC, 'c', 'C'},
    {&CKeyboardWindow::KeyD, 'd', 'D'},
    {&CKeyboardWindow::KeyE, 'e', 'E'},
    {&CKeyboardWindow::KeyF, 'f', 'F'},
    {&CKeyboardWindow::KeyG, 'g', 'G'},
    {&CKeyboardWindow::KeyH, 'h', 'H'},
    {&CKeyboardWindow::KeyI, 'i', 'I'},
    {&CKeyboardWindow::KeyJ, 'j', 'J'},
    {&CKeyboardWindow::KeyK, 'k', 'K'},
    {&CKeyboardWindow::KeyL, 'l', 'L'},
    {&CKeyboardWindow::KeyM, 'm', 'M'},
    {&CKeyboardWindow::KeyN, 'n', 'N'},
    {&CKeyboardWindow::KeyO, 'o', 'O'},
    {&CKeyboardWindow::KeyP, 'p', 'P'},
    {&CKeyboardWindow::KeyQ, 'q', 'Q'},
    {&CKeyboardWindow::KeyR, 'r', 'R'},
    {&CKeyboardWindow::KeyS, 's', 'S'},
    {&CKeyboardWindow::KeyT, 't', 'T'},
    {&CKeyboardWindow::KeyU, 'u', 'U'},
    {&CKeyboardWindow::KeyV, 'v', 'V'},
    {&CKeyboardWindow::KeyW, 'w', 'W'},
    {&CKeyboardWindow::KeyX, 'x', 'X'},
    {&CKeyboardWindow::KeyY, 'y', 'Y'},
    {&CKeyboardWindow::KeyZ, 'z', 'Z'},
    {&CKeyboardWindow::Key0, '0', ')'},
    {&CKeyboardWindow::Key1, '1', '!'},
    {&CKeyboardWindow::Key2, '2', '@'},
    {&CKeyboardWindow::Key3, '3', '#'},
    {&CKeyboardWindow::Key4, '4', '$'},
    {&CKeyboardWindow::Key5, '5', '%'},
    {&CKeyboardWindow::Key6, '6', '^'},
    {&CKeyboardWindow::Key7, '7', '&'},
    {&CKeyboardWindow::Key8, '8', '*'},
    {&CKeyboardWindow::Key9, '9', '('},
    {&CKeyboardWindow::SpaceKey, ' ', ' '},
    {&CKeyboardWindow::KeyComma, ',', '<'},
    {&CKeyboardWindow::KeyPeriod, '.', '>'},
    {&CKeyboardWindow::KeySlash, '/', '?'},
    {&CKeyboardWindow::KeyMinus, '-', '_'},
    {&CKeyboardWindow::KeyEquals, '=', '+'},
    {&CKeyboardWindow::KeySemicolon, ';', ':'},
    {&CKeyboardWindow::KeyQuote, '\'', '"'},
    {&CKeyboardWindow::KeyBackquote, '`', '~'},
    {&CKeyboardWindow::KeyLeftBracket, '[', '{'},
    {&CKeyboardWindow::KeyRightBracket, ']', '}'},
    {&CKeyboardWindow::KeyBackslash, '\\', '|'},
};

// A key placed by field: (left, top, width, height) inside the key panel.
struct SKeyPlace {
  TKeyField field;
  int32_t left, top, width, height;
};

// The full keyboard's keys that are not in a run of equal keys, row by row.
const SKeyPlace kFullKeyPlaces[] = {
    {&CKeyboardWindow::TabKey, 0, 0, 38, kFullKeyHeight},
    {&CKeyboardWindow::CapsKey, 38, 0, 38, kFullKeyHeight},
    {&CKeyboardWindow::KeyBackslash, 76, 0, 24, kFullKeyHeight},
    {&CKeyboardWindow::KeySemicolon, 100, 0, 24, kFullKeyHeight},
    {&CKeyboardWindow::KeyQuote, 124, 0, 24, kFullKeyHeight},
    {&CKeyboardWindow::KeyMinus, 148, 0, 24, kFullKeyHeight},
    {&CKeyboardWindow::KeyEquals, 172, 0, 24, kFullKeyHeight},
    {&CKeyboardWindow::BackspaceKey, 196, 0, 44, kFullKeyHeight},
    {&CKeyboardWindow::EnterKeyTop, 221, 72, 19, kFullKeyHeight},
    {&CKeyboardWindow::EnterKeyBottom, 202, 96, 38, kFullKeyHeight},
    {&CKeyboardWindow::ShiftKey, 0, 120, 50, kFullKeyHeight},
    {&CKeyboardWindow::KeyBackquote, 50, 120, 24, kFullKeyHeight},
    {&CKeyboardWindow::SpaceKey, 74, 120, 70, kFullKeyHeight},
    {&CKeyboardWindow::KeyLeftBracket, 144, 120, 24, kFullKeyHeight},
    {&CKeyboardWindow::KeyRightBracket, 168, 120, 24, kFullKeyHeight},
    {&CKeyboardWindow::KeyComma, 192, 120, 24, kFullKeyHeight},
    {&CKeyboardWindow::KeyPeriod, 216, 120, 24, kFullKeyHeight},
};

// A run of character keys of equal width on one row, left to right.
struct SKeyRun {
  const char* keys;
  int32_t left, top;
};

const SKeyRun kFullKeyRuns[] = {
    {"1234567890", 0, 24},
    {"qwertyuiop", 0, 48},
    {"asdfghjkl", 5, 72},
    {"zxcvbnm/", 10, 96},
};

TKeyField FieldOf(char lower) {
  for (const SCharKey& key : kCharKeys)
    if (key.lower == lower) return key.field;
  return nullptr;
}

void SetKeyColor(CButton* key, uint32_t colour) {
  key->Color = colour;
  key->Invalidate();
}

uint32_t LockColor(bool on) { return on ? DefaultActiveColor : DefaultFaceColor; }

void MakeKey(CButton* key, TPointHandler handler) {
  key->SetTransparent(true);
  key->OnMouseDown = handler;
  key->SetFrameWhenUp(true);
}

}  // namespace

CKeyboardWindow::CKeyboardWindow(const CStr& caption, CWindow* owner, int32_t mode)
    : CWindow(caption, owner),
      Keys(true),
      Mode(mode),
      SmallFont(new CFontDesc("Arial", 9, kFontBold)),
      KeyFont(new CFontDesc("Arial", 10, kFontBold)) {
  OkButton = new CButton(this, LangStr(kTextOK), KeyFont);
  OkButton->OnClick = OkClick;
  CancelButton = new CButton(this, LangStr(kTextCancel), KeyFont);
  CancelButton->OnClick = CancelClick;
  KeyPanel = new CControl(this);
  KeyPanel->SetTransparent(true);
  CreateCharacterKeys();
  ShiftKey = CreateSpecialKey(ShiftKeyDown, "btn_keyboard_shift.bmp");
  CapsKey = CreateSpecialKey(CapsKeyDown, nullptr);
  CapsKey->SetCaption("CAP");
  TabKey = CreateSpecialKey(nullptr, "btn_keyboard_tab.bmp");
  BackspaceKey = CreateSpecialKey(BackspaceKeyDown, "btn_keyboard_backspace.bmp");
  EnterKeyTop = CreateSpecialKey(EnterTopDown, "btn_keyboard_enter_01.bmp");
  EnterKeyBottom = CreateSpecialKey(EnterBottomDown, "btn_keyboard_enter_02.bmp");
}

CKeyboardWindow::~CKeyboardWindow() {
  // The keys are detached here and freed by their owners below: the special
  // keys by this destructor, the character keys by Keys.
  KeyPanel->RemoveAllControls();
  for (CButton* button : {OkButton, CancelButton, ShiftKey, TabKey, CapsKey, BackspaceKey,
                          EnterKeyTop, EnterKeyBottom})
    delete button;
  delete SmallFont;
  delete KeyFont;
}

void CKeyboardWindow::CreateCharacterKeys() {
  for (const SCharKey& key : kCharKeys) {
    auto* button = new CButton(nullptr, CStr(key.lower), KeyFont);
    this->*key.field = button;
    Keys.Add(button);
  }
  DecimalKey = new CButton(nullptr, CStr(UserFormatSettings().decimalSeparator), KeyFont);
  Keys.Add(DecimalKey);
  for (int32_t i = 0; i < Keys.GetCount(); ++i) MakeKey(Keys[i], CharacterKeyDown);
}

CButton* CKeyboardWindow::CreateSpecialKey(TPointHandler handler, const char* imageFile) {
  auto* key = new CButton(nullptr, CStr(), KeyFont);
  MakeKey(key, handler);
  if (imageFile) key->LoadImage(ImagePath(imageFile));
  return key;
}

bool CKeyboardWindow::AcceptChar(char) { return true; }

void CKeyboardWindow::SetShiftState(uint8_t flags) {
  ShiftState = flags;
  bool upper = bool(flags & kShiftOn) != bool(flags & kCapsLockOn);
  for (const SCharKey& key : kCharKeys)
    (this->*key.field)->SetCaption(CStr(upper ? key.upper : key.lower));
}

void CKeyboardWindow::Layout(int32_t orientation) {
  SIZE screen = ToolkitScreenSize();
  SetBounds(0, 0, screen.cx, screen.cy);
  KeyPanel->RemoveAllControls();
  KeyPanel->SetBounds((Width - kPanelWidth) / 2, Height - kPanelHeight, kPanelWidth, kPanelHeight);
  if (Mode == kKeyboardFull) PlaceFullKeyboard();
  if (Mode == kKeyboardNumeric) PlaceNumericKeypad();
  CWindow::Layout(orientation);
}

void CKeyboardWindow::PlaceFullKeyboard() {
  auto place = [this](const SKeyPlace& p) {
    (this->*p.field)->Place(KeyPanel, p.left, p.top, p.width, p.height);
  };
  // Row by row: the row's run of equal keys first, then its other keys.
  for (int32_t top = 0; top < kPanelHeight; top += kFullKeyHeight) {
    for (const SKeyRun& run : kFullKeyRuns) {
      if (run.top != top) continue;
      int32_t left = run.left;
      for (const char* c = run.keys; *c; ++c, left += kFullKeyWidth)
        place({FieldOf(*c), left, top, kFullKeyWidth, kFullKeyHeight});
    }
    for (const SKeyPlace& p : kFullKeyPlaces)
      if (p.top == top) place(p);
  }
}

void CKeyboardWindow::PlaceNumericKeypad() {
  CButton* pad[] = {Key7, Key8, Key9, Key4, Key5,       Key6,
                    Key1, Key2, Key3, Key0, DecimalKey, BackspaceKey};
  for (int32_t i = 0; i < 12; ++i)
    pad[i]->Place(KeyPanel, (i % 3) * kPadKeyWidth, (i / 3) * kPadKeyHeight, kPadKeyWidth,
                  kPadKeyHeight);
}

void CKeyboardWindow::PressWithoutHandler(CButton* half) {
  TPointHandler handler = half->OnMouseDown;
  half->OnMouseDown = nullptr;
  half->MouseDown(0, 0);
  half->OnMouseDown = handler;
}

void CKeyboardWindow::CharacterKeyDown(CControl* owner, CControl* sender, int32_t, int32_t) {
  auto* keyboard = static_cast<CKeyboardWindow*>(owner);
  char ch = static_cast<CButton*>(sender)->Caption.c_str()[0];
  if (!keyboard->Target || !keyboard->AcceptChar(ch)) return;
  keyboard->Target->InputChar(ch);
  if (keyboard->ShiftState & kShiftOn) {
    keyboard->SetShiftState(keyboard->ShiftState & ~kShiftOn);
    SetKeyColor(keyboard->ShiftKey, DefaultFaceColor);
  }
}

void CKeyboardWindow::ShiftKeyDown(CControl* owner, CControl*, int32_t, int32_t) {
  auto* keyboard = static_cast<CKeyboardWindow*>(owner);
  keyboard->SetShiftState(keyboard->ShiftState ^ kShiftOn);
  SetKeyColor(keyboard->ShiftKey, LockColor(keyboard->ShiftState & kShiftOn));
}

void CKeyboardWindow::CapsKeyDown(CControl* owner, CControl*, int32_t, int32_t) {
  auto* keyboard = static_cast<CKeyboardWindow*>(owner);
  keyboard->SetShiftState(keyboard->ShiftState ^ kCapsLockOn);
  SetKeyColor(keyboard->CapsKey, LockColor(keyboard->ShiftState & kCapsLockOn));
}

void CKeyboardWindow::BackspaceKeyDown(CControl* owner, CControl*, int32_t, int32_t) {
  auto* keyboard = static_cast<CKeyboardWindow*>(owner);
  if (keyboard->Target) keyboard->Target->InputChar(kBackspaceCode);
}

void CKeyboardWindow::EnterTopDown(CControl* owner, CControl*, int32_t, int32_t) {
  auto* keyboard = static_cast<CKeyboardWindow*>(owner);
  PressWithoutHandler(keyboard->EnterKeyBottom);
  keyboard->ModalResult = mrOK;
}

void CKeyboardWindow::EnterBottomDown(CControl* owner, CControl*, int32_t, int32_t) {
  auto* keyboard = static_cast<CKeyboardWindow*>(owner);
  PressWithoutHandler(keyboard->EnterKeyTop);
  keyboard->ModalResult = mrOK;
}

void CKeyboardWindow::OkClick(CControl* owner, CControl*, int32_t, int32_t) {
  static_cast<CWindow*>(owner)->ModalResult = mrOK;
}

void CKeyboardWindow::CancelClick(CControl* owner, CControl*, int32_t, int32_t) {
  static_cast<CWindow*>(owner)->ModalResult = mrCancel;
}
