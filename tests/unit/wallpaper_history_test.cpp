#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>
#include <vector>

#include "control/wallpaper_history.h"
#include "fakes/fake_files.h"

namespace mvx::testing {
namespace {

constexpr const char* kFolder = "C:\\Data";

class WallpaperHistoryTest : public ::testing::Test {
 protected:
  WallpaperHistoryTest() {
    files.AddDir(kFolder);
    Restart();
  }
  void Restart() {
    history = std::make_unique<WallpaperHistory>(files, [](const std::string&) {});
    history->Open(kFolder);
  }
  static std::string Path(char name) { return std::string("c:\\pics\\") + name + ".bmp"; }
  // One letter a picture; "ab" is a set of two monitors.
  static WallpaperHistory::Item Item(const std::string& names) {
    WallpaperHistory::Item item;
    for (char n : names) item.push_back(Path(n));
    return item;
  }
  static std::string Names(const std::optional<WallpaperHistory::Item>& item) {
    if (!item) return "-";
    std::string names;
    for (const std::string& p : *item) names += p[8];
    return names;
  }
  // Runs a script: "+ab" records a set, "<" steps back, ">" forward,
  // "!" restarts; each step's outcome ("-" for none) joined by spaces.
  std::string Run(const std::vector<std::string>& script) {
    const auto usable = [this](const std::string& p) { return unusable.count(p[8]) == 0; };
    std::string out;
    for (const std::string& step : script) {
      std::string result;
      if (step[0] == '+') {
        history->Record(Item(step.substr(1)));
        continue;
      }
      if (step == "!") {
        Restart();
        continue;
      }
      result = Names(step == "<" ? history->Back(usable) : history->Forward(usable));
      out += (out.empty() ? "" : " ") + result;
    }
    return out;
  }

  fakes::FakeFiles files;
  std::unique_ptr<WallpaperHistory> history;
  std::set<char> unusable;
};

TEST_F(WallpaperHistoryTest, StepsBackAndForthPassingOverWhatCannotBeShown) {
  struct Case {
    const char* name;
    std::vector<std::string> script;
    std::string unusable;
    std::string steps;
  } cases[] = {
      {"back and forth", {"+a", "+b", "+c", "<", "<", "<", ">", ">", ">"}, "", "b a - b c -"},
      {"vanished and disabled passed over", {"+a", "+b", "+c", "+d", "<", "<", ">"}, "bc", "a - d"},
      {"a set with one unusable picture", {"+ab", "+cd", "+ef", "<", "<"}, "d", "ab -"},
      {"a new change drops the steps ahead", {"+a", "+b", "+c", "<", "<", "+x", ">", "<", "<"}, "", "b a - a -"},
      {"the set shown again adds nothing", {"+a", "+b", "+b", "<", "<"}, "", "a -"},
      {"a restart keeps the place", {"+a", "+b", "+c", "<", "!", "<", ">", ">"}, "", "b a b c"},
      {"an empty history", {"<", ">"}, "", "- -"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    files.Delete(std::string(kFolder) + "\\" + WallpaperHistory::kFileName);
    Restart();
    unusable = std::set<char>(c.unusable.begin(), c.unusable.end());
    EXPECT_EQ(Run(c.script), c.steps);
  }
}

TEST_F(WallpaperHistoryTest, KeepsTheLastHundredOverARestart) {
  for (int i = 0; i < 105; ++i) history->Record({"c:\\pics\\" + std::to_string(i) + ".bmp"});
  Restart();
  ASSERT_EQ(history->Items().size(), WallpaperHistory::kLimit);
  EXPECT_EQ(history->Items().front(), WallpaperHistory::Item{"c:\\pics\\5.bmp"});
  EXPECT_EQ(history->Shown(), 99u);
  EXPECT_TRUE(history->HasBehind());
  EXPECT_FALSE(history->HasAhead());
}

TEST_F(WallpaperHistoryTest, MovedPicturesAreFollowedAndABadFileIsKeptAside) {
  history->Record(Item("ab"));
  history->Record(Item("c"));
  history->Follow({{Path('a'), "d:\\new\\a2.bmp"}, {Path('c'), "d:\\new\\c2.bmp"}});
  Restart();
  EXPECT_EQ(history->Items(),
            (std::vector<WallpaperHistory::Item>{{"d:\\new\\a2.bmp", Path('b')}, {"d:\\new\\c2.bmp"}}));

  const std::string path = std::string(kFolder) + "\\" + WallpaperHistory::kFileName;
  for (const char* bad : {"Murovex history\r\n5\r\nc:\\pics\\a.bmp\r\n", "Murovex history\r\nx\r\n",
                          "Murovex history\r\n0\r\nnot a path\r\n", "something else\r\n0\r\n"}) {
    SCOPED_TRACE(bad);
    for (const std::string& f : files.FilesIn(kFolder)) files.Delete(f);
    files.Put(path, bad);
    Restart();
    EXPECT_TRUE(history->Items().empty());
    EXPECT_EQ(files.Content(path + ".unreadable-1"), bad);
    history->Record(Item("z"));
    EXPECT_EQ(files.Content(path), "Murovex history\r\n0\r\nc:\\pics\\z.bmp\r\n");
  }
}

}  // namespace
}  // namespace mvx::testing
