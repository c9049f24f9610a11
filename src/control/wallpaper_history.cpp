#include "control/wallpaper_history.h"

#include <algorithm>
#include <string_view>
#include <unordered_map>

#include "control/state_file.h"

namespace mvx {

namespace {

constexpr std::string_view kHeader = "Murovex history";
// No file name or folder can hold it, so it parts the pictures of a set.
constexpr char kSeparator = '|';

std::string Joined(const WallpaperHistory::Item& item) {
  std::string text;
  for (const std::string& path : item) {
    if (!text.empty()) text += kSeparator;
    text += path;
  }
  return text;
}

std::optional<WallpaperHistory::Item> Split(const std::string& line) {
  WallpaperHistory::Item item;
  std::size_t start = 0;
  for (;;) {
    const std::size_t end = std::min(line.find(kSeparator, start), line.size());
    std::string path = line.substr(start, end - start);
    if (path.find('\\') == std::string::npos) return std::nullopt;
    item.push_back(std::move(path));
    if (end == line.size()) return item;
    start = end + 1;
  }
}

}  // namespace

void WallpaperHistory::Open(const std::string& folder) {
  if (open_ && folder == folder_) return;
  folder_ = folder;
  open_ = true;
  saveBlocked_ = false;
  items_.clear();
  shown_ = 0;
  written_ = {};
  Load();
}

// The file: the header, the number of the item shown (from 0), then one
// line for each item, oldest first.
void WallpaperHistory::Load() {
  const StateFileRead read = ReadStateFile(files_, Path());
  if (!read.exists) return;
  if (!read.status) {
    trace_("WallpaperHistory: " + read.status.Describe());
    saveBlocked_ = true;
    return;
  }
  std::optional<std::size_t> shown;
  bool sound = read.lines.size() >= 2 && read.lines[0] == kHeader && (shown = ParseCount(read.lines[1]));
  for (std::size_t i = 2; sound && i < read.lines.size(); ++i) {
    const std::optional<Item> item = Split(read.lines[i]);
    sound = item.has_value();
    if (sound) items_.push_back(*item);
  }
  sound = sound && items_.size() <= kLimit && (items_.empty() ? *shown == 0 : *shown < items_.size());
  if (sound) {
    shown_ = *shown;
    return;
  }
  items_.clear();
  const std::optional<std::string> aside = KeepAside(files_, Path());
  trace_("WallpaperHistory: unreadable " + Path() + (aside ? ", kept as " + *aside : ", left in place"));
  saveBlocked_ = !aside;
}

void WallpaperHistory::Record(const Item& item) {
  if (item.empty()) return;
  if (!items_.empty() && items_[shown_] == item) return;
  if (!items_.empty()) items_.resize(shown_ + 1);
  items_.push_back(item);
  if (items_.size() > kLimit) items_.erase(items_.begin(), items_.end() - kLimit);
  shown_ = items_.size() - 1;
  Save();
}

std::optional<WallpaperHistory::Item> WallpaperHistory::Back(const Usable& usable) {
  for (std::size_t i = shown_; i-- > 0;) {
    if (std::all_of(items_[i].begin(), items_[i].end(), usable)) return StepTo(i);
  }
  return std::nullopt;
}

std::optional<WallpaperHistory::Item> WallpaperHistory::Forward(const Usable& usable) {
  for (std::size_t i = shown_ + 1; i < items_.size(); ++i) {
    if (std::all_of(items_[i].begin(), items_[i].end(), usable)) return StepTo(i);
  }
  return std::nullopt;
}

std::optional<WallpaperHistory::Item> WallpaperHistory::StepTo(std::size_t index) {
  shown_ = index;
  Save();
  return items_[index];
}

void WallpaperHistory::Follow(const std::vector<std::pair<std::string, std::string>>& moves) {
  const std::unordered_map<std::string, std::string> renamed(moves.begin(), moves.end());
  bool changed = false;
  for (Item& item : items_) {
    for (std::string& path : item) {
      const auto it = renamed.find(path);
      if (it == renamed.end() || it->second == path) continue;
      path = it->second;
      changed = true;
    }
  }
  if (changed) Save();
}

void WallpaperHistory::Save() {
  if (folder_.empty() || saveBlocked_) return;
  std::vector<std::string> lines{std::string(kHeader), std::to_string(shown_)};
  for (const Item& item : items_) lines.push_back(Joined(item));
  const Status s = WriteFileAtomically(files_, Path(), JoinLines(lines), written_);
  if (!s) trace_("WallpaperHistory: " + s.Describe());
}

}  // namespace mvx
