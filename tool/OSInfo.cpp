#include "tool/OSInfo.h"

#include <windows.h>

#include "tool/RegistryKey.h"

namespace {

bool KeyExists(const char* path) {
  TRegistryKey reg(HKEY_LOCAL_MACHINE);
  return reg.OpenKeyReadOnly(path);
}

// Without the extended record the NT edition comes from the registry.
std::string NT4ProductTypeFromRegistry() {
  TRegistryKey reg(HKEY_LOCAL_MACHINE);
  std::string type;
  if (reg.OpenKeyReadOnly("SYSTEM\\CurrentControlSet\\Control\\ProductOptions"))
    type = reg.ReadStringOr("ProductType", "");
  if (_stricmp(type.c_str(), "WINNT") == 0) return " Workstation";
  if (_stricmp(type.c_str(), "LANMANNT") == 0) return " Server";
  if (_stricmp(type.c_str(), "SERVERNT") == 0) return " Advanced Server";
  return "";
}

std::string Win9xFamily(const TOSInfo& os) {
  char letter = os.ServicePack.size() > 1 ? os.ServicePack[1] : ' ';
  if (os.Minor == 0) {
    if (letter == 'B') return "95 OSR2";
    if (letter == 'C') return "95 OSR2.5";
    return "95";
  }
  if (os.Minor == 10) return letter == 'A' ? "98SE" : "98";
  return "ME";
}

std::string NT4Edition(const TOSInfo& os) {
  if (os.ProductType == 0) return NT4ProductTypeFromRegistry();
  if (os.ProductType == VER_NT_WORKSTATION) return " Workstation 4.0";
  if (os.SuiteMask & VER_SUITE_ENTERPRISE)
    return " Server 4.0 Enterprise Edition";
  return " Server 4.0";
}

std::string Win2000Edition(const TOSInfo& os) {
  if (os.ProductType == VER_NT_WORKSTATION) return " Professional";
  if (os.SuiteMask & VER_SUITE_DATACENTER) return " Datacenter Server";
  if (os.SuiteMask & VER_SUITE_ENTERPRISE) return " Advanced Server";
  return " Server";
}

std::string NTFamily(const TOSInfo& os) {
  if (os.Major == 3 && os.Minor == 51) return "NT 3.51";
  if (os.Major == 3 && os.Minor == 50) return "NT 3.5";
  if (os.Major == 3) return "NT 3.1";
  if (os.Major == 4) return "NT" + NT4Edition(os);
  if (os.Major == 5 && os.Minor == 0) return "2000" + Win2000Edition(os);
  if (os.Major == 5 && os.Minor == 1)
    return (os.SuiteMask & VER_SUITE_PERSONAL) ? "XP Home Edition"
                                               : "XP Professional";
  return "NT " + std::to_string(os.Major) + "." + std::to_string(os.Minor);
}

std::string ServicePackText(const TOSInfo& os) {
  if (os.ServicePack.empty()) return "";
  if (os.Major == 4 && os.ServicePack == "Service Pack 6" &&
      KeyExists("Software\\Microsoft\\Windows NT\\CurrentVersion\\Hotfix\\Q246009"))
    return " Service Pack 6a";
  return " " + os.ServicePack;
}

}  // namespace

std::string OSDescription(const TOSInfo& os) {
  std::string build = std::to_string(os.Build);
  if (os.Platform == VER_PLATFORM_WIN32_WINDOWS)
    return "Microsoft Windows " + Win9xFamily(os) + " Build " + build;
  return "Microsoft Windows " + NTFamily(os) + ServicePackText(os) +
         " (Build " + build + ")";
}

TOSInfo GetOSInfo() {
  TOSInfo os;
  OSVERSIONINFOEXA info{};
  info.dwOSVersionInfoSize = sizeof info;
  if (!GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&info))) {
    info = OSVERSIONINFOEXA{};
    info.dwOSVersionInfoSize = sizeof(OSVERSIONINFOA);
    GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&info));
  }
  os.Platform = info.dwPlatformId;
  os.Major = info.dwMajorVersion;
  os.Minor = info.dwMinorVersion;
  os.Build = info.dwBuildNumber;
  if (os.Platform == VER_PLATFORM_WIN32_WINDOWS) os.Build &= 0xFFFF;
  os.ServicePack = info.szCSDVersion;
  os.SPMajor = info.wServicePackMajor;
  os.SPMinor = info.wServicePackMinor;
  os.SuiteMask = info.wSuiteMask;
  os.ProductType = info.wProductType;
  os.Description = OSDescription(os);
  return os;
}
