// The screen as the toolkit lays out its windows: the screen record in force,
// else the system's metrics. Toolkit thread only.
#pragma once

#include <windows.h>

#include <cstdint>

SIZE ToolkitScreenSize();
// 240 on portrait and square screens, 320 on landscape ones.
int32_t ToolkitReferenceWidth();
// kScreenPortrait, kScreenLandscape or kScreenSquare.
int32_t ToolkitScreenOrientation();
