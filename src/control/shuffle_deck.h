#pragma once
#include <cstddef>
#include <functional>
#include <optional>
#include <random>
#include <string>
#include <unordered_set>
#include <utility>
#include <vector>

#include "app/atomic_file.h"
#include "platform/file_port.h"

namespace mvx {

// The random slideshow's order: every listed picture is dealt once, in an
// order shuffled at the start of each round, before any is dealt again.
// Pictures are known by their keys (the lower-case full path). The order is
// kept in the data folder (kDeckName) and written only when it is shuffled
// or changed; the position, in a small file of its own (kPositionName), is
// written at each deal, so a restart goes on where the last run stopped.
class ShuffleDeck {
 public:
  // What the caller makes of the next card: show it, leave it on top for a
  // later deal (its drive is away, it does not fit the monitor), or drop it
  // from this round (no longer listed, disabled, kept out by the options).
  enum class Verdict { Take, PassOver, Drop };
  using Judge = std::function<Verdict(const std::string& key)>;
  // The keys of every listed picture, asked for when the deck must catch up
  // with the list or a new round is shuffled.
  using Listing = std::function<std::vector<std::string>()>;
  using TraceFn = std::function<void(const std::string&)>;

  ShuffleDeck(FilePort& files, std::mt19937& random, TraceFn trace)
      : files_(files), random_(random), trace_(std::move(trace)) {}

  // Reads the deck kept in folder, unless it is the folder already open.
  void Open(const std::string& folder);
  // The list changed (pictures added, removed, enabled): the next deal
  // first brings the deck in line with it.
  void ListChanged() { stale_ = true; }
  // The next card the judge takes. Cards dropped or taken leave the round;
  // cards passed over stay where they are. The picture dealt last is passed
  // over while any other can be taken, so a new round never starts with it.
  // When the round has nothing left to take a new one is shuffled, the cards
  // passed over staying on top. Nothing when no card can be taken.
  std::optional<std::string> Deal(const Judge& judge, const Listing& listing);
  // Entries that changed their key (moved, renamed) keep their place.
  void Follow(const std::vector<std::pair<std::string, std::string>>& moves);

  // For tests and measurement: the cards of the round in order, and how
  // many of them lead the order as dealt or dropped.
  const std::vector<std::string>& Order() const { return order_; }
  std::size_t Position() const { return position_; }

  static constexpr const char* kDeckName = "Murovex Deck.txt";
  static constexpr const char* kPositionName = "Murovex Deck Position.txt";

 private:
  // Every listed key not in the deck joins the rest of the round at a random place.
  void CatchUp(const std::vector<std::string>& keys);
  // The cards not yet out of this round stay on top of a new shuffle of the others.
  void NewRound(const std::vector<std::string>& keys);
  std::optional<std::string> Walk(const Judge& judge, bool allowLast);
  void TakeOut(std::size_t index);
  bool RoundUnder() const { return position_ > 0 || !outAhead_.empty(); }
  void Load();
  void SaveOrder();
  void SavePosition();
  std::string Path(const char* name) const { return folder_ + "\\" + name; }

  FilePort& files_;
  std::mt19937& random_;
  TraceFn trace_;
  std::string folder_;
  bool open_ = false;
  bool stale_ = true;
  // A deck file that could be neither read nor moved aside is never written over.
  bool saveBlocked_ = false;
  WrittenFile positionWritten_;
  // This round's cards; those before position_ are out of it, and so are
  // those in outAhead_ (taken or dropped while cards before them were
  // passed over).
  std::vector<std::string> order_;
  std::size_t position_ = 0;
  std::unordered_set<std::string> outAhead_;
  std::unordered_set<std::string> members_;
  std::string last_;
  // Names the order a position belongs to: a new one at each shuffle.
  std::string stamp_;
};

}  // namespace mvx
