// The input of the drawing fuzzers: bytes, and coordinates that are either
// a hostile value from a table (selector byte below the table's size) or the
// next 8 bytes as a raw double. Past the end every byte reads as 0.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

template <size_t kCount>
class CGeometryInput {
 public:
  CGeometryInput(const uint8_t* data, size_t size, const double (&hostile)[kCount])
      : m_Data(data), m_Left(size), m_Hostile(hostile) {}
  uint8_t Byte() {
    if (!m_Left) return 0;
    --m_Left;
    return *m_Data++;
  }
  double Coordinate() {
    const uint8_t selector = Byte();
    if (selector < kCount || m_Left < 8) return m_Hostile[selector % kCount];
    double raw;
    std::memcpy(&raw, m_Data, 8);
    m_Data += 8;
    m_Left -= 8;
    return raw;
  }

 private:
  const uint8_t* m_Data;
  size_t m_Left;
  const double (&m_Hostile)[kCount];
};
