#include "lib/foundation/Colors.h"

// No desktop colour scheme here: every system colour is black.
uint32_t SystemColor(int) { return 0; }
