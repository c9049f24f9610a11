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
  bool hideReadOnly = false;
  bool noTestFileCreate = false;
};

// The system's open-file dialog (GetOpenFileNameA); nullopt when cancelled.
class DialogPort {
 public:
  virtual ~DialogPort() = default;
  virtual std::optional<std::string> OpenFile(const OpenFileRequest& request) = 0;
  // The same dialog with several files allowed: full paths in the order the
  // dialog returns them; nullopt when cancelled.
  virtual std::optional<std::vector<std::string>> OpenFiles(const OpenFileRequest& request) = 0;
};

}  // namespace mvx
