#include <windows.h>
// After windows.h, which leaves the multimedia declarations out when lean.
#include <mmsystem.h>

#include "lib/foundation/display/Sound.h"

void SystemSoundPlay(const uint8_t* wave) noexcept {
  PlaySoundA(reinterpret_cast<const char*>(wave), nullptr, SND_MEMORY | SND_ASYNC | SND_NODEFAULT);
}

void SystemSoundStop() noexcept { PlaySoundA(nullptr, nullptr, 0); }
