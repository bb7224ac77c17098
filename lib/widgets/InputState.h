// The toolkit's global input state: the control that has the mouse captured,
// the control clicked last and the close request. Toolkit thread only, no locks.
#pragma once

#include <cstdint>

class CControl;

extern CControl* g_CapturedControl;
extern CControl* g_LastClickedControl;
// Left-button releases seen by any toolkit window. A press whose handlers ran
// a modal loop learns from it that its release went to that loop.
extern uint32_t g_ButtonReleases;
// Set by WM_CLOSE and by WM_QUIT in a modal loop; only the reset clears it.
extern bool g_CloseRequested;

// Releases the system capture and makes the control (or none) the captured one;
// the capture goes to the control's window when it has one.
void SetCaptured(CControl* control);
// Forgets the captured and last clicked controls when they lie inside the
// subtree, releasing the capture; raises no events.
void ForgetInputState(const CControl* subtree);
// Back to the state at load; only test fixtures call it.
void ResetInputState();
