// Fresh item identifiers from the system's GUID generator.
#pragma once

#include "lib/waypoints/ItemId.h"

SItemId NewItemId();
