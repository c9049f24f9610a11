#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_port.h"
#include "platform/status.h"

namespace mvx {

// The lines of one of the program's small state files in the data folder
// (the slideshow's deck and the wallpaper history). Lines end with CR LF or
// LF; the last one may lack its end.
struct StateFileRead {
  bool exists = false;             // false: nothing was stored yet
  Status status;                   // why an existing file could not be read
  std::vector<std::string> lines;  // when read
};
StateFileRead ReadStateFile(FilePort& files, const std::string& path);

// The lines joined, each ended with CR LF, for the atomic writer.
std::string JoinLines(const std::vector<std::string>& lines);

// A file whose contents the program cannot use is kept beside under a free
// name "<name>.unreadable-<n>" instead of being written over; the name it
// went to, or nothing when it could not be moved.
std::optional<std::string> KeepAside(FilePort& files, const std::string& path);

// A whole decimal number of the form the files hold, nothing else.
std::optional<std::size_t> ParseCount(std::string_view text);

}  // namespace mvx
