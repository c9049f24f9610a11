#include "posix_files.h"

#include <dirent.h>
#include <fcntl.h>
#include <fnmatch.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <memory>
#include <thread>

namespace mvx::bench {

namespace {

std::uint32_t WindowsCode(int error, bool creating) {
  switch (error) {
    case ENOENT:
      return winerr::kFileNotFound;
    case ENOTDIR:
      return winerr::kPathNotFound;
    case EEXIST:
      return creating ? winerr::kFileExists : winerr::kAlreadyExists;
    case EACCES:
    case EPERM:
    case EISDIR:
      return winerr::kAccessDenied;
    case EBADF:
      return winerr::kInvalidHandle;
    case ENOSPC:
      return winerr::kDiskFull;
    case ENAMETOOLONG:
      return winerr::kFilenameTooLong;
    default:
      return winerr::kWriteFault;
  }
}

Status Failed(const std::string& what, bool creating = false) {
  const int error = errno;
  return Status::Fail(WindowsCode(error, creating), what, std::strerror(error));
}

int Fd(FileHandle handle) {
  return static_cast<int>(handle);
}

std::uint32_t DosDateTime(std::time_t t) {
  std::tm local{};
  localtime_r(&t, &local);
  const auto date = static_cast<std::uint32_t>(((local.tm_year - 80) << 9) | ((local.tm_mon + 1) << 5) | local.tm_mday);
  const auto time = static_cast<std::uint32_t>((local.tm_hour << 11) | (local.tm_min << 5) | (local.tm_sec / 2));
  return date << 16 | time;
}

Status WriteAll(int fd, const char* data, std::size_t size) {
  std::size_t done = 0;
  while (done < size) {
    const ssize_t n = ::write(fd, data + done, size - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return Failed("write");
    done += static_cast<std::size_t>(n);
  }
  return Status::Ok();
}

}  // namespace

std::string PosixPath(const std::string& path) {
  std::string p = path;
  std::replace(p.begin(), p.end(), '\\', '/');
  return p;
}

Status SyncFolderOf(const std::string& path) {
  const std::string p = PosixPath(path);
  const std::size_t slash = p.find_last_of('/');
  const std::string folder = slash == std::string::npos ? "." : (slash == 0 ? "/" : p.substr(0, slash));
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return Failed("open folder " + folder);
  const bool ok = ::fsync(fd) == 0;
  Status s = ok ? Status::Ok() : Failed("flush folder " + folder);
  ::close(fd);
  return s;
}

bool PosixFiles::FileExists(const std::string& path) {
  struct stat st {};
  return ::stat(PosixPath(path).c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool PosixFiles::DirectoryExists(const std::string& path) {
  struct stat st {};
  return ::stat(PosixPath(path).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::optional<std::int64_t> PosixFiles::OpenedFileSize(const std::string& path) {
  const int fd = ::open(PosixPath(path).c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  struct stat st {};
  const bool ok = ::fstat(fd, &st) == 0;
  ::close(fd);
  if (!ok) return std::nullopt;
  return static_cast<std::int64_t>(st.st_size);
}

std::optional<std::uint32_t> PosixFiles::LocalDosDateTime(const std::string& path) {
  struct stat st {};
  if (::stat(PosixPath(path).c_str(), &st) != 0) return std::nullopt;
  return DosDateTime(st.st_mtime);
}

namespace {

// Opens the file to read and gives its size.
Status OpenToRead(const std::string& path, int& fd, std::size_t& size) {
  fd = ::open(PosixPath(path).c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return Failed("open " + path);
  struct stat st {};
  if (::fstat(fd, &st) != 0) {
    Status s = Failed("size of " + path);
    ::close(fd);
    return s;
  }
  size = static_cast<std::size_t>(st.st_size);
  return Status::Ok();
}

}  // namespace

Status PosixFiles::ReadBlock(const std::string& path, ByteBlock& bytes) {
  int fd = -1;
  std::size_t size = 0;
  if (const Status opened = OpenToRead(path, fd, size); !opened) return opened;
  // As the Windows adapter does: size the block, then read into it.
  bytes = ByteBlock(size);
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::read(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      Status s = Failed("read " + path);
      ::close(fd);
      return s;
    }
    if (n == 0) break;
    done += static_cast<std::size_t>(n);
  }
  bytes.Shrink(done);
  ::close(fd);
  return Status::Ok();
}

Status PosixFiles::MapBlock(const std::string& path, ByteBlock& bytes) {
  int fd = -1;
  std::size_t size = 0;
  if (const Status opened = OpenToRead(path, fd, size); !opened) return opened;
  if (size == 0) {
    ::close(fd);
    bytes = ByteBlock();
    return Status::Ok();
  }
  void* view = ::mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_PRIVATE, fd, 0);
  ::close(fd);
  if (view == MAP_FAILED) return Failed("map " + path);
  bytes =
      ByteBlock(static_cast<char*>(view), size, std::shared_ptr<void>(view, [size](void* v) { ::munmap(v, size); }));
  return Status::Ok();
}

Status PosixFiles::CreateNew(const std::string& path, FileHandle& handle) {
  const int fd = ::open(PosixPath(path).c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
  if (fd < 0) return Failed("create " + path, true);
  handle = static_cast<FileHandle>(fd);
  return Status::Ok();
}

Status PosixFiles::Write(FileHandle handle, std::string_view bytes) {
  return WriteAll(Fd(handle), bytes.data(), bytes.size());
}

Status PosixFiles::Flush(FileHandle handle) {
  if (::fsync(Fd(handle)) != 0) return Failed("flush");
  return Status::Ok();
}

void PosixFiles::Close(FileHandle handle) {
  ::close(Fd(handle));
}

Status PosixFiles::MoveReplace(const std::string& from, const std::string& to) {
  if (::rename(PosixPath(from).c_str(), PosixPath(to).c_str()) != 0) return Failed("replace " + to);
  return SyncFolderOf(to);
}

Status PosixFiles::Move(const std::string& from, const std::string& to) {
  // MoveFileA refuses an existing target; link then unlink keeps that atomic.
  if (::link(PosixPath(from).c_str(), PosixPath(to).c_str()) != 0) return Failed("move " + from);
  if (::unlink(PosixPath(from).c_str()) != 0) return Failed("move " + from);
  return Status::Ok();
}

Status PosixFiles::Copy(const std::string& from, const std::string& to, bool failIfExists) {
  std::string bytes;
  Status s = ReadAll(from, bytes);
  if (!s) return s;
  const int flags = O_WRONLY | O_CREAT | O_CLOEXEC | (failIfExists ? O_EXCL : O_TRUNC);
  const int fd = ::open(PosixPath(to).c_str(), flags, 0644);
  if (fd < 0) return Failed("copy " + from, true);
  s = WriteAll(fd, bytes.data(), bytes.size());
  ::close(fd);
  return s;
}

Status PosixFiles::ReadHead(const std::string& path, std::size_t maxBytes, std::string& bytes) {
  ByteBlock block;
  if (const Status read = ReadBlock(path, block); !read) return read;
  bytes.assign(block.View().substr(0, maxBytes));
  return Status::Ok();
}

Status PosixFiles::Delete(const std::string& path) {
  if (::unlink(PosixPath(path).c_str()) != 0) return Failed("delete " + path);
  return Status::Ok();
}

Status PosixFiles::MakeDirectory(const std::string& path) {
  if (::mkdir(PosixPath(path).c_str(), 0755) != 0) return Failed("create folder " + path, true);
  return Status::Ok();
}

Status PosixFiles::ChangeDirectory(const std::string& path) {
  if (::chdir(PosixPath(path).c_str()) != 0) return Failed("enter " + path);
  return Status::Ok();
}

std::string PosixFiles::CurrentDirectory() {
  std::error_code error;
  return std::filesystem::current_path(error).string();
}

std::vector<std::string> PosixFiles::FindFiles(const std::string& folder, const std::string& pattern) {
  std::vector<std::string> names;
  DIR* dir = ::opendir(PosixPath(folder).c_str());
  if (dir == nullptr) return names;
  while (const dirent* e = ::readdir(dir)) {
    if (FileExists(folder + "/" + e->d_name) && ::fnmatch(pattern.c_str(), e->d_name, FNM_CASEFOLD) == 0) {
      names.emplace_back(e->d_name);
    }
  }
  ::closedir(dir);
  return names;
}

std::vector<std::string> PosixFiles::FindFolders(const std::string& folder) {
  std::vector<std::string> names;
  DIR* dir = ::opendir(PosixPath(folder).c_str());
  if (dir == nullptr) return names;
  while (const dirent* e = ::readdir(dir)) {
    const std::string name = e->d_name;
    if (name != "." && name != ".." && e->d_type == DT_DIR) names.push_back(name);
  }
  ::closedir(dir);
  return names;
}

void PosixFiles::RetryPause(std::uint32_t ms) {
  std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

TempFolder::TempFolder() {
  char name[] = "/tmp/murovex-bench-XXXXXX";
  if (::mkdtemp(name) == nullptr) {
    std::perror("mkdtemp");
    std::abort();
  }
  path_ = name;
}

TempFolder::~TempFolder() {
  std::error_code error;
  std::filesystem::remove_all(path_, error);
}

}  // namespace mvx::bench
