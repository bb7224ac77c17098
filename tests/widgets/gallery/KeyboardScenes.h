// Gallery scenes of the on-screen keyboards: the text keyboard plain, shifted
// and with Caps Lock, the numeric keypad and the position keyboard in its
// three notations.
#pragma once

class CFontDesc;
class CWindow;

void KeyboardScene(CWindow& window, CFontDesc& font);
void KeyboardShiftedScene(CWindow& window, CFontDesc& font);
void KeyboardCapsScene(CWindow& window, CFontDesc& font);
void KeypadScene(CWindow& window, CFontDesc& font);
void PositionDegreesScene(CWindow& window, CFontDesc& font);
void PositionMinutesScene(CWindow& window, CFontDesc& font);
void PositionSecondsScene(CWindow& window, CFontDesc& font);
