#include "ui/version_info.h"

namespace mvx {

namespace {

constexpr const char* kNames[] = {"CompanyName",    "FileDescription", "FileVersion",      "InternalName",
                                  "LegalCopyright", "LegalTradeMarks", "OriginalFilename", "ProductName",
                                  "ProductVersion", "Comments",        "BuildDateString",  "Channel"};

}  // namespace

void VersionTable::Read(SystemPort& system, const std::string& programPath) {
  entries_.clear();
  const std::uint32_t size = system.VersionInfoSize(programPath);
  if (size == 0) return;
  const std::string block = system.VersionInfo(programPath, size);
  for (const char* name : kNames) {
    if (auto value = system.VersionString(block, std::string("StringFileInfo\\040904E4\\") + name)) {
      entries_.emplace_back(name, *value);
    }
  }
}

std::string VersionTable::GetVersionValue(const std::string& name) const {
  for (const auto& [key, value] : entries_) {
    if (key == name) return value;
  }
  return {};
}

}  // namespace mvx
