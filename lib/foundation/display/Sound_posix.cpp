#include "lib/foundation/display/Sound.h"

// The twin has no sound device: playing is silent.
void SystemSoundPlay(const uint8_t*) noexcept {}

void SystemSoundStop() noexcept {}
