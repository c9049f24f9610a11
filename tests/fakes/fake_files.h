#pragma once
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "platform/file_port.h"
#include "platform/timer_port.h"

namespace mvx::fakes {

enum class FileOp { ReadAll, CreateNew, Write, Flush, MoveReplace, Move, Copy, Delete, MakeDirectory, ChangeDirectory };

// A file system in memory: paths compared without regard to case, folders
// must exist before files go into them, and any operation can be made to fail.
// With a clock, files created or written carry its local time as their
// last-write time, as the system stamps them; copies and moves keep it.
class FakeFiles : public FilePort {
 public:
  explicit FakeFiles(ClockPort* clock = nullptr);

  bool FileExists(const std::string& path) override;
  bool DirectoryExists(const std::string& path) override;
  std::optional<std::int64_t> OpenedFileSize(const std::string& path) override;
  std::optional<std::uint32_t> LocalDosDateTime(const std::string& path) override;
  Status ReadBlock(const std::string& path, ByteBlock& bytes) override;
  Status MapBlock(const std::string& path, ByteBlock& bytes) override;
  Status ReadHead(const std::string& path, std::size_t maxBytes, std::string& bytes) override;
  // A volume is there when its root folder is (a file put under it makes
  // it); a root in pendingVolumes answers Pending.
  VolumeState ProbeVolume(const std::string& root) override;
  // Every drive letter but those in removableDrives ("e:") is fixed; a share never is.
  bool OnFixedDrive(const std::string& path) override;
  Status CreateNew(const std::string& path, FileHandle& handle) override;
  Status Write(FileHandle handle, std::string_view bytes) override;
  Status Flush(FileHandle handle) override;
  void Close(FileHandle handle) override;
  Status MoveReplace(const std::string& from, const std::string& to) override;
  Status Move(const std::string& from, const std::string& to) override;
  Status Copy(const std::string& from, const std::string& to, bool failIfExists) override;
  Status Delete(const std::string& path) override;
  // Takes the file away as Delete does and notes it in `recycled`.
  Status Recycle(const std::string& path) override;
  Status MakeDirectory(const std::string& path) override;
  Status ChangeDirectory(const std::string& path) override;
  std::string CurrentDirectory() override { return currentDir_; }
  std::vector<std::string> FindFiles(const std::string& folder, const std::string& pattern) override;
  std::vector<std::string> FindFolders(const std::string& folder) override;
  void RetryPause(std::uint32_t ms) override { pausedMs += ms; }

  // For tests.
  void AddDir(const std::string& path);  // and every parent
  void Put(const std::string& path, const std::string& bytes, std::uint32_t dosTime = 0x5A8C6000);
  std::string Content(const std::string& path) const;
  void Lock(const std::string& path, bool locked = true);
  // As a file the user may read but not write (another user's, say).
  void MakeReadOnly(const std::string& path);
  // The next `count` calls of op fail with the given Windows error code.
  void FailOn(FileOp op, std::uint32_t code, int count = 1);
  std::vector<std::string> FilesIn(const std::string& folder) const;  // display paths
  std::size_t OpenHandles() const { return handles_.size(); }
  std::uint32_t pausedMs = 0;
  std::set<std::string> pendingVolumes;  // lower case, as "\\\\server\\share\\"
  int volumeProbes = 0;
  std::set<std::string> removableDrives;
  int mapped = 0;  // views taken with MapBlock
  std::vector<std::string> recycled;  // the paths, as given
  // Called with the path of each file a copy or a move has just put in
  // place, so a test can play another program that opens it at once.
  std::function<void(const std::string&)> onFileArrived;
  // Called with a folder's path in lower case each time a file directly in
  // it is made, written, moved in or out, copied in or deleted, through the
  // port or by Put.
  std::function<void(const std::string&)> onChange;

 private:
  struct Entry {
    std::string path;  // as created
    std::string bytes;
    std::uint32_t dosTime = 0;
    bool locked = false;
    bool readOnly = false;  // read by anyone, replaced or deleted by no one
    // The views of the file still mapped: a view holds the file open to be
    // read only, so while one lives the file cannot be replaced, moved,
    // deleted or copied over.
    std::vector<std::weak_ptr<void>> views;
    bool Mapped() const;
  };
  std::string Abs(const std::string& path) const;
  static std::string Key(const std::string& absPath);
  static std::string Parent(const std::string& key);
  bool Injected(FileOp op, std::uint32_t& code);
  // The file to read or map, unless a fault was injected or it cannot be opened.
  Status FindToRead(const std::string& path, Entry*& entry);
  std::uint32_t Stamp() const;
  void Changed(const std::string& key);

  std::map<std::string, Entry> files_;
  std::set<std::string> dirs_;
  std::map<std::string, std::string> dirNames_;  // key -> folder name as created
  std::map<FileHandle, std::string> handles_;
  std::map<FileOp, std::pair<std::uint32_t, int>> faults_;
  std::string currentDir_ = "c:\\";
  ClockPort* clock_ = nullptr;
  FileHandle next_ = 100;
};

}  // namespace mvx::fakes
