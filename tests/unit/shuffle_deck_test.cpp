#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "control/shuffle_deck.h"
#include "fakes/fake_files.h"

namespace mvx::testing {
namespace {

using Verdict = ShuffleDeck::Verdict;

constexpr const char* kFolder = "C:\\Data";

// A list of pictures as the slideshow sees it, and a deck over the fake
// file system that a test can reopen as a restart does.
class ShuffleDeckTest : public ::testing::Test {
 protected:
  ShuffleDeckTest() {
    files.AddDir(kFolder);
    files.onFileArrived = [this](const std::string& path) { ++arrivals[path]; };
    Restart();
  }
  void Restart() {
    random.seed(static_cast<std::uint32_t>(++runs * 7919));
    deck = std::make_unique<ShuffleDeck>(files, random, [](const std::string&) {});
    deck->Open(kFolder);
  }
  void List(int count, const std::string& prefix = "p") {
    for (int i = 0; i < count; ++i) Add(prefix + std::to_string(i));
  }
  void Add(const std::string& name) {
    listed.push_back(Key(name));
    deck->ListChanged();
  }
  void Remove(const std::string& name) {
    listed.erase(std::find(listed.begin(), listed.end(), Key(name)));
    deck->ListChanged();
  }
  static std::string Key(const std::string& name) { return "c:\\pics\\" + name + ".bmp"; }
  static std::string Name(const std::string& key) { return key.substr(8, key.size() - 12); }
  std::string Deal() {
    const auto judge = [this](const std::string& key) {
      if (std::find(listed.begin(), listed.end(), key) == listed.end() || disabled.count(key) != 0) {
        return Verdict::Drop;
      }
      return away.count(key) != 0 ? Verdict::PassOver : Verdict::Take;
    };
    const std::optional<std::string> key = deck->Deal(judge, [this] { return listed; });
    return key ? Name(*key) : "<none>";
  }
  std::vector<std::string> DealMany(std::size_t n) {
    std::vector<std::string> out;
    for (std::size_t i = 0; i < n; ++i) out.push_back(Deal());
    return out;
  }
  std::string DeckPath() const { return std::string(kFolder) + "\\" + ShuffleDeck::kDeckName; }
  std::string PositionPath() const { return std::string(kFolder) + "\\" + ShuffleDeck::kPositionName; }

