#include "app/atomic_file.h"

#include <bit>
#include <cstring>
#include <string_view>
#include <utility>

#include "app/paths.h"

namespace mvx {

namespace {

constexpr int kTempNameTries = 100;
// Another program (a virus scanner, a backup) may hold the target open for a
// moment; the move is tried again for about a quarter of a second.
constexpr int kMoveTries = 6;
constexpr std::uint32_t kMovePauseMs = 50;

// A 64-bit hash of the whole content in the manner of xxHash64: four lanes
// of eight bytes a step, then the rest, then a final mix. Not CRC-32: a file
// that ends with its own CRC-32, as the data file does, has the same CRC-32
// as every other such file of its length.
constexpr std::uint64_t kP1 = 0x9E3779B185EBCA87u, kP2 = 0xC2B2AE3D27D4EB4Fu, kP3 = 0x165667B19E3779F9u,
                        kP4 = 0x85EBCA77C2B2AE63u, kP5 = 0x27D4EB2F165667C5u;

std::uint64_t Load64(const char* p) {
  std::uint64_t v = 0;
  for (int i = 0; i < 8; ++i) v |= static_cast<std::uint64_t>(static_cast<unsigned char>(p[i])) << (8 * i);
  return v;
}

std::uint64_t Round(std::uint64_t acc, std::uint64_t word) {
  return std::rotl(acc + word * kP2, 31) * kP1;
}

std::uint64_t Lanes(const char*& p, std::size_t& n) {
  std::uint64_t lane[4] = {kP1 + kP2, kP2, 0, 0 - kP1};
  for (; n >= 32; n -= 32, p += 32) {
    for (int i = 0; i < 4; ++i) lane[i] = Round(lane[i], Load64(p + 8 * i));
  }
  std::uint64_t h = std::rotl(lane[0], 1) + std::rotl(lane[1], 7) + std::rotl(lane[2], 12) + std::rotl(lane[3], 18);
  for (std::uint64_t v : lane) h = (h ^ Round(0, v)) * kP1 + kP4;
  return h;
}

std::uint64_t HashOf(std::string_view bytes) {
  const char* p = bytes.data();
  std::size_t n = bytes.size();
  std::uint64_t h = n >= 32 ? Lanes(p, n) : kP5;
  h += bytes.size();
  for (; n >= 8; n -= 8, p += 8) h = std::rotl(h ^ Round(0, Load64(p)), 27) * kP1 + kP4;
  for (; n > 0; --n, ++p) h = std::rotl(h ^ static_cast<unsigned char>(*p) * kP5, 11) * kP1;
  h ^= h >> 33;
  h *= kP2;
  h ^= h >> 29;
  h *= kP3;
  return h ^ (h >> 32);
}

}  // namespace

bool IsBusy(const Status& s) {
  return s.code == winerr::kSharingViolation || s.code == winerr::kAccessDenied;
}

Status RetryWhileBusy(FilePort& files, int tries, std::uint32_t pauseMs, const std::function<Status()>& op) {
  Status s;
  for (int attempt = 1; attempt <= tries; ++attempt) {
    s = op();
    if (s.ok() || !IsBusy(s) || attempt == tries) break;
    files.RetryPause(pauseMs);
  }
  return s;
}

namespace {

bool HoldsAlready(FilePort& files, const std::string& path, const std::string& bytes) {
  const auto size = files.OpenedFileSize(path);
  if (!size || *size != static_cast<std::int64_t>(bytes.size())) return false;
  ByteBlock current;
  return files.ReadBlock(path, current).ok() && current.View() == bytes;
}

// The file is as the program left it: same size, same last-write time.
bool Untouched(FilePort& files, const WrittenFile& last) {
  const auto size = files.OpenedFileSize(last.path);
  return size && static_cast<std::uint64_t>(*size) == last.size && files.LocalDosDateTime(last.path) == last.stamp;
}

bool NameTaken(const Status& s) {
  return s.code == winerr::kFileExists || s.code == winerr::kAlreadyExists;
}

constexpr std::string_view kTempSuffix = ".tmp";

std::string TempPath(const std::string& path, int n) {
  return path + "." + std::to_string(n) + std::string(kTempSuffix);
}

Status CreateTemp(FilePort& files, const std::string& path, std::string& temp, FileHandle& handle) {
  Status s;
  for (int n = 1; n <= kTempNameTries; ++n) {
    temp = TempPath(path, n);
    s = files.CreateNew(temp, handle);
    if (!NameTaken(s)) return s;
  }
  return s;
}

Status MoveOver(FilePort& files, const std::string& temp, const std::string& path) {
  return RetryWhileBusy(files, kMoveTries, kMovePauseMs, [&] { return files.MoveReplace(temp, path); });
}

// A scanner that opened the new temp file may hold it for a moment too.
void RemoveTemp(FilePort& files, const std::string& temp) {
  RetryWhileBusy(files, kMoveTries, kMovePauseMs, [&] { return files.Delete(temp); });
}

Status Replace(FilePort& files, const std::string& path, std::string_view bytes) {
  std::string temp;
  FileHandle handle = 0;
  Status s = CreateTemp(files, path, temp, handle);
  if (!s) return s;
  s = files.Write(handle, bytes);
  if (s) s = files.Flush(handle);
  files.Close(handle);
  if (s) s = MoveOver(files, temp, path);
  if (!s) RemoveTemp(files, temp);
  return s;
}

// last, when given, is what the program knows of the file and is kept up to date.
Status ReplaceUnlessSame(FilePort& files, const std::string& path, const std::string& bytes, WrittenFile* last) {
  const bool known = last != nullptr && last->path == path;
  const std::uint64_t hash = last != nullptr ? HashOf(bytes) : 0;
  if (known && last->size == bytes.size() && last->hash == hash && Untouched(files, *last)) return Status::Ok();
  if (known || !HoldsAlready(files, path, bytes)) {
    const Status s = Replace(files, path, bytes);
    if (!s) {
      if (last != nullptr) *last = WrittenFile{};
      return s;
    }
  }
  if (last != nullptr) *last = WrittenFile{path, bytes.size(), hash, files.LocalDosDateTime(path)};
  return Status::Ok();
}

// n as the writer spells it: 1 to kTempNameTries, no sign, no leading zero.
bool IsTempNumber(std::string_view digits) {
  if (digits.empty() || digits.size() > 3 || digits[0] == '0') return false;
  int n = 0;
  for (char c : digits) {
    if (c < '0' || c > '9') return false;
    n = n * 10 + (c - '0');
  }
  return n <= kTempNameTries;
}

LeftoverSweep Sweep(FilePort& files, const std::string& folder, const std::string& pattern,
                    const std::function<bool(const std::string&)>& written) {
  LeftoverSweep sweep;
  for (const std::string& name : files.FindFiles(folder, pattern)) {
    const std::optional<std::string> target = TargetOfTempName(name);
    if (!target || !written(*target)) continue;
    const std::string path = folder + "\\" + name;
    if (Status s = files.Delete(path)) {
      sweep.removed.push_back(path);
    } else {
      sweep.failed.push_back(std::move(s));
    }
  }
  return sweep;
}

}  // namespace

std::optional<std::string> TargetOfTempName(std::string_view tempName) {
  if (tempName.size() <= kTempSuffix.size() ||
      !SameTextAZ(tempName.substr(tempName.size() - kTempSuffix.size()), kTempSuffix)) {
    return std::nullopt;
  }
  const std::string_view rest = tempName.substr(0, tempName.size() - kTempSuffix.size());
  const std::size_t dot = rest.rfind('.');
  if (dot == std::string_view::npos || dot == 0 || !IsTempNumber(rest.substr(dot + 1))) return std::nullopt;
  return std::string(rest.substr(0, dot));
}

LeftoverSweep RemoveLeftoverTemps(FilePort& files, const std::string& path) {
  const std::string name = ExtractFileName(path);
  std::string pattern = name + ".*";
  pattern += kTempSuffix;
  return Sweep(files, ExtractFileDir(path), pattern,
               [&name](const std::string& target) { return SameTextAZ(target, name); });
}

LeftoverSweep RemoveLeftoverTemps(FilePort& files, const std::string& folder,
                                  const std::function<bool(const std::string& name)>& written) {
  std::string pattern = "*";
  pattern += kTempSuffix;
  return Sweep(files, StripTrailingBackslashes(folder), pattern, written);
}

Status WriteFileAtomically(FilePort& files, const std::string& path, const std::string& bytes) {
  return ReplaceUnlessSame(files, path, bytes, nullptr);
}

Status WriteFileAtomically(FilePort& files, const std::string& path, const std::string& bytes, WrittenFile& last) {
  return ReplaceUnlessSame(files, path, bytes, &last);
}

Status ReplaceFileAtomically(FilePort& files, const std::string& path, std::string_view bytes) {
  return Replace(files, path, bytes);
}

}  // namespace mvx
