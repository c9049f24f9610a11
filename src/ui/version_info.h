#pragma once
#include <string>
#include <utility>
#include <vector>

#include "platform/system_port.h"

namespace mvx {

// The texts of the program's own version resource (U.S. English, code page
// 1252), read once at start: name=value for each name the resource has.
class VersionTable {
 public:
  void Read(SystemPort& system, const std::string& programPath);
  // The value stored under name; empty when the resource lacks it.
  std::string GetVersionValue(const std::string& name) const;
  const std::vector<std::pair<std::string, std::string>>& Entries() const { return entries_; }

 private:
  std::vector<std::pair<std::string, std::string>> entries_;
};

}  // namespace mvx
