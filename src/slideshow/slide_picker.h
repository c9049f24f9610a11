#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>
#include <string>

#include "app/volumes.h"
#include "control/shuffle_deck.h"
#include "inventory/dataset.h"

namespace mvx {

// What a slide must be to be chosen, read from the options for one pick.
struct SlideRules {
  bool random = true;
  bool limitSize = false;
  std::int64_t maxBytes = 0;
  std::function<bool(DisplayMode mode)> passesMode;
  // A further test of the caller's (pictures already on another monitor, a
  // picture turned the other way): one it refuses stays on the deck's top.
  std::function<bool(const InventoryEntry& entry)> accepts;
};

struct SlideChoice {
  std::string path;  // lower case, folder + "\" + name
  DisplayMode mode = DisplayMode::Tile;
  int recNo = 0;  // the slideshow's position on the chosen entry
};

// Moves the slideshow's position to the next picture to show: in random
// order the next the shuffled deck deals, in index order the next entry
// after the position, wrapping once. Entries whose file has gone are removed
// through the master data set as they are met; entries whose drive is away
// are passed over.
class SlidePicker {
 public:
  using TraceFn = std::function<void(const std::string&)>;

  SlidePicker(TClientDataSet& slides, TClientDataSet& master, FilePort& files, VolumeCheck& volumes, TraceFn trace)
      : slides_(slides), master_(master), files_(files), volumes_(volumes), trace_(std::move(trace)) {}

  // The chosen entry, with the position left on it; nothing when no entry
  // qualifies. Random order deals from deck.
  std::optional<SlideChoice> Pick(const SlideRules& rules, ShuffleDeck& deck);
  // The pick removed entries whose files are gone.
  bool RemovedAny() const { return removed_ > 0; }
  // The pick passed over entries whose drive or share is away: they stay.
  bool PassedOverAway() const { return away_ > 0; }

  // The keys of every listed entry, which the deck holds.
  std::vector<std::string> ListedKeys() const;

 private:
  bool DealPhase(const SlideRules& rules, ShuffleDeck& deck);
  bool SequentialPhase(const SlideRules& rules);
  // The options let the entry be shown (enabled, mode, size).
  bool Eligible(const InventoryEntry& entry, const SlideRules& rules) const;
  bool Qualifies(const InventoryEntry& entry, const SlideRules& rules) const;
  void RemoveCurrent();
  // The candidate's file is there; a file whose volume is there but not the
  // file loses its entry (the position then stands on the next entry).
  enum class Presence { Here, Removed, Away };
  Presence Check();

  TClientDataSet& slides_;
  TClientDataSet& master_;
  FilePort& files_;
  VolumeCheck& volumes_;
  TraceFn trace_;
  int removed_ = 0;
  int away_ = 0;
};

}  // namespace mvx
