#pragma once
#include <cstdint>
#include <string>

struct TCPUInfo {
  bool CPUIDAvailable = false;
  std::string Vendor;  // 12 characters, e.g. "GenuineIntel"
  int Family = 0, Model = 0, Stepping = 0;
  uint32_t Signature = 0, Features = 0;
  bool MMX = false, MMXPlus = false, SSE = false, SSE2 = false, SSE3 = false;
  bool Now3D = false, Now3DPlus = false;
  std::string Name;
};

TCPUInfo GetCPUInfo();

// "family.model.stepping, $signature, $features[, feature names]".
std::string CPUInfoText(const TCPUInfo& cpu);
