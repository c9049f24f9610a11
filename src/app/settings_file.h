#pragma once
#include <cstdint>
#include <string>

#include "platform/profile_port.h"

namespace mvx {

// Typed access to the settings file through the profile functions, one call
// per key. Reads fall back to the default; a failed write throws AppError
// "Unable to write to " + path.
class SettingsFile {
 public:
  SettingsFile(ProfilePort& profile, std::string path) : profile_(profile), path_(std::move(path)) {}

  std::string ReadString(const std::string& section, const std::string& key, const std::string& def);
  std::int32_t ReadInteger(const std::string& section, const std::string& key, std::int32_t def);
  bool ReadBool(const std::string& section, const std::string& key, bool def);

  void WriteString(const std::string& section, const std::string& key, const std::string& value);
  void WriteInteger(const std::string& section, const std::string& key, std::int32_t value);
  void WriteBool(const std::string& section, const std::string& key, bool value);

  const std::string& Path() const { return path_; }

 private:
  ProfilePort& profile_;
  std::string path_;
};

}  // namespace mvx
