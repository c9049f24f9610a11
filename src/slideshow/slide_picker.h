#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <random>
#include <string>

#include "app/volumes.h"
#include "inventory/dataset.h"

namespace mvx {

// What a slide must be to be chosen, read from the options for one pick.
struct SlideRules {
  bool random = true;
  bool limitSize = false;
  std::int64_t maxBytes = 0;
  std::function<bool(DisplayMode mode)> passesMode;
  // A further test of the caller's (pictures already on another monitor).
  std::function<bool(const InventoryEntry& entry)> accepts;
};

struct SlideChoice {
  std::string path;  // lower case, folder + "\" + name
  DisplayMode mode = DisplayMode::Tile;
  int recNo = 0;  // the slideshow's position on the chosen entry
};

// Moves the slideshow's position to the next picture to show: up to 500
// random tries (never the picture it starts from), then one round in index
// order from the position on. Entries whose file has gone are removed through
// the master data set as they are met.
class SlidePicker {
 public:
  using TraceFn = std::function<void(const std::string&)>;

  SlidePicker(TClientDataSet& slides, TClientDataSet& master, FilePort& files, VolumeCheck& volumes,
              std::mt19937& random, TraceFn trace)
      : slides_(slides), master_(master), files_(files), volumes_(volumes), random_(random), trace_(std::move(trace)) {}

  // The chosen entry, with the position left on it; nothing when no entry
  // qualifies.
  std::optional<SlideChoice> Pick(const SlideRules& rules);
  // The pick removed entries whose files are gone.
  bool RemovedAny() const { return removed_ > 0; }
  // The pick passed over entries whose drive or share is away: they stay.
  bool PassedOverAway() const { return away_ > 0; }

  static constexpr int kRandomTries = 500;

 private:
  bool RandomPhase(const SlideRules& rules);
  bool SequentialPhase(const SlideRules& rules);
  bool Qualifies(const InventoryEntry& entry, const SlideRules& rules) const;
  std::string CurrentPath() const;
  void RemoveCurrent();
  // The candidate's file is there; a file whose volume is there but not the
  // file loses its entry (the position then stands on the next entry).
  enum class Presence { Here, Removed, Away };
  Presence Check();

  TClientDataSet& slides_;
  TClientDataSet& master_;
  FilePort& files_;
  VolumeCheck& volumes_;
  std::mt19937& random_;
  TraceFn trace_;
  int removed_ = 0;
  int away_ = 0;
};

}  // namespace mvx
