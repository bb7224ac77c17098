#include "lib/foundation/app/CommandLine.h"

#include <vector>

namespace {

bool IsSeparator(unsigned char c) { return c != 0 && c <= ' '; }

// Copies one token into out; returns its length and leaves s after it.
int ReadToken(const unsigned char*& s, char* out) {
  for (;;) {
    while (IsSeparator(*s)) ++s;
    if (s[0] != '"' || s[1] != '"') break;
    s += 2;
  }
  int length = 0;
  while (*s > ' ') {
    if (*s != '"') {
      out[length++] = static_cast<char>(*s++);
      continue;
    }
    for (++s; *s != 0 && *s != '"'; ++s) out[length++] = static_cast<char>(*s);
    if (*s == '"') ++s;
  }
  out[length] = 0;
  return length;
}

}  // namespace

void ParseCommandLine(const CStr& line, CStrList& parameters) {
  std::vector<char> token(line.GetLength() + 1);
  const unsigned char* s = reinterpret_cast<const unsigned char*>(line.c_str());
  ReadToken(s, token.data());
  while (*s != 0) {
    if (ReadToken(s, token.data()) > 0) parameters.Add(CStr(token.data()));
  }
}
