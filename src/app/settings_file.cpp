#include "app/settings_file.h"

#include "app/error.h"
#include "app/paths.h"
#include "app/profile_values.h"

namespace mvx {

namespace {

// The profile functions read at most this many characters of a value.
constexpr std::size_t kLongestValue = 1023;

std::string Trim(std::string_view s) {
  const std::size_t b = s.find_first_not_of(" \t");
  if (b == std::string_view::npos) return {};
  return std::string(s.substr(b, s.find_last_not_of(" \t") - b + 1));
}

bool IsAscii(std::string_view s) {
  for (const char c : s) {
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  }
  return true;
}

}  // namespace

const SettingsFile::Section& SettingsFile::Listed(const std::string& section) {
  const std::string name = LowerAZ(section);
  if (auto it = sections_.find(name); it != sections_.end()) return it->second;
  Section listed;
  const std::string block = profile_.GetSection(path_, section);
  std::size_t start = 0;
  while (start < block.size()) {
    std::size_t end = block.find('\0', start);
    if (end == std::string::npos) end = block.size();
    const std::string_view text(block.data() + start, end - start);
    start = end + 1;
    Line line;
    const std::size_t equals = text.find('=');
    line.key = Trim(text.substr(0, equals));
    if (equals != std::string_view::npos) {
      line.value = Trim(text.substr(equals + 1));
      const bool quoted = !line.value.empty() && (line.value.front() == '"' || line.value.front() == '\'');
      line.plain = !quoted && line.value.size() < kLongestValue;
    }
    listed.asciiKeys = listed.asciiKeys && IsAscii(line.key);
    listed.lines.push_back(std::move(line));
  }
  return sections_.emplace(name, std::move(listed)).first->second;
}

std::string SettingsFile::ReadString(const std::string& section, const std::string& key, const std::string& def) {
  const Section& listed = Listed(section);
  for (const Line& line : listed.lines) {
    if (!SameTextAZ(line.key, key)) continue;
    return line.plain ? line.value : profile_.GetString(path_, section, key, def);
  }
  // A key of other letters may still match in the system's comparison.
  if (!listed.asciiKeys) return profile_.GetString(path_, section, key, def);
  return def.substr(0, kLongestValue);
}

std::int32_t SettingsFile::ReadInteger(const std::string& section, const std::string& key, std::int32_t def) {
  const auto value = ParseProfileInteger(ReadString(section, key, ""));
  return value ? *value : def;
}

bool SettingsFile::ReadBool(const std::string& section, const std::string& key, bool def) {
  return ReadInteger(section, key, def ? 1 : 0) != 0;
}

void SettingsFile::WriteString(const std::string& section, const std::string& key, const std::string& value) {
  sections_.erase(LowerAZ(section));
  if (!profile_.WriteString(path_, section, key, value)) throw AppError("Unable to write to " + path_);
}

void SettingsFile::WriteInteger(const std::string& section, const std::string& key, std::int32_t value) {
  WriteString(section, key, std::to_string(value));
}

void SettingsFile::WriteBool(const std::string& section, const std::string& key, bool value) {
  WriteString(section, key, value ? "1" : "0");
}

}  // namespace mvx