  fakes::FakeFiles files;
  std::mt19937 random;
  int runs = 0;
  std::unique_ptr<ShuffleDeck> deck;
  std::vector<std::string> listed;
  std::set<std::string> disabled, away;
  std::map<std::string, int> arrivals;
};

// In k rounds of N deals every picture comes exactly once a round, also
// across restarts, and a new round never begins with the picture just shown.
TEST_F(ShuffleDeckTest, EveryPictureComesOnceARoundAndANewRoundNeverStartsWithTheLast) {
  struct Case {
    int pictures, rounds;
    bool restartEachDeal;
  } cases[] = {{6, 5, false}, {5, 4, true}, {2, 6, true}, {1, 3, false}, {40, 3, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.pictures) + " pictures, restarts " + std::to_string(c.restartEachDeal));
    files.Delete(DeckPath());
    files.Delete(PositionPath());
    listed.clear();
    Restart();
    List(c.pictures);
    std::string last;
    for (int round = 0; round < c.rounds; ++round) {
      std::set<std::string> seen;
      for (int i = 0; i < c.pictures; ++i) {
        const std::string dealt = Deal();
        if (i == 0 && c.pictures > 1) {
          EXPECT_NE(dealt, last) << "round " << round;
        }
        EXPECT_TRUE(seen.insert(dealt).second) << dealt << " twice in round " << round;
        last = dealt;
        if (c.restartEachDeal) Restart();
      }
      EXPECT_EQ(seen.size(), static_cast<std::size_t>(c.pictures));
    }
  }
}

// A picture added joins the rest of the round; one removed or disabled
// leaves it; the next round holds the list as it is then.
TEST_F(ShuffleDeckTest, AddedPicturesJoinTheRoundAndRemovedOrDisabledOnesLeaveIt) {
  List(6);
  std::vector<std::string> first = DealMany(2);
  const std::vector<std::string> order = deck->Order();
  const std::string removed = Name(order[3]), disabledOne = Name(order[4]);
  Remove(removed);
  disabled.insert(Key(disabledOne));
  Add("new1");
  Restart();
  Add("new2");
  std::vector<std::string> rest = DealMany(4);
  std::set<std::string> round(first.begin(), first.end());
  round.insert(rest.begin(), rest.end());
  std::set<std::string> expected;
  for (int i = 0; i < 6; ++i) expected.insert("p" + std::to_string(i));
  expected.erase(removed);
  expected.erase(disabledOne);
  expected.insert({"new1", "new2"});
  EXPECT_EQ(round, expected);
  EXPECT_EQ(round.size(), 6u) << "each once";

  disabled.clear();
  const std::vector<std::string> next = DealMany(7);
  EXPECT_EQ(std::set<std::string>(next.begin(), next.end()).size(), 7u) << "the enabled one is back, the removed not";
  EXPECT_EQ(std::count(next.begin(), next.end(), removed), 0);
}

// A moved or renamed picture keeps its place in the order, over a restart.
TEST_F(ShuffleDeckTest, AMovedPictureKeepsItsPlace) {
  List(5);
  Deal();
  const std::string third = deck->Order()[deck->Position() + 1];
  Remove(Name(third));
  Add("moved");
  deck->Follow({{third, Key("moved")}});
  Restart();
  Deal();
  EXPECT_EQ(Deal(), "moved");
  EXPECT_EQ(deck->Order().size(), 5u);
}

// A picture passed over (its drive away, the wrong orientation) stays on
// top and comes at the next deal that can take it.
TEST_F(ShuffleDeckTest, APicturePassedOverStaysOnTop) {
  List(4);
  const std::string first = Deal();
  const std::string next = Name(deck->Order()[deck->Position()]);
  away.insert(Key(next));
  const std::string instead = Deal();
  EXPECT_NE(instead, next);
  away.clear();
  Restart();
  EXPECT_EQ(Deal(), next) << "still on top after a restart";
  const std::string last = Deal();
  EXPECT_EQ((std::set<std::string>{first, instead, next, last}).size(), 4u) << "each once";
}

// The order is written when it is shuffled or changed; a deal writes the
// small position file only.
TEST_F(ShuffleDeckTest, ADealWritesThePositionAndNotTheOrder) {
  List(10);
  Deal();
  ASSERT_EQ(arrivals[DeckPath()], 1);
  DealMany(9);
  EXPECT_EQ(arrivals[DeckPath()], 1);
  EXPECT_EQ(arrivals[PositionPath()], 10);
  Add("late");
  Deal();
  EXPECT_EQ(arrivals[DeckPath()], 2) << "a picture added";
  Deal();
  EXPECT_EQ(arrivals[DeckPath()], 3) << "the new round";
}

// A deck file the program cannot use is kept aside, never written over; a
// position of another order starts the round over.
TEST_F(ShuffleDeckTest, AnUnusableFileIsKeptAsideAndAStalePositionIgnored) {
  struct Case {
    const char* deck;
    const char* position;
    bool keptAside;
    std::size_t position0;
  } cases[] = {{"not a deck\r\nc:\\pics\\p0.bmp\r\n", "", true, 0},
               {"Murovex deck ab\r\nno key here\r\n", "", true, 0},
               {"Murovex deck ab\r\nc:\\pics\\p0.bmp\r\nc:\\pics\\p0.bmp\r\n", "", true, 0},
               {"Murovex deck ab\r\nc:\\pics\\p0.bmp\r\nc:\\pics\\p1.bmp\r\n", "cd\r\n1\r\n\r\n", false, 0},
               {"Murovex deck ab\r\nc:\\pics\\p0.bmp\r\nc:\\pics\\p1.bmp\r\n", "ab\r\n9\r\n\r\n", false, 0},
               {"Murovex deck ab\r\nc:\\pics\\p0.bmp\r\nc:\\pics\\p1.bmp\r\n", "ab\r\n1\r\nc:\\pics\\p0.bmp\r\n", false,
                1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.deck + std::string(" / ") + c.position);
    for (const std::string& f : files.FilesIn(kFolder)) files.Delete(f);
    files.Put(DeckPath(), c.deck);
    if (*c.position != '\0') files.Put(PositionPath(), c.position);
    Restart();
    EXPECT_EQ(files.FileExists(DeckPath() + ".unreadable-1"), c.keptAside);
    if (c.keptAside) {
      EXPECT_EQ(files.Content(DeckPath() + ".unreadable-1"), c.deck);
    }
    EXPECT_EQ(deck->Position(), c.position0);
  }
}

}  // namespace
}  // namespace mvx::testing
