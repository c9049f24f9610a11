#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/file_port.h"

namespace mvx::bench {

// Real files through POSIX calls, so a benchmark pays what a user's machine
// pays: the page cache, fsync and rename. Backslashes in paths are taken as
// folder separators; nothing else of Windows paths is imitated.
class PosixFiles : public FilePort {
 public:
  bool FileExists(const std::string& path) override;
  bool DirectoryExists(const std::string& path) override;
  std::optional<std::int64_t> OpenedFileSize(const std::string& path) override;
  std::optional<std::uint32_t> LocalDosDateTime(const std::string& path) override;
  Status ReadBlock(const std::string& path, ByteBlock& bytes) override;
  // mmap, private: as the Windows adapter's copy-on-write view (POSIX lets
  // a mapped file be replaced, which the benchmark never does while mapped).
  Status MapBlock(const std::string& path, ByteBlock& bytes) override;
  Status ReadHead(const std::string& path, std::size_t maxBytes, std::string& bytes) override;
  // Every volume is the one the benchmark runs on.
  VolumeState ProbeVolume(const std::string&) override { return VolumeState::Reachable; }
  bool OnFixedDrive(const std::string&) override { return true; }
  // No bin here: deleted outright.
  Status Recycle(const std::string& path) override { return Delete(path); }
  Status CreateNew(const std::string& path, FileHandle& handle) override;
  Status Write(FileHandle handle, std::string_view bytes) override;
  // fsync, as FlushFileBuffers waits for the disk.
  Status Flush(FileHandle handle) override;
  void Close(FileHandle handle) override;
  // rename, then fsync of the folder: the move itself is on disk when this
  // returns, as with MOVEFILE_WRITE_THROUGH.
  Status MoveReplace(const std::string& from, const std::string& to) override;
  Status Move(const std::string& from, const std::string& to) override;
  Status Copy(const std::string& from, const std::string& to, bool failIfExists) override;
  Status Delete(const std::string& path) override;
  Status MakeDirectory(const std::string& path) override;
  Status ChangeDirectory(const std::string& path) override;
  std::string CurrentDirectory() override;
  std::vector<std::string> FindFiles(const std::string& folder, const std::string& pattern) override;
  std::vector<std::string> FindFolders(const std::string& folder) override;
  void RetryPause(std::uint32_t ms) override;
};

// Windows path to POSIX path: backslashes become slashes.
std::string PosixPath(const std::string& path);
// fsync of the folder that holds path, so a rename in it is durable.
Status SyncFolderOf(const std::string& path);

// A fresh folder under /tmp, removed with everything in it at the end.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
};

}  // namespace mvx::bench
