#include "fakes/fake_files.h"

#include <cstring>

#include "app/paths.h"

namespace mvx::fakes {

namespace {

bool Match(const std::string& name, const std::string& pattern) {
  // "*" and "?" over lower-cased text, as the system's file search does.
  std::string n = LowerAZ(name), p = LowerAZ(pattern);
  std::size_t i = 0, j = 0, star = std::string::npos, mark = 0;
  while (i < n.size()) {
    if (j < p.size() && (p[j] == '?' || p[j] == n[i])) {
      ++i;
      ++j;
    } else if (j < p.size() && p[j] == '*') {
      star = j++;
      mark = i;
    } else if (star != std::string::npos) {
      j = star + 1;
      i = ++mark;
    } else {
      return false;
    }
  }
  while (j < p.size() && p[j] == '*') ++j;
  return j == p.size();
}

// The system also matches a pattern against a file's short name, whose
// extension keeps three characters: "*.bmp" finds "sea.bmpx" too.
bool MatchLongOrShort(const std::string& name, const std::string& pattern) {
  if (Match(name, pattern)) return true;
  const std::size_t dot = name.rfind('.');
  if (dot == std::string::npos || name.size() - dot - 1 <= 3) return false;
  return Match(name.substr(0, dot + 4), pattern);
}

// A local date-time packed as the file system's date (high word) and time
// (low word), seconds rounded down to an even number.
std::uint32_t PackDosDateTime(double localDateTime) {
  const auto days = static_cast<std::int64_t>(localDateTime);
  auto seconds = static_cast<std::int64_t>((localDateTime - static_cast<double>(days)) * 86400.0);
  if (seconds > 86399) seconds = 86399;
  // Civil date from days since 1970-01-01 (proleptic Gregorian).
  const std::int64_t z = days - 25569 + 719468;
  const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const std::int64_t doe = z - era * 146097;
  const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const std::int64_t mp = (5 * doy + 2) / 153;
  const std::int64_t day = doy - (153 * mp + 2) / 5 + 1;
  const std::int64_t month = mp < 10 ? mp + 3 : mp - 9;
  const std::int64_t year = yoe + era * 400 + (month <= 2 ? 1 : 0);
  const auto date = static_cast<std::uint32_t>(((year - 1980) << 9) | (month << 5) | day);
  const auto time =
      static_cast<std::uint32_t>(((seconds / 3600) << 11) | (((seconds / 60) % 60) << 5) | ((seconds % 60) / 2));
  return (date << 16) | time;
}

}  // namespace

FakeFiles::FakeFiles(ClockPort* clock) : clock_(clock) {
  dirs_.insert("c:");
}

// As the system makes a full path: relative to the current folder, and "."
// and ".." parts resolved (".." never climbs above the drive or share).
std::string FakeFiles::Abs(const std::string& path) const {
  const bool full = path.size() >= 2 && (path[1] == ':' || (path[0] == '\\' && path[1] == '\\'));
  const std::string joined = full ? path : StripTrailingBackslashes(currentDir_) + "\\" + path;
  const bool unc = joined.rfind("\\\\", 0) == 0;
  std::vector<std::string> parts;
  std::size_t start = unc ? 2 : 0;
  while (start <= joined.size()) {
    std::size_t end = joined.find('\\', start);
    if (end == std::string::npos) end = joined.size();
    parts.push_back(joined.substr(start, end - start));
    start = end + 1;
  }
  const std::size_t rootParts = unc ? 2 : 1;  // "server", "share" or "c:"
  std::vector<std::string> kept;
  for (std::size_t i = 0; i < parts.size(); ++i) {
    const std::string& part = parts[i];
    if (i >= rootParts && part == ".") continue;
    if (i >= rootParts && part == "..") {
      if (kept.size() > rootParts) kept.pop_back();
      continue;
    }
    kept.push_back(part);
  }
  std::string out = unc ? "\\\\" : "";
  for (std::size_t i = 0; i < kept.size(); ++i) out += (i ? "\\" : "") + kept[i];
  return out;
}

std::string FakeFiles::Key(const std::string& absPath) {
  return LowerAZ(StripTrailingBackslashes(absPath));
}

std::string FakeFiles::Parent(const std::string& key) {
  const std::size_t pos = key.rfind('\\');
  return pos == std::string::npos ? std::string() : key.substr(0, pos);
}

void FakeFiles::Changed(const std::string& key) {
  if (onChange) onChange(Parent(key));
}

std::uint32_t FakeFiles::Stamp() const {
  return clock_ ? PackDosDateTime(clock_->LocalNow()) : 0x5A8C6000;
}

bool FakeFiles::Injected(FileOp op, std::uint32_t& code) {
  auto it = faults_.find(op);
  if (it == faults_.end() || it->second.second <= 0) return false;
  code = it->second.first;
  if (--it->second.second == 0) faults_.erase(it);
  return true;
}

bool FakeFiles::FileExists(const std::string& path) {
  return files_.count(Key(Abs(path))) > 0;
}

bool FakeFiles::DirectoryExists(const std::string& path) {
  return dirs_.count(Key(Abs(path))) > 0;
}

std::optional<std::int64_t> FakeFiles::OpenedFileSize(const std::string& path) {
  auto it = files_.find(Key(Abs(path)));
  if (it == files_.end() || it->second.locked) return std::nullopt;
  return static_cast<std::int64_t>(it->second.bytes.size());
}

std::optional<std::uint32_t> FakeFiles::LocalDosDateTime(const std::string& path) {
  auto it = files_.find(Key(Abs(path)));
  if (it == files_.end() || it->second.locked) return std::nullopt;
  return it->second.dosTime;
}

Status FakeFiles::FindToRead(const std::string& path, Entry*& entry) {
  std::uint32_t code = 0;
  if (Injected(FileOp::ReadAll, code)) return Status::Fail(code, "read " + path);
  auto it = files_.find(Key(Abs(path)));
  if (it == files_.end()) return Status::Fail(winerr::kFileNotFound, "read " + path);
  if (it->second.locked) return Status::Fail(winerr::kSharingViolation, "read " + path);
  entry = &it->second;
  return Status::Ok();
}

Status FakeFiles::ReadBlock(const std::string& path, ByteBlock& bytes) {
  Entry* entry = nullptr;
  if (const Status found = FindToRead(path, entry); !found) return found;
  bytes = ByteBlock(entry->bytes);
  return Status::Ok();
}

// A file held exclusively (locked) cannot be opened even with full sharing.
Status FakeFiles::ReadHead(const std::string& path, std::size_t maxBytes, std::string& bytes) {
  Entry* entry = nullptr;
  if (const Status found = FindToRead(path, entry); !found) return found;
  bytes = entry->bytes.substr(0, maxBytes);
  return Status::Ok();
}

Status FakeFiles::Recycle(const std::string& path) {
  const Status deleted = Delete(path);
  if (deleted) recycled.push_back(path);
  return deleted;
}

bool FakeFiles::OnFixedDrive(const std::string& path) {
  const std::string abs = Abs(path);
  if (abs.size() < 2 || abs[1] != ':') return false;
  return removableDrives.count(LowerAZ(abs.substr(0, 2))) == 0;
}

FilePort::VolumeState FakeFiles::ProbeVolume(const std::string& root) {
  ++volumeProbes;
  if (pendingVolumes.count(LowerAZ(root)) != 0) return VolumeState::Pending;
  return dirs_.count(Key(root)) != 0 ? VolumeState::Reachable : VolumeState::Unreachable;
}

Status FakeFiles::MapBlock(const std::string& path, ByteBlock& bytes) {
  ++mapped;
  Entry* entry = nullptr;
  if (const Status found = FindToRead(path, entry); !found) return found;
  const std::string& content = entry->bytes;
  if (content.empty()) {
    bytes = ByteBlock();
    return Status::Ok();
  }
  auto view = std::shared_ptr<char[]>(new char[content.size()]);
  std::memcpy(view.get(), content.data(), content.size());
  entry->views.push_back(view);
  bytes = ByteBlock(view.get(), content.size(), view);
  return Status::Ok();
}

bool FakeFiles::Entry::Mapped() const {
  for (const auto& view : views) {
    if (!view.expired()) return true;
  }
  return false;
}

Status FakeFiles::CreateNew(const std::string& path, FileHandle& handle) {
  std::uint32_t code = 0;
  if (Injected(FileOp::CreateNew, code)) return Status::Fail(code, "create " + path);
  const std::string key = Key(Abs(path));
  if (!dirs_.count(Parent(key))) return Status::Fail(winerr::kPathNotFound, "create " + path);
  if (files_.count(key)) return Status::Fail(winerr::kFileExists, "create " + path);
  files_[key] = Entry{Abs(path), {}, Stamp(), false, false, {}};
  handle = next_++;
  handles_[handle] = key;
  Changed(key);
  return Status::Ok();
}

Status FakeFiles::Write(FileHandle handle, std::string_view bytes) {
  auto it = handles_.find(handle);
  if (it == handles_.end()) return Status::Fail(winerr::kInvalidHandle, "write");
  std::uint32_t code = 0;
  if (Injected(FileOp::Write, code)) {
    // A failed write may still have put part of the bytes on disk.
    files_[it->second].bytes += bytes.substr(0, bytes.size() / 2);
    Changed(it->second);
    return Status::Fail(code, "write " + files_[it->second].path);
  }
  files_[it->second].bytes += bytes;
  files_[it->second].dosTime = Stamp();
  Changed(it->second);
  return Status::Ok();
}

Status FakeFiles::Flush(FileHandle handle) {
  auto it = handles_.find(handle);
  if (it == handles_.end()) return Status::Fail(winerr::kInvalidHandle, "flush");
  std::uint32_t code = 0;
  if (Injected(FileOp::Flush, code)) return Status::Fail(code, "flush " + files_[it->second].path);
  return Status::Ok();
}

void FakeFiles::Close(FileHandle handle) {
  handles_.erase(handle);
}

Status FakeFiles::MoveReplace(const std::string& from, const std::string& to) {
  std::uint32_t code = 0;
  if (Injected(FileOp::MoveReplace, code)) return Status::Fail(code, "replace " + to);
  const std::string src = Key(Abs(from)), dst = Key(Abs(to));
  auto it = files_.find(src);
  if (it == files_.end()) return Status::Fail(winerr::kFileNotFound, "replace " + to);
  if (!dirs_.count(Parent(dst))) return Status::Fail(winerr::kPathNotFound, "replace " + to);
  auto target = files_.find(dst);
  if (target != files_.end() && (target->second.locked || target->second.readOnly || target->second.Mapped())) {
    return Status::Fail(winerr::kAccessDenied, "replace " + to);
  }
  Entry e = std::move(it->second);  // a rename moves no data
  e.path = Abs(to);
  files_.erase(it);
  files_[dst] = std::move(e);
  Changed(src);
  if (Parent(dst) != Parent(src)) Changed(dst);
  if (onFileArrived) onFileArrived(to);
  return Status::Ok();
}

Status FakeFiles::Move(const std::string& from, const std::string& to) {
  std::uint32_t code = 0;
  if (Injected(FileOp::Move, code)) return Status::Fail(code, "move " + from);
  const std::string src = Key(Abs(from)), dst = Key(Abs(to));
  auto it = files_.find(src);
  if (it == files_.end() || it->second.locked) return Status::Fail(winerr::kFileNotFound, "move " + from);
  if (it->second.Mapped()) return Status::Fail(winerr::kSharingViolation, "move " + from);
  if (!dirs_.count(Parent(dst))) return Status::Fail(winerr::kPathNotFound, "move " + from);
  if (src != dst && files_.count(dst)) return Status::Fail(winerr::kAlreadyExists, "move " + from);
  Entry e = std::move(it->second);  // a rename moves no data
  e.path = Abs(to);
  files_.erase(it);
  files_[dst] = std::move(e);
  Changed(src);
  if (Parent(dst) != Parent(src)) Changed(dst);
  if (onFileArrived) onFileArrived(to);
  return Status::Ok();
}

Status FakeFiles::Copy(const std::string& from, const std::string& to, bool failIfExists) {
  std::uint32_t code = 0;
  if (Injected(FileOp::Copy, code)) return Status::Fail(code, "copy " + from);
  const std::string src = Key(Abs(from)), dst = Key(Abs(to));
  auto it = files_.find(src);
  if (it == files_.end() || it->second.locked) return Status::Fail(winerr::kFileNotFound, "copy " + from);
  if (!dirs_.count(Parent(dst))) return Status::Fail(winerr::kPathNotFound, "copy " + from);
  if (failIfExists && files_.count(dst)) return Status::Fail(winerr::kFileExists, "copy " + from);
  if (auto target = files_.find(dst); target != files_.end() && target->second.Mapped()) {
    return Status::Fail(winerr::kSharingViolation, "copy " + from);
  }
  Entry e = it->second;
  e.path = Abs(to);
  e.views.clear();  // a copy is a file of its own
  files_[dst] = e;
  Changed(dst);
  if (onFileArrived) onFileArrived(to);
  return Status::Ok();
}

Status FakeFiles::Delete(const std::string& path) {
  std::uint32_t code = 0;
  if (Injected(FileOp::Delete, code)) return Status::Fail(code, "delete " + path);
  auto it = files_.find(Key(Abs(path)));
  if (it == files_.end()) return Status::Fail(winerr::kFileNotFound, "delete " + path);
  if (it->second.locked) return Status::Fail(winerr::kSharingViolation, "delete " + path);
  if (it->second.readOnly) return Status::Fail(winerr::kAccessDenied, "delete " + path);
  if (it->second.Mapped()) return Status::Fail(winerr::kSharingViolation, "delete " + path);
  const std::string key = it->first;
  files_.erase(it);
  Changed(key);
  return Status::Ok();
}

Status FakeFiles::MakeDirectory(const std::string& path) {
  std::uint32_t code = 0;
  if (Injected(FileOp::MakeDirectory, code)) return Status::Fail(code, "create folder " + path);
  const std::string key = Key(Abs(path));
  if (dirs_.count(key) || files_.count(key)) return Status::Fail(winerr::kAlreadyExists, "create folder " + path);
  if (!dirs_.count(Parent(key))) return Status::Fail(winerr::kPathNotFound, "create folder " + path);
  dirs_.insert(key);
  dirNames_[key] = ExtractFileName(StripTrailingBackslashes(Abs(path)));
  return Status::Ok();
}

Status FakeFiles::ChangeDirectory(const std::string& path) {
  std::uint32_t code = 0;
  if (Injected(FileOp::ChangeDirectory, code)) return Status::Fail(code, "enter " + path);
  if (!dirs_.count(Key(Abs(path)))) return Status::Fail(winerr::kFileNotFound, "enter " + path);
  currentDir_ = StripTrailingBackslashes(Abs(path));
  return Status::Ok();
}

std::vector<std::string> FakeFiles::FindFiles(const std::string& folder, const std::string& pattern) {
  std::vector<std::string> names;
  const std::string dir = Key(Abs(folder));
  for (const auto& [key, e] : files_) {
    const std::string name = ExtractFileName(e.path);
    if (Parent(key) == dir && MatchLongOrShort(name, pattern)) names.push_back(name);
  }
  return names;
}

std::vector<std::string> FakeFiles::FindFolders(const std::string& folder) {
  std::vector<std::string> names;
  const std::string dir = Key(Abs(folder));
  for (const std::string& key : dirs_) {
    if (Parent(key) != dir) continue;
    const auto named = dirNames_.find(key);
    names.push_back(named != dirNames_.end() ? named->second : key.substr(key.rfind('\\') + 1));
  }
  return names;
}

void FakeFiles::AddDir(const std::string& path) {
  std::string shown = StripTrailingBackslashes(Abs(path));
  std::string key = Key(shown);
  while (!key.empty()) {
    if (dirs_.insert(key).second) dirNames_[key] = ExtractFileName(shown);
    key = Parent(key);
    shown = ExtractFileDir(shown);
  }
}

void FakeFiles::Put(const std::string& path, const std::string& bytes, std::uint32_t dosTime) {
  const std::string key = Key(Abs(path));
  AddDir(Parent(key));
  files_[key] = Entry{Abs(path), bytes, dosTime, false, false, {}};
  Changed(key);
}

std::string FakeFiles::Content(const std::string& path) const {
  auto it = files_.find(Key(Abs(path)));
  return it == files_.end() ? std::string() : it->second.bytes;
}

void FakeFiles::Lock(const std::string& path, bool locked) {
  auto it = files_.find(Key(Abs(path)));
  if (it != files_.end()) it->second.locked = locked;
}

void FakeFiles::MakeReadOnly(const std::string& path) {
  auto it = files_.find(Key(Abs(path)));
  if (it != files_.end()) it->second.readOnly = true;
}

void FakeFiles::FailOn(FileOp op, std::uint32_t code, int count) {
  faults_[op] = {code, count};
}

std::vector<std::string> FakeFiles::FilesIn(const std::string& folder) const {
  std::vector<std::string> out;
  const std::string dir = Key(Abs(folder));
  for (const auto& [key, e] : files_) {
    if (Parent(key) == dir) out.push_back(e.path);
  }
  return out;
}

}  // namespace mvx::fakes
