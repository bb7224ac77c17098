#include "tool/TdCPU.h"

#include <cpuid.h>

#include <cstdio>
#include <cstring>

namespace {

struct Regs {
  unsigned a = 0, b = 0, c = 0, d = 0;
};

Regs Leaf(unsigned leaf) {
  Regs r;
  __cpuid(leaf, r.a, r.b, r.c, r.d);
  return r;
}

// The family and model fields of a signature, extended fields added for
// family 15.
void DecodeSignature(uint32_t sig, TCPUInfo& cpu) {
  cpu.Family = (sig >> 8) & 0xF;
  cpu.Model = (sig >> 4) & 0xF;
  cpu.Stepping = sig & 0xF;
  if (cpu.Family == 15) {
    cpu.Family += (sig >> 20) & 0xFF;
    cpu.Model |= ((sig >> 16) & 0xF) << 4;
  }
}

std::string BrandString() {
  char brand[49] = {};
  for (unsigned i = 0; i < 3; ++i) {
    Regs r = Leaf(0x80000002u + i);
    std::memcpy(brand + 16 * i, &r, 16);
  }
  const char* p = brand;
  while (*p == ' ') ++p;
  return p;
}

// A few names for processors without a brand string.
std::string TableName(const TCPUInfo& cpu) {
  bool intel = cpu.Vendor == "GenuineIntel";
  if (intel && cpu.Family == 5) return "Genuine Intel(R) Pentium(R) processor";
  if (intel && cpu.Family == 6 && cpu.Model >= 5 && cpu.Model <= 8) {
    bool noL2 = (Leaf(2).d & 0xFF) == 0x40 || (Leaf(2).c & 0xFF) == 0x40;
    if (noL2) return "Genuine Intel(R) Celeron(R) processor";
    return cpu.Model >= 7 ? "Genuine Intel(R) Pentium(R) III processor"
                          : "Genuine Intel(R) Pentium(R) II processor";
  }
  if (cpu.Vendor == "AuthenticAMD" && cpu.Family == 5 && cpu.Model < 4)
    return "AMD-K5 processor";
  return "";
}

}  // namespace

TCPUInfo GetCPUInfo() {
  TCPUInfo cpu;
  unsigned maxLeaf = 0, b = 0, c = 0, d = 0;
  cpu.CPUIDAvailable = __get_cpuid(0, &maxLeaf, &b, &c, &d) != 0;
  if (!cpu.CPUIDAvailable) return cpu;
  char vendor[13] = {};
  std::memcpy(vendor, &b, 4);
  std::memcpy(vendor + 4, &d, 4);
  std::memcpy(vendor + 8, &c, 4);
  cpu.Vendor = vendor;
  Regs l1 = maxLeaf >= 1 ? Leaf(1) : Regs{};
  cpu.Signature = l1.a;
  cpu.Features = l1.d;
  DecodeSignature(cpu.Signature, cpu);
  cpu.MMX = (l1.d >> 23) & 1;
  cpu.SSE = (l1.d >> 25) & 1;
  cpu.SSE2 = (l1.d >> 26) & 1;
  unsigned maxExt = Leaf(0x80000000u).a;
  Regs ext = maxExt > 0x80000000u ? Leaf(0x80000001u) : Regs{};
  cpu.Now3D = (ext.d >> 31) & 1;
  if (cpu.Vendor == "GenuineIntel") cpu.SSE3 = l1.c & 1;
  if (cpu.Vendor == "AuthenticAMD") {
    if (ext.a != 0) DecodeSignature(ext.a, cpu);
    cpu.MMXPlus = (ext.d >> 22) & 1;
    cpu.Now3DPlus = (ext.d >> 30) & 1;
  }
  cpu.Name = maxExt >= 0x80000004u ? BrandString() : TableName(cpu);
  return cpu;
}

std::string CPUInfoText(const TCPUInfo& cpu) {
  char text[80];
  std::snprintf(text, sizeof text, "%d.%d.%d, $%08X, $%08X", cpu.Family,
                cpu.Model, cpu.Stepping, cpu.Signature, cpu.Features);
  std::string features;
  auto add = [&features](bool present, const char* name) {
    if (!present) return;
    if (!features.empty()) features += ", ";
    features += name;
  };
  add(cpu.MMX, cpu.MMXPlus ? "MMX(+)" : "MMX");
  add(cpu.SSE, "SSE");
  add(cpu.SSE2, "SSE2");
  add(cpu.SSE3, "SSE3");
  add(cpu.Now3D, cpu.Now3DPlus ? "3DNow!(+)" : "3DNow!");
  return features.empty() ? text : std::string(text) + ", " + features;
}
