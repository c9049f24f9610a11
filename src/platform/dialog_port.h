#pragma once
#include <optional>
#include <string>
#include <vector>

namespace mvx {

struct FileFilter {
  std::string description;  // "Executable files"
  std::string pattern;      // "*.exe"
};

struct OpenFileRequest {
  std::string title;
  std::string initialDir;
  std::string fileName;    // initial text of the name box
  std::string defaultExt;  // without the dot
  std::vector<FileFilter> filters;
  bool mustExist = true;  // the path and the file must exist
};

// The system's open-file dialog (GetOpenFileNameA); nullopt when cancelled.
class DialogPort {
 public:
  virtual ~DialogPort() = default;
  virtual std::optional<std::string> OpenFile(const OpenFileRequest& request) = 0;
};

}  // namespace mvx
