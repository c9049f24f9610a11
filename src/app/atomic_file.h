#pragma once
#include <string>

#include "platform/file_port.h"
#include "platform/status.h"

namespace mvx {

// Replaces the file at path with bytes so that a reader sees either the old
// file or the new one whole: a unique temp file beside it is written,
// flushed and moved over it. The temp file is removed on every failure, and
// nothing is written when the file already holds exactly these bytes.
Status WriteFileAtomically(FilePort& files, const std::string& path, const std::string& bytes);

}  // namespace mvx
