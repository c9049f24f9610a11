#include "app/settings_file.h"

#include <algorithm>

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

// A file qualifies when its every line is blank, a section heading "[name]"
// or a "key=value" line of printable ASCII, no section or key comes twice,
// no value holds a quote, and nothing stands before the first heading. For
// such a file the system's listing of a section is its lines as written;
// for any other (comments, other letters, byte-order marks, lone keys,
// duplicates, overlong lines) the system's own rules decide, so it is left
// to the system.
std::optional<std::map<std::string, std::string>> PlainSectionListings(std::string_view text) {
  constexpr std::size_t kLongestLine = 1000;
  if (text.size() > kLargestPlainSettingsFile) return std::nullopt;
  for (const char c : text) {
    const auto u = static_cast<unsigned char>(c);
    if (!(u == '\t' || u == '\r' || u == '\n' || (u >= 0x20 && u < 0x7F))) return std::nullopt;
  }
  std::map<std::string, std::string> listings;
  std::map<std::string, std::string>::iterator current = listings.end();
  std::vector<std::string> keys;  // of the current section, in lower case
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view raw = text.substr(start, end - start);
    start = end + 1;
    if (!raw.empty() && raw.back() == '\r') raw.remove_suffix(1);
    if (raw.find('\r') != std::string_view::npos || raw.size() >= kLongestLine) return std::nullopt;
    const std::string line = Trim(raw);
    if (line.empty()) continue;
    if (line.front() == '[') {
      const std::string_view name = std::string_view(line).substr(1, line.size() - 2);
      if (line.back() != ']' || line.size() < 3 || name.find_first_of("[]") != std::string_view::npos ||
          Trim(name) != name) {
        return std::nullopt;
      }
      const auto [at, added] = listings.emplace(LowerAZ(name), std::string());
      if (!added) return std::nullopt;
      current = at;
      keys.clear();
      continue;
    }
    const std::size_t equals = line.find('=');
    if (current == listings.end() || line.front() == ';' || line.front() == '#' || equals == std::string::npos ||
        line.find_first_of("\"'") != std::string::npos) {
      return std::nullopt;
    }
    const std::string key = LowerAZ(Trim(std::string_view(line).substr(0, equals)));
    if (key.empty() || std::find(keys.begin(), keys.end(), key) != keys.end()) return std::nullopt;
    keys.push_back(key);
    current->second.append(line).push_back('\0');
  }
  return listings;
}

SettingsFile::Section SettingsFile::ParseListing(std::string_view block) {
  Section listed;
  std::size_t start = 0;
  while (start < block.size()) {
    std::size_t end = block.find('\0', start);
    if (end == std::string_view::npos) end = block.size();
    const std::string_view text = block.substr(start, end - start);
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
  return listed;
}

// One read of the whole file answers every section, where the file is as
// plain as this program writes it (see PlainSectionListings); any other file
// is listed by the system a section at a time.
bool SettingsFile::ListWholeFile() {
  // Read no more than the largest file that is listed here: a larger one,
  // however large, is the system's to list.
  std::string bytes;
  if (files_ == nullptr || !files_->ReadHead(path_, kLargestPlainSettingsFile + 1, bytes)) return false;
  if (bytes.size() > kLargestPlainSettingsFile) return false;
  auto listings = PlainSectionListings(bytes);
  if (!listings) return false;
  for (auto& [name, block] : *listings) sections_.emplace(name, ParseListing(block));
  return true;
}

const SettingsFile::Section& SettingsFile::Listed(const std::string& section) {
  const std::string name = LowerAZ(section);
  if (auto it = sections_.find(name); it != sections_.end()) return it->second;
  if (!wholeFileTried_) {
    wholeFileTried_ = true;
    wholeFileListed_ = ListWholeFile();
    if (auto it = sections_.find(name); it != sections_.end()) return it->second;
  }
  // A section the whole file did not hold is empty, as the system lists it.
  const Section listed = wholeFileListed_ ? Section{} : ParseListing(profile_.GetSection(path_, section));
  return sections_.emplace(name, listed).first->second;
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
  wholeFileTried_ = true;  // what was read of the file no longer holds for the rest
  wholeFileListed_ = false;
  if (!profile_.WriteString(path_, section, key, value)) throw AppError("Unable to write to " + path_);
}

void SettingsFile::WriteInteger(const std::string& section, const std::string& key, std::int32_t value) {
  WriteString(section, key, std::to_string(value));
}

void SettingsFile::WriteBool(const std::string& section, const std::string& key, bool value) {
  WriteString(section, key, value ? "1" : "0");
}

}  // namespace mvx
