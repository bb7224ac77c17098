// The folder of the toolkit's bitmaps: every control loads its .bmp files from
// here by appending the file name.
#pragma once

#include "lib/foundation/text/Str.h"

// The start-up's GUI folder when the program start-up ran, else the
// executable's folder followed by "GUI\"; ends with a backslash. A folder set
// with SetImageFolder takes precedence. Toolkit thread only.
CStr GetImageFolder();
// The image folder followed by the file name.
CStr ImagePath(const char* fileName);
// Points the toolkit at another folder (ending with a backslash); an empty
// text goes back to the default. Tests use it for their fixture folders.
void SetImageFolder(const CStr& folder);
