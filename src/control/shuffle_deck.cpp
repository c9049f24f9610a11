#include "control/shuffle_deck.h"

#include <algorithm>
#include <cstdint>
#include <unordered_map>

#include "app/atomic_file.h"
#include "control/state_file.h"

namespace mvx {

namespace {

constexpr std::string_view kDeckHeader = "Murovex deck ";
const std::string kTracePrefix = "ShuffleDeck: ";

std::string NewStamp(std::mt19937& random) {
  static const char kHex[] = "0123456789abcdef";
  std::string stamp;
  for (int part = 0; part < 2; ++part) {
    auto bits = static_cast<std::uint32_t>(random());
    for (int i = 0; i < 8; ++i, bits >>= 4) stamp += kHex[bits & 0xF];
  }
  return stamp;
}

// A key is a full path: a folder, "\" and a name.
bool PlausibleKey(const std::string& key) {
  const std::size_t slash = key.rfind('\\');
  return slash != std::string::npos && slash > 0 && slash + 1 < key.size();
}

}  // namespace

void ShuffleDeck::Open(const std::string& folder) {
  if (open_ && folder == folder_) return;
  folder_ = folder;
  open_ = true;
  order_.clear();
  members_.clear();
  outAhead_.clear();
  position_ = 0;
  last_.clear();
  stamp_.clear();
  stale_ = true;
  saveBlocked_ = false;
  positionWritten_ = {};
  if (!folder_.empty()) Load();
}

void ShuffleDeck::Load() {
  const std::string deckPath = Path(kDeckName);
  const StateFileRead deck = ReadStateFile(files_, deckPath);
  if (!deck.exists) return;
  if (!deck.status) {
    // Kept as it is; this run deals from a deck of its own and leaves the file alone.
    trace_(kTracePrefix + deck.status.Describe());
    saveBlocked_ = true;
    return;
  }
  bool sound = !deck.lines.empty() && deck.lines[0].size() > kDeckHeader.size() &&
               deck.lines[0].compare(0, kDeckHeader.size(), kDeckHeader) == 0;
  for (std::size_t i = 1; sound && i < deck.lines.size(); ++i) {
    sound = PlausibleKey(deck.lines[i]) && members_.insert(deck.lines[i]).second;
    if (sound) order_.push_back(deck.lines[i]);
  }
  if (!sound) {
    order_.clear();
    members_.clear();
    const std::optional<std::string> aside = KeepAside(files_, deckPath);
    trace_(kTracePrefix + "unreadable " + deckPath + (aside ? ", kept as " + *aside : ", left in place"));
    saveBlocked_ = !aside;
    return;
  }
  stamp_ = deck.lines[0].substr(kDeckHeader.size());

  // A position of another order (a crash between the two writes) starts the round over.
  const StateFileRead place = ReadStateFile(files_, Path(kPositionName));
  if (!place.exists || !place.status || place.lines.size() < 3 || place.lines[0] != stamp_) return;
  const std::optional<std::size_t> position = ParseCount(place.lines[1]);
  if (!position || *position > order_.size()) return;
  position_ = *position;
  last_ = place.lines[2];
  for (std::size_t i = 3; i < place.lines.size(); ++i) {
    if (members_.count(place.lines[i]) != 0) outAhead_.insert(place.lines[i]);
  }
  while (position_ < order_.size() && outAhead_.erase(order_[position_]) != 0) ++position_;
}

std::optional<std::string> ShuffleDeck::Deal(const Judge& judge, const Listing& listing) {
  if (stale_) {
    stale_ = false;
    CatchUp(listing());
  }
  std::optional<std::string> dealt = Walk(judge, false);
  if (!dealt && RoundUnder()) {
    NewRound(listing());
    dealt = Walk(judge, false);
  }
  // The picture shown last is the only one left to show.
  if (!dealt) dealt = Walk(judge, true);
  if (dealt) last_ = *dealt;
  SavePosition();
  return dealt;
}

std::optional<std::string> ShuffleDeck::Walk(const Judge& judge, bool allowLast) {
  for (std::size_t i = position_; i < order_.size(); ++i) {
    if (outAhead_.count(order_[i]) != 0) continue;
    if (!allowLast && order_[i] == last_) continue;
    const std::string key = order_[i];
    const Verdict verdict = judge(key);
    if (verdict == Verdict::PassOver) continue;
    TakeOut(i);
    if (verdict == Verdict::Take) return key;
  }
  return std::nullopt;
}

void ShuffleDeck::TakeOut(std::size_t index) {
  if (index != position_) {
    outAhead_.insert(order_[index]);
    return;
  }
  ++position_;
  while (position_ < order_.size() && outAhead_.erase(order_[position_]) != 0) ++position_;
}

void ShuffleDeck::CatchUp(const std::vector<std::string>& keys) {
  std::vector<std::string> fresh;
  for (const std::string& key : keys) {
    if (members_.insert(key).second) fresh.push_back(key);
  }
  if (fresh.empty()) return;
  std::shuffle(fresh.begin(), fresh.end(), random_);
  const std::size_t rest = order_.size() - position_;
  std::uniform_int_distribution<std::size_t> slot(0, rest);
  std::vector<std::size_t> slots(fresh.size());
  for (std::size_t& s : slots) s = slot(random_);
  std::sort(slots.begin(), slots.end());
  std::vector<std::string> merged;
  merged.reserve(order_.size() + fresh.size());
  for (std::size_t i = 0; i < position_; ++i) merged.push_back(std::move(order_[i]));
  std::size_t next = 0;
  for (std::size_t u = 0; u <= rest; ++u) {
    while (next < fresh.size() && slots[next] == u) merged.push_back(std::move(fresh[next++]));
    if (u < rest) merged.push_back(std::move(order_[position_ + u]));
  }
  order_ = std::move(merged);
  SaveOrder();
}

void ShuffleDeck::NewRound(const std::vector<std::string>& keys) {
  const std::unordered_set<std::string> listed(keys.begin(), keys.end());
  std::vector<std::string> next;
  std::unordered_set<std::string> members;
  for (std::size_t i = position_; i < order_.size(); ++i) {
    const std::string& key = order_[i];
    if (outAhead_.count(key) == 0 && listed.count(key) != 0 && members.insert(key).second) next.push_back(key);
  }
  const std::size_t carried = next.size();
  for (const std::string& key : keys) {
    if (members.insert(key).second) next.push_back(key);
  }
  std::shuffle(next.begin() + static_cast<std::ptrdiff_t>(carried), next.end(), random_);
  order_ = std::move(next);
  members_ = std::move(members);
  position_ = 0;
  outAhead_.clear();
  stamp_ = NewStamp(random_);
  trace_(kTracePrefix + "new round of " + std::to_string(order_.size()));
  SaveOrder();
}

void ShuffleDeck::Follow(const std::vector<std::pair<std::string, std::string>>& moves) {
  std::unordered_map<std::string, std::string> renamed;
  for (const auto& [from, to] : moves) {
    // An entry that took over another's key leaves its own to be dropped.
    if (from != to && members_.count(from) != 0 && members_.count(to) == 0) renamed.emplace(from, to);
  }
  if (renamed.empty()) return;
  for (std::string& key : order_) {
    const auto it = renamed.find(key);
    if (it == renamed.end()) continue;
    members_.erase(key);
    if (outAhead_.erase(key) != 0) outAhead_.insert(it->second);
    key = it->second;
    members_.insert(key);
  }
  if (const auto it = renamed.find(last_); it != renamed.end()) last_ = it->second;
  SaveOrder();
  SavePosition();
}

void ShuffleDeck::SaveOrder() {
  if (folder_.empty() || saveBlocked_) return;
  if (stamp_.empty()) stamp_ = NewStamp(random_);
  std::string text;
  std::size_t size = kDeckHeader.size() + stamp_.size() + 2;
  for (const std::string& key : order_) size += key.size() + 2;
  text.reserve(size);
  text.append(kDeckHeader).append(stamp_).append("\r\n");
  for (const std::string& key : order_) text.append(key).append("\r\n");
  if (const Status s = WriteFileAtomically(files_, Path(kDeckName), text); !s) trace_(kTracePrefix + s.Describe());
}

void ShuffleDeck::SavePosition() {
  if (folder_.empty() || saveBlocked_ || stamp_.empty()) return;
  std::vector<std::string> lines{stamp_, std::to_string(position_), last_};
  lines.insert(lines.end(), outAhead_.begin(), outAhead_.end());
  const Status s = WriteFileAtomically(files_, Path(kPositionName), JoinLines(lines), positionWritten_);
  if (!s) trace_(kTracePrefix + s.Describe());
}

}  // namespace mvx
