#pragma once
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace mvx::e2e {

// What a test puts into its application folder before the program starts.
struct AppSetup {
  std::optional<std::string> settings;                      // the whole settings file, if any
  std::vector<std::pair<std::string, std::string>> images;  // file name and bytes, written into Images
};

// A Windows path for a folder named in the environment, which may hold a
// Linux path when it comes from CMake or a shell (Wine shows / as Z:).
std::string WindowsPath(const std::string& path);

// The built application: MUROVEX_APP_DIR, or the app folder beside this test program.
std::string BuiltAppFolder();

// A fresh copy of the application (murovex.exe and help\) in its own temp
// folder, so every test has its own settings file and data files. The folder
// is removed at the end unless Keep() was called.
class AppFolder {
 public:
  explicit AppFolder(const AppSetup& setup = {});
  ~AppFolder();
  AppFolder(const AppFolder&) = delete;
  AppFolder& operator=(const AppFolder&) = delete;

  const std::string& Path() const { return path_; }
  std::string Exe() const { return path_ + "\\murovex.exe"; }
  std::string SettingsFile() const { return path_ + "\\murovex.INI"; }
  std::string ImagesFolder() const { return path_ + "\\Images"; }
  // A value of the settings file as the program's own profile calls read it;
  // nothing when the key (or the file) is missing.
  std::optional<std::string> ReadSetting(const std::string& section, const std::string& key) const;
  void Keep() { keep_ = true; }

 private:
  std::string path_;
  bool keep_ = false;
};

// Writes `bytes` to `path` whole; throws std::runtime_error on failure.
void WriteWholeFile(const std::string& path, const std::string& bytes);
// The whole file's bytes; empty when it cannot be read.
std::string ReadWholeFile(const std::string& path);

}  // namespace mvx::e2e
