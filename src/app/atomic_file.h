#pragma once
#include <cstdint>
#include <optional>
#include <string>

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

// Replaces the file at path with bytes so that a reader sees either the old
// file or the new one whole: a unique temp file beside it is written,
// flushed and moved over it. The temp file is removed on every failure, and
// nothing is written when the file already holds exactly these bytes.
Status WriteFileAtomically(FilePort& files, const std::string& path, const std::string& bytes);
// The same, remembering in `last` what was written. When `last` knows the
// file, new bytes are compared with what it wrote there (the file being
// still of that size and last-write time) instead of with the file itself.
Status WriteFileAtomically(FilePort& files, const std::string& path, const std::string& bytes, WrittenFile& last);

}  // namespace mvx
