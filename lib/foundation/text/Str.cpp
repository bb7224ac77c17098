#include "lib/foundation/text/Str.h"

#include <cctype>
#include <cstring>
#include <memory>
#include <utility>

#include "lib/foundation/text/CodePage.h"

namespace {

char* NewBuffer(int32_t length) {
  char* buffer = new char[static_cast<size_t>(length) + 1];
  buffer[length] = '\0';
  return buffer;
}

char* CopyToBuffer(const char* text, int32_t length) {
  char* buffer = NewBuffer(length);
  if (length > 0) std::memcpy(buffer, text, static_cast<size_t>(length));
  return buffer;
}

int FoldedCompare(const char* a, const char* b) {
  for (;; ++a, ++b) {
    int ca = std::tolower(static_cast<unsigned char>(*a));
    int cb = std::tolower(static_cast<unsigned char>(*b));
    if (ca != cb || ca == 0) return ca - cb;
  }
}

}  // namespace

namespace td {
int32_t WideLength(const char16_t* wide) {
  int32_t n = 0;
  while (wide[n]) ++n;
  return n;
}
}  // namespace td

CStr::CStr() : length_(0), chars_(NewBuffer(0)), wide_(nullptr) {}

CStr::CStr(int32_t length)
    : length_(length < 0 ? 0 : length), chars_(NewBuffer(length_)), wide_(nullptr) {}

CStr::CStr(int32_t length, const char* text) : CStr() { Assign(text, length); }

CStr::CStr(int32_t length, const char16_t* wide) : CStr() { AssignWide(wide, length); }

CStr::CStr(char c) : CStr(1, &c) {}

CStr::CStr(const char* text) : CStr() {
  Assign(text, text ? static_cast<int32_t>(std::strlen(text)) : 0);
}

CStr::CStr(const char16_t* wide) : CStr() { AssignWide(wide, wide ? td::WideLength(wide) : 0); }

CStr::CStr(const CStr& other)
    : length_(other.length_), chars_(CopyToBuffer(other.chars_, other.length_)), wide_(nullptr) {}

CStr::CStr(CStr&& other) : length_(other.length_), chars_(NewBuffer(0)), wide_(nullptr) {
  std::swap(chars_, other.chars_);
  std::swap(wide_, other.wide_);
  other.length_ = 0;
}

CStr::~CStr() {
  delete[] chars_;
  delete[] wide_;
}

void CStr::Assign(const char* text, int32_t length) {
  if (length < 0) length = 0;
  char* buffer = CopyToBuffer(text, length);
  delete[] chars_;
  chars_ = buffer;
  length_ = length;
}

// Asks the converter for the size first: a multi-byte code page may need more
// bytes than there are UTF-16 units.
void CStr::AssignWide(const char16_t* wide, int32_t length) {
  int32_t bytes = length > 0 ? td::WideToAnsi(wide, length, nullptr, 0) : 0;
  char* buffer = NewBuffer(bytes);
  if (bytes > 0) td::WideToAnsi(wide, length, buffer, bytes);
  delete[] chars_;
  chars_ = buffer;
  length_ = bytes;
}

// The new copy is made before the old one goes: a copy that cannot be made
// leaves the old one.
const char16_t* CStr::GetWide() {
  int32_t units = td::AnsiToWide(chars_, length_ + 1, nullptr, 0);
  if (units <= 0) units = 1;
  std::unique_ptr<char16_t[]> wide(new char16_t[static_cast<size_t>(units)]);
  wide[0] = 0;
  td::AnsiToWide(chars_, length_ + 1, wide.get(), units);
  wide[units - 1] = 0;
  delete[] wide_;
  wide_ = wide.release();
  return wide_;
}

int32_t CStr::GetMemSize(bool withObject) const {
  return length_ + 1 + (wide_ ? 2 * length_ + 2 : 0) + (withObject ? 16 : 0);
}

CStr& CStr::operator=(const CStr& other) {
  if (other.chars_ != chars_) Assign(other.chars_, other.length_);
  return *this;
}

CStr& CStr::operator=(CStr&& other) noexcept {
  std::swap(length_, other.length_);
  std::swap(chars_, other.chars_);
  std::swap(wide_, other.wide_);
  return *this;
}

CStr& CStr::operator=(const char* text) {
  if (text != chars_) Assign(text, text ? static_cast<int32_t>(std::strlen(text)) : 0);
  return *this;
}

CStr& CStr::operator=(const char16_t* wide) {
  AssignWide(wide, wide ? td::WideLength(wide) : 0);
  return *this;
}

CStr& CStr::operator=(char c) {
  Assign(&c, 1);
  return *this;
}

