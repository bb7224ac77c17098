#pragma once
#include <cstdint>
#include <string>

// One COM port of the Ports device class with its plug-and-play block.
class TPortelle {
 public:
  static constexpr int32_t kBlockValue = -2;  // DWORD 0xFFFFFFFE

  TPortelle(const std::string& subKeyName, bool& ok);

  const std::string& EnumPath() const { return enumPath_; }
  const std::string& DeviceDesc() const { return deviceDesc_; }
  const std::string& PortName() const { return portName_; }
  bool Linked() const { return linked_; }
  bool HasSkip() const { return hasSkip_; }
  int32_t Skip() const { return skip_; }
  // 0 means "enumerate normally", so only another value blocks.
  bool Blocked() const { return hasSkip_ && skip_ != 0; }

  // Writes the block value or deletes it; false when the key cannot be
  // opened or the write or delete fails (a missing value deletes fine).
  bool SetSkipEnumerations(bool block, int32_t value);
  void RefreshLinked();

 private:
  bool Read();

  std::string classKeyPath_;
  bool linked_ = false;
  std::string enumPath_;
  std::string deviceDesc_;
  std::string portName_;
  bool hasSkip_ = false;
  int32_t skip_ = 0;
};
