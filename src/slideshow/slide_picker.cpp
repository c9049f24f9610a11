#include "slideshow/slide_picker.h"

namespace mvx {

namespace {

constexpr const char* kTracePrefix = "FrmMain.GetNextSlideInfo: ";

std::string CandidatePath(const InventoryEntry& entry) {
  return entry.LCLocation + "\\" + entry.LCFilename;
}

}  // namespace

std::optional<SlideChoice> SlidePicker::Pick(const SlideRules& rules, ShuffleDeck& deck) {
  const bool found = rules.random ? DealPhase(rules, deck) : SequentialPhase(rules);
  if (!found) return std::nullopt;
  const InventoryEntry& entry = slides_.Fields();
  return SlideChoice{CandidatePath(entry), entry.Display, slides_.RecNo()};
}

bool SlidePicker::DealPhase(const SlideRules& rules, ShuffleDeck& deck) {
  trace_(kTracePrefix + std::string("Deal of ") + std::to_string(slides_.RecordCount()) + " records");
  using Verdict = ShuffleDeck::Verdict;
  const auto judge = [&](const std::string& key) {
    const std::size_t slash = key.rfind('\\');
    if (!slides_.FindKey(key.substr(slash + 1), key.substr(0, slash))) return Verdict::Drop;
    switch (Check()) {
      case Presence::Removed:
        return Verdict::Drop;
      case Presence::Away:
        return Verdict::PassOver;
      case Presence::Here:
        break;
    }
    if (!Eligible(slides_.Fields(), rules)) return Verdict::Drop;
    return !rules.accepts || rules.accepts(slides_.Fields()) ? Verdict::Take : Verdict::PassOver;
  };
  const std::optional<std::string> dealt = deck.Deal(judge, [this] { return ListedKeys(); });
  // The position stands on the entry dealt (FindKey put it there).
  return dealt.has_value();
}

std::vector<std::string> SlidePicker::ListedKeys() const {
  std::vector<std::string> keys;
  const int count = master_.RecordCount();
  keys.reserve(static_cast<std::size_t>(count));
  for (int recNo = 1; recNo <= count; ++recNo) keys.push_back(CandidatePath(master_.RecordAt(recNo)));
  return keys;
}

bool SlidePicker::SequentialPhase(const SlideRules& rules) {
  trace_(kTracePrefix + std::string("Sequential Search"));
  bool wrapped = false;
  bool stay = false;
  for (;;) {
    if (!stay) slides_.Next();
    stay = false;
    if (slides_.Eof()) {
      if (wrapped) return false;
      // One round only: back to the first entry, which the next pass examines
      // where it stands.
      wrapped = true;
      slides_.First();
      stay = true;
      continue;
    }
    const Presence presence = Check();
    if (presence == Presence::Away) continue;
    if (presence == Presence::Removed) {
      stay = true;
      continue;
    }
    if (Qualifies(slides_.Fields(), rules)) return true;
  }
}

bool SlidePicker::Eligible(const InventoryEntry& entry, const SlideRules& rules) const {
  if (!entry.Enabled) return false;
  if (rules.passesMode && !rules.passesMode(entry.Display)) return false;
  return !rules.limitSize || entry.Size <= rules.maxBytes;
}

bool SlidePicker::Qualifies(const InventoryEntry& entry, const SlideRules& rules) const {
  return Eligible(entry, rules) && (!rules.accepts || rules.accepts(entry));
}

SlidePicker::Presence SlidePicker::Check() {
  const std::string path = CandidatePath(slides_.Fields());
  if (files_.FileExists(path)) return Presence::Here;
  if (volumes_.Reachable(path)) {
    RemoveCurrent();
    ++removed_;
    return Presence::Removed;
  }
  ++away_;
  return Presence::Away;
}

void SlidePicker::RemoveCurrent() {
  // A pending edit of the master moves records when it is posted; post it
  // first so the record number names the entry to remove.
  if (master_.State() == DataSetState::Edit || master_.State() == DataSetState::Insert) master_.Post();
  const int recNo = slides_.RecNo();
  master_.SetRecNo(recNo);
  master_.Delete();
  // Stand on the entry that followed the removed one (or past the end), so
  // the search goes on with it whatever the engine did with this position.
  if (recNo <= slides_.RecordCount()) {
    slides_.SetRecNo(recNo);
  } else {
    slides_.Last();
    slides_.Next();
  }
}

}  // namespace mvx
