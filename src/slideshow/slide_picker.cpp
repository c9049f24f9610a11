#include "slideshow/slide_picker.h"

namespace mvx {

namespace {

constexpr const char* kTracePrefix = "FrmMain.GetNextSlideInfo: ";

std::string CandidatePath(const InventoryEntry& entry) {
  return entry.LCLocation + "\\" + entry.LCFilename;
}

}  // namespace

std::optional<SlideChoice> SlidePicker::Pick(const SlideRules& rules) {
  const bool found = (rules.random && RandomPhase(rules)) || SequentialPhase(rules);
  if (!found) return std::nullopt;
  const InventoryEntry& entry = slides_.Fields();
  return SlideChoice{CandidatePath(entry), entry.Display, slides_.RecNo()};
}

bool SlidePicker::RandomPhase(const SlideRules& rules) {
  trace_(kTracePrefix + std::string("Random Search ") + std::to_string(slides_.RecordCount()) + " records");
  const std::string current = CurrentPath();
  int tries = kRandomTries;
  bool accepted = false;
  for (int attempt = 1; attempt <= kRandomTries && !accepted; ++attempt) {
    // Removals shrink the list as the tries go on.
    const int count = slides_.RecordCount();
    if (count <= 0) continue;
    std::uniform_int_distribution<int> draw(0, count - 1);
    slides_.SetRecNo(draw(random_) + 1);
    const std::string candidate = CandidatePath(slides_.Fields());
    if (Check() != Presence::Here) continue;
    // Never the picture the pick starts from.
    if (candidate == current || !Qualifies(slides_.Fields(), rules)) continue;
    accepted = true;
    tries = attempt;
  }
  trace_(kTracePrefix + std::to_string(tries) + " tries of " + std::to_string(kRandomTries));
  return accepted;
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

bool SlidePicker::Qualifies(const InventoryEntry& entry, const SlideRules& rules) const {
  if (!entry.Enabled) return false;
  if (rules.passesMode && !rules.passesMode(entry.Display)) return false;
  if (rules.accepts && !rules.accepts(entry)) return false;
  return !rules.limitSize || entry.Size <= rules.maxBytes;
}

// The record the position stands on: after a move past the end, still the last.
std::string SlidePicker::CurrentPath() const {
  if (slides_.IsEmpty()) return {};
  return CandidatePath(slides_.Fields());
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
