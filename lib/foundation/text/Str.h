// CStr: the library's string of 8-bit characters in the ANSI code page.
#pragma once

#include <cstdint>

#include "lib/foundation/core/Object.h"

// The length is kept, not recomputed, so a string built from a counted buffer
// may hold zero bytes. The character buffer always exists and is always
// terminated; the UTF-16 copy is made only when asked for.
class CStr final : public CObject {
 public:
  TD_DELETE_THIS(CStr)

  CStr();
  explicit CStr(int32_t length);  // terminated, contents not set
  CStr(int32_t length, const char* text);
  CStr(int32_t length, const char16_t* wide);
  explicit CStr(char c);
  CStr(const char* text);  // NOLINT: implicit on purpose, texts and CStr mix freely
  explicit CStr(const char16_t* wide);
  CStr(const CStr& other);
  // Takes other's characters and leaves it empty with a buffer of its own,
  // which may throw std::bad_alloc.
  CStr(CStr&& other);
  ~CStr();

  const char* c_str() const { return chars_; }
  int32_t GetLength() const { return length_; }
  char* GetBuffer(int32_t index = 0) { return chars_ + index; }
  const char16_t* GetWide();
  int32_t GetMemSize(bool withObject) const;

  CStr& operator=(const CStr& other);
  CStr& operator=(CStr&& other) noexcept;
  CStr& operator=(const char* text);
  CStr& operator=(const char16_t* wide);
  CStr& operator=(char c);

  CStr& operator+=(const CStr& other);
  CStr& operator+=(const char* text);
  CStr& operator+=(char c);

  int Compare(const CStr& other) const { return Compare(other.chars_); }
  int Compare(const char* text) const;
  int Compare(char c) const;
  int Compare(const char16_t* wide) const;
  int CompareNoCase(const CStr& other) const { return CompareNoCase(other.chars_); }
  int CompareNoCase(const char* text) const;
  int CompareNoCase(char c) const;
  int CompareNoCase(const char16_t* wide) const;

  int32_t Find(const CStr& sub, int32_t start = 0) const;
  int32_t Find(char c, int32_t start = 0) const;

  CStr Left(int32_t n) const;
  CStr Right(int32_t n) const;
  CStr Mid(int32_t start, int32_t count) const;
  CStr Upper() const;
  CStr Lower() const;
  CStr& Trim();
  void Delete(int32_t index, int32_t count);
  void SetLength(int32_t n, bool keep);
  // Empties the text in its own buffer: never allocates, never throws.
  void Clear() noexcept;

 private:
  void Append(const char* text, int32_t length);
  void Assign(const char* text, int32_t length);
  void AssignWide(const char16_t* wide, int32_t length);

  int32_t length_;
  char* chars_;
  char16_t* wide_;
};

#if TD_HOST_ABI
static_assert(sizeof(CStr) == 16, "hosts read CStr: table, length, characters, wide copy");
#endif

template <class T>
bool operator==(const CStr& s, const T& other) { return s.Compare(other) == 0; }
template <class T>
bool operator!=(const CStr& s, const T& other) { return s.Compare(other) != 0; }

CStr operator+(const CStr& a, const CStr& b);
CStr operator+(const CStr& a, const char* b);
CStr operator+(const CStr& a, char b);
CStr operator+(const char* a, const CStr& b);
CStr operator+(char a, const CStr& b);

namespace td {
int32_t WideLength(const char16_t* wide);
}
