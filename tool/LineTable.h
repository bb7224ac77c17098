#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

// The line-information table linked into the program, made at build time from
// its own debug information. Little-endian layout, addresses relative to the
// image base:
//   "RTLI", u32 generation time (seconds since 1970, UTC), u32 unit count,
//   u32 procedure count, u32 line count, u32 string bytes;
//   units      {u32 start, u32 end, u32 name}             sorted by start
//   procedures {u32 start, u32 end, u32 unit name, u32 name} sorted by start
//   lines      {u32 address, u32 file, u32 line}          sorted by address
//   strings    NUL-terminated, referenced by byte offset; 0xFFFFFFFF = none.
class TLineTable {
 public:
  struct Location {
    std::string Unit, Procedure, File;
    int Line = 0;
  };

  // False when the bytes do not hold a whole, consistent table.
  bool Load(const void* data, size_t size);
  bool Loaded() const { return units_ != nullptr; }
  uint32_t GenerationTime() const { return time_; }
  // False when the address lies outside every unit.
  bool Find(uint32_t rva, Location& where) const;

 private:
  const char* String(uint32_t offset) const;
  uint32_t Word(const uint8_t* base, size_t index) const;

  uint32_t time_ = 0, unitCount_ = 0, procCount_ = 0, lineCount_ = 0,
           stringBytes_ = 0;
  const uint8_t* units_ = nullptr;
  const uint8_t* procs_ = nullptr;
  const uint8_t* lines_ = nullptr;
  const char* strings_ = nullptr;
};
