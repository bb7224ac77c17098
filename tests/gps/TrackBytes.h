// Track files written down byte by byte from their layout, for the tests.
#pragma once

#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>

class CTrackBytes {
 public:
  CTrackBytes& Text(const std::string& text) {
    m_Bytes += text;
    return *this;
  }
  CTrackBytes& U16(uint16_t v) { return Raw(&v, 2); }
  CTrackBytes& I16(int16_t v) { return Raw(&v, 2); }
  CTrackBytes& U32(uint32_t v) { return Raw(&v, 4); }
  CTrackBytes& I32(int32_t v) { return Raw(&v, 4); }
  CTrackBytes& F32(float v) { return Raw(&v, 4); }
  CTrackBytes& F64(double v) { return Raw(&v, 8); }
  // An 80-bit extended float: sign and 15-bit exponent (bias 16383) over a
  // 64-bit mantissa with its leading one written out.
  CTrackBytes& Extended(double v) {
    if (std::isnan(v)) return U32(0).U32(0xC0000000u).U16(0x7FFF);  // a quiet NaN
    int exponent = 0;
    const double fraction = std::frexp(std::fabs(v), &exponent);  // [0.5, 1)
    uint64_t mantissa = v == 0 ? 0 : static_cast<uint64_t>(std::ldexp(fraction, 64));
    uint16_t top = v == 0 ? 0 : static_cast<uint16_t>(exponent - 1 + 16383);
    if (v < 0) top |= 0x8000;
    Raw(&mantissa, 8);
    return U16(top);
  }
  // Magic, version and (from 1.0.0.1 on) the name.
  CTrackBytes& Header(uint32_t version, const std::string* name) {
    Text("TDNV4L_TrackFile").U32(version);
    if (name) I32(static_cast<int32_t>(name->size())).Text(*name);
    return *this;
  }
  CTrackBytes& OldRecord(double time, double lat, double lon) {
    return F64(time).Extended(lat).Extended(lon).F32(1.5f).F32(2.5f);
  }
  const std::string& Get() const { return m_Bytes; }
  size_t Size() const { return m_Bytes.size(); }

 private:
  CTrackBytes& Raw(const void* p, size_t n) {
    m_Bytes.append(static_cast<const char*>(p), n);
    return *this;
  }
  std::string m_Bytes;
};
