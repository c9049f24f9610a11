#include "control/state_file.h"

#include <charconv>

#include "platform/byte_block.h"

namespace mvx {

namespace {

constexpr int kAsideNameTries = 1000;

}  // namespace

StateFileRead ReadStateFile(FilePort& files, const std::string& path) {
  StateFileRead read;
  if (!files.FileExists(path)) return read;
  read.exists = true;
  ByteBlock bytes;
  read.status = files.ReadBlock(path, bytes);
  if (!read.status) return read;
  const std::string_view text = bytes.View();
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    read.lines.emplace_back(line);
    start = end + 1;
  }
  return read;
}

std::string JoinLines(const std::vector<std::string>& lines) {
  std::size_t size = 0;
  for (const std::string& line : lines) size += line.size() + 2;
  std::string text;
  text.reserve(size);
  for (const std::string& line : lines) {
    text += line;
    text += "\r\n";
  }
  return text;
}

std::optional<std::string> KeepAside(FilePort& files, const std::string& path) {
  for (int n = 1; n <= kAsideNameTries; ++n) {
    const std::string aside = path + ".unreadable-" + std::to_string(n);
    if (files.FileExists(aside)) continue;
    if (files.Move(path, aside)) return aside;
    return std::nullopt;
  }
  return std::nullopt;
}

std::optional<std::size_t> ParseCount(std::string_view text) {
  std::size_t value = 0;
  if (text.empty() || text.front() < '0' || text.front() > '9') return std::nullopt;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

}  // namespace mvx
