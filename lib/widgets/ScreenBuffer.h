// The screen back buffer: one 32-bit bitmap with its own device context into
// which every toolkit window paints and on which the toolkit measures texts.
#pragma once

class CBmp32;

// Made on first use at the screen's size (the screen record in force, else the
// system's metrics) and grown when a larger screen record is put in place; freed
// when the library unloads. Toolkit thread only; the pointer stays valid until
// the library unloads.
CBmp32* GetScreenBackBuffer();
