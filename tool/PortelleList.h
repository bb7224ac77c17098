#pragma once
#include <memory>
#include <vector>

#include "tool/Portelle.h"

// The ports of the Ports device class in registry order.
class TPortelleList {
 public:
  static constexpr const char* kClassKey =
      "SYSTEM\\CurrentControlSet\\Control\\DeviceClasses\\"
      "{4d36e978-e325-11ce-bfc1-08002be10318}";

  // ok is false when the class key cannot be read or a port fails; a
  // machine without the class key has no ports and reads fine.
  explicit TPortelleList(bool& ok);

  int Count() const { return static_cast<int>(items_.size()); }
  TPortelle* Items(int index) const { return items_[index].get(); }

 private:
  bool Read();

  std::vector<std::unique_ptr<TPortelle>> items_;
};
