#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/byte_block.h"
#include "platform/status.h"

namespace mvx {

using FileHandle = std::uintptr_t;

// Files and folders, one method per system call the program makes. Paths are
// Windows paths in UTF-8; letter case is not significant.
class FilePort {
 public:
  virtual ~FilePort() = default;

  virtual bool FileExists(const std::string& path) = 0;
  virtual bool DirectoryExists(const std::string& path) = 0;
  // Opens the file for reading (others may read and write) and returns its
  // size, or nullopt when it cannot be opened.
  virtual std::optional<std::int64_t> OpenedFileSize(const std::string& path) = 0;
  // The last-write time converted to local time and packed as the file
  // system's DOS date (high word) and time (low word); nullopt when the file
  // cannot be opened.
  virtual std::optional<std::uint32_t> LocalDosDateTime(const std::string& path) = 0;

  // The whole file, read into a block of its size.
  virtual Status ReadBlock(const std::string& path, ByteBlock& bytes) = 0;
  // The whole file as a view of it, copy-on-write: the block's bytes are the
  // file's pages, faulted in as they are first read (far cheaper than a read
  // into new memory for a large file), and changes to them stay in memory.
  // The block holds the file open to be read only: while it lives no other
  // program can write the file, and it cannot be replaced (MoveReplace onto
  // it fails with access denied), moved, deleted or copied over (sharing
  // violation). An empty file, and one the system cannot map, is read into
  // a block of its own instead, which holds nothing open.
  virtual Status MapBlock(const std::string& path, ByteBlock& bytes) = 0;
  // At most maxBytes from the file's start, the file opened with full sharing
  // (another program may be writing it).
  virtual Status ReadHead(const std::string& path, std::size_t maxBytes, std::string& bytes) = 0;
  // Whether a volume's root ("X:\" or "\\server\share\") can be reached.
  // A check that may take long (a network share) runs in the background:
  // Pending until it is done, its answer given to the first call after.
  enum class VolumeState { Reachable, Unreachable, Pending };
  virtual VolumeState ProbeVolume(const std::string& root) = 0;
  // The file lies on a fixed local disk, which cannot go away while a view
  // of the file is held (a removable or network drive can).
  virtual bool OnFixedDrive(const std::string& path) = 0;
  // The whole file as a string (for small files).
  Status ReadAll(const std::string& path, std::string& bytes) {
    ByteBlock block;
    const Status read = ReadBlock(path, block);
    if (read) bytes.assign(block.View());
    return read;
  }
  // CREATE_NEW: fails when the file already exists.
  virtual Status CreateNew(const std::string& path, FileHandle& handle) = 0;
  virtual Status Write(FileHandle handle, std::string_view bytes) = 0;
  virtual Status Flush(FileHandle handle) = 0;
  virtual void Close(FileHandle handle) = 0;
  // MoveFileEx with MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH.
  virtual Status MoveReplace(const std::string& from, const std::string& to) = 0;
  // MoveFileA: fails when the target exists.
  virtual Status Move(const std::string& from, const std::string& to) = 0;
  virtual Status Copy(const std::string& from, const std::string& to, bool failIfExists) = 0;
  virtual Status Delete(const std::string& path) = 0;
  // Into the Recycle Bin, from where the user can take it back (the shell's
  // file operation with undo); deleted outright where the volume has none.
  virtual Status Recycle(const std::string& path) = 0;
  virtual Status MakeDirectory(const std::string& path) = 0;
  virtual Status ChangeDirectory(const std::string& path) = 0;
  virtual std::string CurrentDirectory() = 0;
  // Names (not paths) of the files in folder that match pattern, e.g. "*.bmp".
  virtual std::vector<std::string> FindFiles(const std::string& folder, const std::string& pattern) = 0;
  // Names of the folders directly in folder, without "." and "..". A link to
  // another folder (a junction or a symbolic link) is not listed: following
  // one could lead back up and never end.
  virtual std::vector<std::string> FindFolders(const std::string& folder) = 0;
  // Pause for a short retry (Sleep); tests' fakes return at once.
  virtual void RetryPause(std::uint32_t ms) = 0;
};

}  // namespace mvx
