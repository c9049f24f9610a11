#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_port.h"
#include "platform/status.h"

namespace mvx {

// What the program last wrote to one file, so that a save of the same bytes
// is known to change nothing without reading the file back.
struct WrittenFile {
  std::string path;  // empty while nothing is known
  std::uint64_t size = 0;
  std::uint64_t hash = 0;
  std::optional<std::uint32_t> stamp;  // the file's last-write time after the write
};

// Another program (a backup, a scanner) holds the file for a moment.
bool IsBusy(const Status& s);
// Runs `op` up to `tries` times, pausing between, while it fails because
// another program holds the file; the last outcome.
Status RetryWhileBusy(FilePort& files, int tries, std::uint32_t pauseMs, const std::function<Status()>& op);

// Replaces the file at path with bytes so that a reader sees either the old
// file or the new one whole: a unique temp file beside it is written,
// flushed and moved over it. The temp file is removed on every failure, and
// nothing is written when the file already holds exactly these bytes.
Status WriteFileAtomically(FilePort& files, const std::string& path, const std::string& bytes);
// The same, remembering in `last` what was written. When `last` knows the
// file, new bytes are compared with what it wrote there (the file being
// still of that size and last-write time) instead of with the file itself.
Status WriteFileAtomically(FilePort& files, const std::string& path, const std::string& bytes, WrittenFile& last);
// The same replacement, made whatever the file holds: for a large file made
// anew each time, which the comparison would read whole into memory again.
Status ReplaceFileAtomically(FilePort& files, const std::string& path, std::string_view bytes);

// A write of a file named "<name>" makes its temp file beside it, named
// "<name>.<n>.tmp" with n a decimal number from 1 to 100 without leading
// zeros; a crash (or power loss) between its creation and the move leaves it
// behind. The name the write was for, when `tempName` (a name, no folder)
// is exactly of that form.
std::optional<std::string> TargetOfTempName(std::string_view tempName);

struct LeftoverSweep {
  std::vector<std::string> removed;  // paths
  std::vector<Status> failed;        // deletions that failed, each saying which file
};

// Deletes the temp files that interrupted writes of `path` left beside it.
// Nothing but names of the writer's own form for that file is touched (the
// letters A to Z in either case), and this is safe only while no other write
// of that file runs: at start, or for a file only this program writes.
LeftoverSweep RemoveLeftoverTemps(FilePort& files, const std::string& path);
// The same for every file in `folder` whose name `written` accepts.
LeftoverSweep RemoveLeftoverTemps(FilePort& files, const std::string& folder,
                                  const std::function<bool(const std::string& name)>& written);

}  // namespace mvx
