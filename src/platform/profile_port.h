#pragma once
#include <string>

namespace mvx {

// GetPrivateProfileStringA / WritePrivateProfileStringA on one settings file.
class ProfilePort {
 public:
  virtual ~ProfilePort() = default;
  // Reads at most 1023 characters; def when the key is missing.
  virtual std::string GetString(const std::string& file, const std::string& section, const std::string& key,
                                const std::string& def) = 0;
  // The keys of a section as the system lists them: "key=value" lines, each
  // ended by a zero byte; empty when the file or the section is missing.
  // One call for a whole section, where GetString is one call a key.
  virtual std::string GetSection(const std::string& file, const std::string& section) = 0;
  // False when the file cannot be written.
  virtual bool WriteString(const std::string& file, const std::string& section, const std::string& key,
                           const std::string& value) = 0;
};

}  // namespace mvx
