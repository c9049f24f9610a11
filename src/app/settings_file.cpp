#include "app/settings_file.h"

#include "app/error.h"
#include "app/profile_values.h"

namespace mvx {

std::string SettingsFile::ReadString(const std::string& section, const std::string& key, const std::string& def) {
  return profile_.GetString(path_, section, key, def);
}

std::int32_t SettingsFile::ReadInteger(const std::string& section, const std::string& key, std::int32_t def) {
  const auto value = ParseProfileInteger(profile_.GetString(path_, section, key, ""));
  return value ? *value : def;
}

bool SettingsFile::ReadBool(const std::string& section, const std::string& key, bool def) {
  return ReadInteger(section, key, def ? 1 : 0) != 0;
}

void SettingsFile::WriteString(const std::string& section, const std::string& key, const std::string& value) {
  if (!profile_.WriteString(path_, section, key, value)) throw AppError("Unable to write to " + path_);
}

void SettingsFile::WriteInteger(const std::string& section, const std::string& key, std::int32_t value) {
  WriteString(section, key, std::to_string(value));
}

void SettingsFile::WriteBool(const std::string& section, const std::string& key, bool value) {
  WriteString(section, key, value ? "1" : "0");
}

}  // namespace mvx
