#pragma once
#include <cstdint>
#include <string>

struct TOSInfo {
  uint32_t Platform = 0, Major = 0, Minor = 0, Build = 0;
  std::string ServicePack;
  uint32_t SPMajor = 0, SPMinor = 0, SuiteMask = 0, ProductType = 0;
  std::string Description;
};

TOSInfo GetOSInfo();

// "Microsoft Windows " + family and edition + service pack + build.
std::string OSDescription(const TOSInfo& os);
