// The on-screen keyboard: a full-screen window with a 240 x 144 block of key
// buttons at the bottom centre, OK and Cancel, typing into an edit control.
// Two key sets: the full US typewriter layout with Shift and Caps Lock, and a
// numeric keypad. Keys act when the pointer goes down on them. The base never
// shows itself: a subclass makes the value controls, points Target at an edit
// and runs the window modally. Toolkit thread only.
#pragma once

#include <cstdint>

#include "lib/foundation/containers/List.h"
#include "lib/foundation/text/Str.h"
#include "lib/widgets/Window.h"

class CButton;
class CEdit;
class CFontDesc;

// Key sets.
enum : int32_t {
  kKeyboardFull = 0,
  kKeyboardNumeric = 1,
};

// Bits of ShiftState.
enum : uint8_t {
  kShiftOn = 1,
  kCapsLockOn = 2,
};

class CKeyboardWindow : public CWindow {
 public:
  // Hidden and full-screen; the owner is disabled while the keyboard is modal.
  // A mode other than the two key sets shows no keys.
  CKeyboardWindow(const CStr& caption, CWindow* owner, int32_t mode);
  ~CKeyboardWindow() override;

  // Fits the window to the screen and rebuilds the key block of Mode.
  void Layout(int32_t orientation) override;
  // Whether a character key may type ch into Target; the base accepts all.
  virtual bool AcceptChar(char ch);

  // Stores the flags and sets every character key's caption for them: Shift
  // inverts Caps Lock, and both shift the digits and punctuation too.
  void SetShiftState(uint8_t flags);

  CButton *KeyA, *KeyB, *KeyC, *KeyD, *KeyE, *KeyF, *KeyG, *KeyH, *KeyI, *KeyJ, *KeyK, *KeyL, *KeyM,
      *KeyN, *KeyO, *KeyP, *KeyQ, *KeyR, *KeyS, *KeyT, *KeyU, *KeyV, *KeyW, *KeyX, *KeyY, *KeyZ;
  CButton *Key0, *Key1, *Key2, *Key3, *Key4, *Key5, *Key6, *Key7, *Key8, *Key9;
  CButton *KeyComma, *KeyPeriod, *KeySlash;
  CButton* ShiftKey;
  CButton* SpaceKey;
  CButton* TabKey;
  CButton* CapsKey;
  CButton* BackspaceKey;
  CButton *KeyMinus, *KeyEquals, *KeySemicolon, *KeyQuote, *KeyBackquote, *KeyLeftBracket,
      *KeyRightBracket, *KeyBackslash;
  CButton* EnterKeyTop;
  CButton* EnterKeyBottom;
  CButton* DecimalKey;
  // Holds the keys of the current key set; a child of the window.
  CControl* KeyPanel;
  // Every key that types a character, in creation order; owns them.
  CList<CButton> Keys;
  uint8_t ShiftState = 0;
  int32_t Mode;
  // For the subclasses' edits, labels and small buttons.
  CFontDesc* SmallFont;
  // Receives the typed characters; not owned. Null types nothing.
  CEdit* Target = nullptr;
  CFontDesc* KeyFont;
  CButton* OkButton;
  CButton* CancelButton;

 private:
  void CreateCharacterKeys();
  CButton* CreateSpecialKey(TPointHandler handler, const char* imageFile);
  void PlaceFullKeyboard();
  void PlaceNumericKeypad();
  // Shows the other Enter half pressed without running its handler.
  static void PressWithoutHandler(CButton* half);

  static void CharacterKeyDown(CControl* owner, CControl* sender, int32_t x, int32_t y);
  static void ShiftKeyDown(CControl* owner, CControl* sender, int32_t x, int32_t y);
  static void CapsKeyDown(CControl* owner, CControl* sender, int32_t x, int32_t y);
  static void BackspaceKeyDown(CControl* owner, CControl* sender, int32_t x, int32_t y);
  static void EnterTopDown(CControl* owner, CControl* sender, int32_t x, int32_t y);
  static void EnterBottomDown(CControl* owner, CControl* sender, int32_t x, int32_t y);
  static void OkClick(CControl* owner, CControl* sender, int32_t x, int32_t y);
  static void CancelClick(CControl* owner, CControl* sender, int32_t x, int32_t y);
};
