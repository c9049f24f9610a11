#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "forms/form.h"
#include "forms/toolbar.h"
#include "unit/slide_fixture.h"

namespace mvx {
namespace {

class BarForm : public TForm {
 public:
  BarForm() : TForm("BarForm") {}
  TToolBar& bar = Make<TToolBar>(nullptr, "bar");
};

// Counts what the model tells a view about the bar.
class ChangeCounter : public FormObserver {
 public:
  void ControlChanged(TControl&, ControlProp prop) override { changes += prop == ControlProp::Items ? 1 : 0; }
  void FormChanged(TForm&) override {}
  void FocusChanged(TForm&, TControl*) override {}
  void BringToForeground(TForm&) override {}
  int changes = 0;
};

// Builds a bar from a pattern: 'b' a button, 'h' a hidden button, '|' a
// separator, ':' a hidden separator; returns the bar as the user sees it.
std::string Shown(const std::string& pattern) {
  BarForm f;
  for (char c : pattern) {
    TToolButton& b = (c == '|' || c == ':') ? f.bar.AddSeparator() : f.bar.AddButton("b");
    b.SetVisible(c == 'b' || c == '|');
  }
  std::string shown;
  for (const auto& b : f.bar.Buttons()) {
    if (f.bar.Shows(*b)) shown += b->IsSeparator() ? '|' : 'b';
  }
  return shown;
}

TEST(ToolBarModel, ASeparatorShowsOnlyBetweenTwoGroupsThatEachShowAButton) {
  const std::pair<const char*, const char*> cases[] = {
      {"b|b", "b|b"}, {"|b|", "b"},       {"b||b", "b|b"}, {"b|h|b", "b|b"}, {"bh|hh|hb|", "b|b"},
      {"b|h", "b"},   {"h|b", "b"},       {"b:b", "bb"},   {"b:|b", "b|b"},  {"bbb|b|hh|h|hhhh|", "bbb|b"},
      {"hhh|h", ""},  {"b|b|b", "b|b|b"},
  };
  for (const auto& [pattern, expected] : cases) EXPECT_EQ(Shown(pattern), expected) << pattern;
}

TEST(ToolBarModel, AButtonRunsItsClickOnlyWhileTheUserCouldPressIt) {
  BarForm f;
  TToolButton& button = f.bar.AddButton("tbnGo");
  TToolButton& separator = f.bar.AddSeparator();
  std::vector<TObject*> senders;
  button.OnClick = [&](TObject* sender) { senders.push_back(sender); };
  separator.OnClick = [&](TObject* sender) { senders.push_back(sender); };
  button.Click();
  button.SetEnabled(false);
  button.Click();
  button.SetEnabled(true);
  button.SetVisible(false);
  button.Click();
  separator.Click();
  EXPECT_EQ(senders, (std::vector<TObject*>{&button}));
  EXPECT_EQ(f.bar.Find("tbnGo"), &button);
  EXPECT_EQ(f.bar.Find(""), nullptr) << "separators are no buttons to find";
}

TEST(ToolBarModel, TheViewHearsOfEachRealChangeAndTooltipsFollowTheHintSwitch) {
  BarForm f;
  TToolButton& button = f.bar.AddButton("tbnGo");
  ChangeCounter view;
  f.AddObserver(&view);
  button.SetHint("Go there");
  button.SetHint("Go there");
  button.SetImageIndex(3);
  button.SetEnabled(false);
  button.SetVisible(false);
  f.bar.SetShowHint(false);
  f.bar.SetShowHint(false);
  EXPECT_EQ(view.changes, 5);
  EXPECT_EQ(f.bar.TooltipText(button), "");
  f.bar.SetShowHint(true);
  EXPECT_EQ(f.bar.TooltipText(button), "Go there");
  f.RemoveObserver(&view);
}

}  // namespace

namespace testing {
namespace {

class MainToolbarTest : public SlideFixture {};

TEST_F(MainToolbarTest, TheBarShowsItsFourGroupsWithTheirTooltips) {
  std::vector<std::pair<std::string, std::string>> shown;
  for (const auto& b : main->tbrMainToolbar.Buttons()) {
    if (!main->tbrMainToolbar.Shows(*b)) continue;
    shown.emplace_back(b->IsSeparator() ? "|" : b->Name(), main->tbrMainToolbar.TooltipText(*b));
  }
  EXPECT_EQ(shown, (std::vector<std::pair<std::string, std::string>>{
                       {"tbnFindInList", "Find current wallpaper in list"},
                       {"tbnSetWallpaper", "Set wallpaper to currently selected"},
                       {"tbnNone", "Set wallpaper to (none)"},
                       {"|", ""},
                       {"tbnAddFiles", "Add files to list"},
                       {"tbnMove", "Move or rename file on disk"},
                       {"tbnRemove", "Remove picture from list"},
                       {"|", ""},
                       {"tbnDelete", "Delete file from disk"},
                       {"|", ""},
                       {"tbnFirst", "First in list"},
                       {"tbnPrev", "Previous in list"},
                       {"tbnNext", "Next in list"},
                       {"tbnLast", "Last in list"}}));
}

TEST_F(MainToolbarTest, EachShownButtonRunsItsCommand) {
  Add({"A.bmp", "Cloud.bmp", "Taken.bmp"});
  fakes.registry.Put("HKCU\\Control Panel\\Desktop", "WALLPAPER", RegValue{kRegSz, "C:\\Pics\\TAKEN.bmp"});
  ViewOn("A.bmp");
  main->tbnFindInList.Click();
  EXPECT_EQ(main->cdtInventory.Fields().LCFilename, "taken.bmp") << "Sync finds the wallpaper on screen";

  ViewOn("Cloud.bmp");
  main->tbnSetWallpaper.Click();
  EXPECT_EQ(WallpapersSet(), (std::vector<std::string>{Pics("cloud.bmp")}));
  EXPECT_EQ(main->cdtSlideShow.Fields().LCFilename, "cloud.bmp") << "Set moves the slideshow along";

  main->tbnNone.Click();
  EXPECT_EQ(WallpapersSet().back(), "");
  EXPECT_FALSE(main->chkAutoChange.Checked()) << "no wallpaper ends the slideshow";

  main->tbnAddFiles.Click();
  EXPECT_EQ(fakes.dialogs.requests.size(), 1u) << "Add asks for the files to add";
}

TEST_F(MainToolbarTest, TooltipsFollowTheHintOptionAsSetAndAsLoaded) {
  main->chkToolbarHints.SetChecked(false);
  EXPECT_FALSE(main->tbrMainToolbar.ShowHint());
  main->chkToolbarHints.Click();
  EXPECT_TRUE(main->tbrMainToolbar.ShowHint());

  fakes.files.Put(IniPath(), "[Slideshow]\r\nChangeOnStartup=0\r\n[General]\r\nToolbarHints=0\r\n");
  Build();
  EXPECT_FALSE(main->tbrMainToolbar.ShowHint());
}

}  // namespace
}  // namespace testing
}  // namespace mvx
