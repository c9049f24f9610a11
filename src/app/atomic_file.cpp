#include "app/atomic_file.h"

namespace mvx {

namespace {

constexpr int kTempNameTries = 100;
// Another program (a virus scanner, a backup) may hold the target open for a
// moment; the move is tried again for about a quarter of a second.
constexpr int kMoveTries = 6;
constexpr std::uint32_t kMovePauseMs = 50;

bool HoldsAlready(FilePort& files, const std::string& path, const std::string& bytes) {
  const auto size = files.OpenedFileSize(path);
  if (!size || *size != static_cast<std::int64_t>(bytes.size())) return false;
  std::string current;
  return files.ReadAll(path, current).ok() && current == bytes;
}

bool NameTaken(const Status& s) {
  return s.code == winerr::kFileExists || s.code == winerr::kAlreadyExists;
}

Status CreateTemp(FilePort& files, const std::string& path, std::string& temp, FileHandle& handle) {
  Status s;
  for (int n = 1; n <= kTempNameTries; ++n) {
    temp = path + "." + std::to_string(n) + ".tmp";
    s = files.CreateNew(temp, handle);
    if (!NameTaken(s)) return s;
  }
  return s;
}

Status MoveOver(FilePort& files, const std::string& temp, const std::string& path) {
  Status s;
  for (int attempt = 1; attempt <= kMoveTries; ++attempt) {
    s = files.MoveReplace(temp, path);
    const bool busy = s.code == winerr::kSharingViolation || s.code == winerr::kAccessDenied;
    if (s.ok() || !busy || attempt == kMoveTries) break;
    files.RetryPause(kMovePauseMs);
  }
  return s;
}

}  // namespace

Status WriteFileAtomically(FilePort& files, const std::string& path, const std::string& bytes) {
  if (HoldsAlready(files, path, bytes)) return Status::Ok();
  std::string temp;
  FileHandle handle = 0;
  Status s = CreateTemp(files, path, temp, handle);
  if (!s) return s;
  s = files.Write(handle, bytes);
  if (s) s = files.Flush(handle);
  files.Close(handle);
  if (s) s = MoveOver(files, temp, path);
  if (!s) files.Delete(temp);
  return s;
}

}  // namespace mvx
