#include "app/paths.h"

namespace mvx {

namespace {

std::size_t NameStart(std::string_view path) {
  const std::size_t pos = path.find_last_of("\\:");
  return pos == std::string_view::npos ? 0 : pos + 1;
}

std::size_t ExtStart(std::string_view path) {
  const std::size_t start = NameStart(path);
  const std::size_t dot = path.rfind('.');
  if (dot == std::string_view::npos || dot < start) return std::string_view::npos;
  return dot;
}

}  // namespace

std::string LowerAZ(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return out;
}

bool SameTextAZ(std::string_view a, std::string_view b) {
  return a.size() == b.size() && LowerAZ(a) == LowerAZ(b);
}

std::string TrimBlanks(std::string_view text) {
  auto blank = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  return std::string(text);
}

std::string StripTrailingBackslashes(std::string_view text) {
  while (!text.empty() && text.back() == '\\') text.remove_suffix(1);
  return std::string(text);
}

std::string ExtractFileName(std::string_view path) {
  return std::string(path.substr(NameStart(path)));
}

std::string ExtractFileDir(std::string_view path) {
  std::size_t start = NameStart(path);
  if (start == 0) return {};
  std::string_view dir = path.substr(0, start);
  if (dir.back() == '\\') dir.remove_suffix(1);
  return std::string(dir);
}

std::string ExtractFileExt(std::string_view path) {
  const std::size_t dot = ExtStart(path);
  return dot == std::string_view::npos ? std::string() : std::string(path.substr(dot));
}

std::string ChangeFileExt(std::string_view path, std::string_view ext) {
  const std::size_t dot = ExtStart(path);
  std::string out(dot == std::string_view::npos ? path : path.substr(0, dot));
  out += ext;
  return out;
}

bool IsBitmapFile(std::string_view path) {
  return LowerAZ(ExtractFileExt(path)) == ".bmp";
}

namespace {

constexpr std::string_view kPictureExtensions[] = {".bmp", ".jpg", ".jpeg", ".jpe", ".jfif",
                                                   ".png", ".gif", ".tif",  ".tiff"};

}  // namespace

std::string PictureFilePattern() {
  std::string pattern;
  for (std::string_view ext : kPictureExtensions) {
    if (!pattern.empty()) pattern += ';';
    pattern += '*';
    pattern += ext;
  }
  return pattern;
}

bool IsPictureFile(std::string_view path) {
  const std::string ext = LowerAZ(ExtractFileExt(path));
  for (std::string_view known : kPictureExtensions) {
    if (ext == known) return true;
  }
  return false;
}

std::string_view Utf8Prefix(std::string_view text, std::size_t maxBytes) {
  if (text.size() <= maxBytes) return text;
  auto continuation = [&text](std::size_t i) { return (static_cast<unsigned char>(text[i]) & 0xC0u) == 0x80u; };
  // Back up over at most three continuation bytes to the start of the
  // character that would be split; longer runs are no UTF-8 and cut as bytes.
  std::size_t cut = maxBytes;
  while (cut > 0 && maxBytes - cut < 3 && continuation(cut)) --cut;
  if (continuation(cut)) cut = maxBytes;
  return text.substr(0, cut);
}

}  // namespace mvx
