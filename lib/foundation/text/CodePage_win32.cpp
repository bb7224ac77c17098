#include "lib/foundation/text/CodePage.h"

#include <windows.h>

namespace td {

int AnsiToWide(const char* text, int length, char16_t* out, int outLength) {
  if (length <= 0) return 0;
  return MultiByteToWideChar(CP_ACP, 0, text, length, reinterpret_cast<wchar_t*>(out), out ? outLength : 0);
}

int WideToAnsi(const char16_t* text, int length, char* out, int outLength) {
  if (length <= 0) return 0;
  return WideCharToMultiByte(CP_ACP, 0, reinterpret_cast<const wchar_t*>(text), length, out, out ? outLength : 0,
                             nullptr, nullptr);
}

}  // namespace td
