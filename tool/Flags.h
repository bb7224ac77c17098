#pragma once
#include <windows.h>
#include <commctrl.h>

// 32 x 32 flag pictures of the eight languages, picture index = language - 1.
HIMAGELIST CreateFlagImageList();
