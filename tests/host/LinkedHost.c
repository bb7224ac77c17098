/* A C host linked against the import library: it calls the exports by the
 * names the header declares, as a host built with this toolchain does. */
#include <stdio.h>
#include <string.h>

#include "TdLib.h"

int main(void) {
  TdStr* s = StrCreate("abc", 2);
  if (!s || s->length != 2 || strcmp(s->chars, "ab") != 0) return 1;
  ObjectDelete((TdObject*)s);
  if (strcmp(ErrorToStr(0x00030006), "Cannot set the timeout values") != 0) return 2;
  puts("host checks passed");
  return 0;
}