void CStr::Append(const char* text, int32_t length) {
  char* buffer = NewBuffer(length_ + length);
  std::memcpy(buffer, chars_, static_cast<size_t>(length_));
  if (length > 0) std::memcpy(buffer + length_, text, static_cast<size_t>(length));
  delete[] chars_;
  chars_ = buffer;
  length_ += length;
}

CStr& CStr::operator+=(const CStr& other) {
  Append(other.chars_, other.length_);
  return *this;
}

CStr& CStr::operator+=(const char* text) {
  if (text) Append(text, static_cast<int32_t>(std::strlen(text)));
  return *this;
}

CStr& CStr::operator+=(char c) {
  Append(&c, 1);
  return *this;
}

int CStr::Compare(const char* text) const { return std::strcmp(chars_, text ? text : ""); }

int CStr::Compare(char c) const {
  const char text[2] = {c, '\0'};
  return Compare(text);
}

int CStr::Compare(const char16_t* wide) const { return Compare(CStr(wide).chars_); }

int CStr::CompareNoCase(const char* text) const { return FoldedCompare(chars_, text ? text : ""); }

int CStr::CompareNoCase(char c) const {
  const char text[2] = {c, '\0'};
  return CompareNoCase(text);
}

int CStr::CompareNoCase(const char16_t* wide) const { return CompareNoCase(CStr(wide).chars_); }

int32_t CStr::Find(const CStr& sub, int32_t start) const {
  if (start < 0) start = 0;
  for (int32_t i = start; i + sub.length_ <= length_; ++i)
    if (std::memcmp(chars_ + i, sub.chars_, static_cast<size_t>(sub.length_)) == 0) return i;
  return -1;
}

int32_t CStr::Find(char c, int32_t start) const {
  for (int32_t i = start < 0 ? 0 : start; i < length_; ++i)
    if (chars_[i] == c) return i;
  return -1;
}

CStr CStr::Left(int32_t n) const {
  if (n < 0) n = 0;
  if (n > length_) n = length_;
  return CStr(n, chars_);
}

CStr CStr::Right(int32_t n) const {
  if (n < 0) n = 0;
  if (n > length_) n = length_;
  return CStr(n, chars_ + length_ - n);
}

CStr CStr::Mid(int32_t start, int32_t count) const {
  if (start < 0) start = 0;
  if (count < 0) count = 0;
  if (start >= length_) return CStr();
  if (count > length_ - start) count = length_ - start;
  return CStr(count, chars_ + start);
}

CStr CStr::Upper() const {
  CStr result(*this);
  for (int32_t i = 0; i < length_; ++i)
    result.chars_[i] = static_cast<char>(std::toupper(static_cast<unsigned char>(chars_[i])));
  return result;
}

CStr CStr::Lower() const {
  CStr result(*this);
  for (int32_t i = 0; i < length_; ++i)
    result.chars_[i] = static_cast<char>(std::tolower(static_cast<unsigned char>(chars_[i])));
  return result;
}

CStr& CStr::Trim() {
  int32_t end = length_;
  while (end > 0 && chars_[end - 1] == ' ') --end;
  int32_t begin = 0;
  while (begin < end && chars_[begin] == ' ') ++begin;
  if (begin != 0 || end != length_) Assign(chars_ + begin, end - begin);
  return *this;
}

void CStr::Delete(int32_t index, int32_t count) {
  if (count <= 0) return;
  char* buffer = NewBuffer(length_ - count);
  std::memcpy(buffer, chars_, static_cast<size_t>(index));
  std::memcpy(buffer + index, chars_ + index + count, static_cast<size_t>(length_ - index - count));
  delete[] chars_;
  chars_ = buffer;
  length_ -= count;
}

void CStr::Clear() noexcept {
  length_ = 0;
  chars_[0] = '\0';
  delete[] wide_;
  wide_ = nullptr;
}

void CStr::SetLength(int32_t n, bool keep) {
  if (n < 0) n = 0;
  if (n == length_) return;
  char* buffer = NewBuffer(n);
  if (keep) std::memcpy(buffer, chars_, static_cast<size_t>(n < length_ ? n : length_));
  delete[] chars_;
  chars_ = buffer;
  length_ = n;
}

CStr operator+(const CStr& a, const CStr& b) { return CStr(a) += b; }
CStr operator+(const CStr& a, const char* b) { return CStr(a) += b; }
CStr operator+(const CStr& a, char b) { return CStr(a) += b; }
CStr operator+(const char* a, const CStr& b) { return CStr(a) += b; }
CStr operator+(char a, const CStr& b) { return CStr(a) += b; }
