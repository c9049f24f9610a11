#pragma once
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_port.h"
#include "platform/profile_port.h"

namespace mvx {

// Typed access to the settings file through the profile functions. Reads
// fall back to the default; a failed write throws AppError "Unable to write
// to " + path. A section is read whole, once, and its keys answered from
// that: reading a key at a time costs a look at the file each. A value the
// system would change on the way (one in quotes, one too long) and a key
// the listing does not show plainly are read by the key, as before. Given
// the files, the first read reads the whole file once and lists every
// section from it, when the file is plain enough (PlainSectionListings).
class SettingsFile {
 public:
  SettingsFile(ProfilePort& profile, std::string path, FilePort* files = nullptr)
      : profile_(profile), files_(files), path_(std::move(path)) {}

  std::string ReadString(const std::string& section, const std::string& key, const std::string& def);
  std::int32_t ReadInteger(const std::string& section, const std::string& key, std::int32_t def);
  bool ReadBool(const std::string& section, const std::string& key, bool def);

  void WriteString(const std::string& section, const std::string& key, const std::string& value);
  void WriteInteger(const std::string& section, const std::string& key, std::int32_t value);
  void WriteBool(const std::string& section, const std::string& key, bool value);

  const std::string& Path() const { return path_; }

 private:
  struct Line {
    std::string key;
    std::string value;
    bool plain = false;  // read as it stands
  };
  struct Section {
    std::vector<Line> lines;
    bool asciiKeys = true;
  };
  static Section ParseListing(std::string_view block);
  bool ListWholeFile();
  const Section& Listed(const std::string& section);

  ProfilePort& profile_;
  FilePort* files_;
  std::string path_;
  std::map<std::string, Section> sections_;  // by the section's name in lower case
  bool wholeFileTried_ = false;
  bool wholeFileListed_ = false;  // every section of the file is in sections_
};

// Each section's lines, as the system lists them ("key=value", each ended by
// a zero byte), by the section's name in lower case; nullopt for a file
// whose listing only the system can give. A file larger than
// kLargestPlainSettingsFile is always left to the system.
inline constexpr std::size_t kLargestPlainSettingsFile = 1 << 16;
std::optional<std::map<std::string, std::string>> PlainSectionListings(std::string_view text);

}  // namespace mvx
