#pragma once
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/atomic_file.h"
#include "platform/file_port.h"

namespace mvx {

// The wallpapers the program set, oldest first, at most kLimit of them, and
// the one the desktop shows among them; kept in the data folder (kFileName)
// so that a restart can step back too. An item is the whole set of
// pictures on the monitors, lower-case full paths, the primary's first.
class WallpaperHistory {
 public:
  using Item = std::vector<std::string>;
  // Whether a picture can be shown again (still listed, enabled, there).
  using Usable = std::function<bool(const std::string& path)>;
  using TraceFn = std::function<void(const std::string&)>;

  WallpaperHistory(FilePort& files, TraceFn trace) : files_(files), trace_(std::move(trace)) {}

  // Reads the history kept in folder, unless it is the folder already open.
  void Open(const std::string& folder);
  // A set put on the desktop. A new one after steps back replaces the steps
  // ahead, as a browser does; the one shown already changes nothing.
  void Record(const Item& item);
  // The nearest item behind (or ahead of) the one shown whose pictures are
  // all usable; it becomes the one shown. Nothing when there is none.
  std::optional<Item> Back(const Usable& usable);
  std::optional<Item> Forward(const Usable& usable);
  // Cheap answers for a menu: items lie behind or ahead, usable or not.
  bool HasBehind() const { return shown_ > 0; }
  bool HasAhead() const { return shown_ + 1 < items_.size(); }
  // Entries that changed their key (moved, renamed): their pictures follow.
  void Follow(const std::vector<std::pair<std::string, std::string>>& moves);

  const std::vector<Item>& Items() const { return items_; }
  std::size_t Shown() const { return shown_; }

  static constexpr std::size_t kLimit = 100;
  static constexpr const char* kFileName = "Murovex History.txt";

 private:
  std::optional<Item> StepTo(std::size_t index);
  void Load();
  void Save();
  std::string Path() const { return folder_ + "\\" + kFileName; }

  FilePort& files_;
  TraceFn trace_;
  std::string folder_;
  bool open_ = false;
  bool saveBlocked_ = false;
  std::vector<Item> items_;
  std::size_t shown_ = 0;  // meaningful while items_ is not empty
  WrittenFile written_;
};

}  // namespace mvx
