#include "tool/LineTable.h"

#include <cstring>

namespace {

uint32_t ReadU32(const uint8_t* p) {
  return p[0] | p[1] << 8 | p[2] << 16 | static_cast<uint32_t>(p[3]) << 24;
}

const uint32_t kNone = 0xFFFFFFFFu;

// The last row of a sorted table whose first word is <= key, or -1.
template <typename WordAt>
long long LastAtOrBelow(uint32_t count, uint32_t key, WordAt start) {
  long long lo = 0, hi = static_cast<long long>(count) - 1, found = -1;
  while (lo <= hi) {
    long long mid = (lo + hi) / 2;
    if (start(static_cast<size_t>(mid)) <= key) {
      found = mid;
      lo = mid + 1;
    } else {
      hi = mid - 1;
    }
  }
  return found;
}

}  // namespace

uint32_t TLineTable::Word(const uint8_t* base, size_t index) const {
  return ReadU32(base + 4 * index);
}

const char* TLineTable::String(uint32_t offset) const {
  return offset < stringBytes_ ? strings_ + offset : "";
}

bool TLineTable::Load(const void* data, size_t size) {
  const auto* p = static_cast<const uint8_t*>(data);
  if (size < 24 || std::memcmp(p, "RTLI", 4) != 0) return false;
  uint32_t units = ReadU32(p + 8), procs = ReadU32(p + 12),
           lines = ReadU32(p + 16), strings = ReadU32(p + 20);
  uint64_t need = 24 + 12ull * units + 16ull * procs + 12ull * lines + strings;
  if (need > size || strings == 0 || p[need - 1] != '\0') return false;
  time_ = ReadU32(p + 4);
  unitCount_ = units;
  procCount_ = procs;
  lineCount_ = lines;
  stringBytes_ = strings;
  units_ = p + 24;
  procs_ = units_ + 12ull * units;
  lines_ = procs_ + 16ull * procs;
  strings_ = reinterpret_cast<const char*>(lines_ + 12ull * lines);
  return true;
}

bool TLineTable::Find(uint32_t rva, Location& where) const {
  where = Location{};
  long long unit = LastAtOrBelow(unitCount_, rva, [this](size_t i) {
    return Word(units_, 3 * i);
  });
  if (unit < 0 || rva >= Word(units_, 3 * unit + 1)) return false;
  uint32_t unitName = Word(units_, 3 * unit + 2);
  where.Unit = String(unitName);
  long long proc = LastAtOrBelow(procCount_, rva, [this](size_t i) {
    return Word(procs_, 4 * i);
  });
  if (proc >= 0 && rva < Word(procs_, 4 * proc + 1))
    where.Procedure = String(Word(procs_, 4 * proc + 3));
  else
    where.Procedure = proc < 0 || Word(procs_, 4 * proc + 2) != unitName
                          ? "<start of unit>"
                          : "<end of unit>";
  long long line = LastAtOrBelow(lineCount_, rva, [this](size_t i) {
    return Word(lines_, 3 * i);
  });
  if (line >= 0 && Word(lines_, 3 * line + 1) != kNone) {
    where.File = String(Word(lines_, 3 * line + 1));
    where.Line = static_cast<int>(Word(lines_, 3 * line + 2));
  }
  return true;
}
