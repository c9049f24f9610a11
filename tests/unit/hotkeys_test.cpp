#include <gtest/gtest.h>

#include "control/hotkey_map.h"
#include "control/hotkey_text.h"
#include "unit/main_fixture.h"

namespace mvx::testing {
namespace {

constexpr std::uint16_t kRight = 0x27;
constexpr std::uint16_t kLeft = 0x25;
constexpr TShiftState kCtrlAltShift{true, true, true};
constexpr TShiftState kShiftOnly{true, false, false};
constexpr TShiftState kCtrlShift{true, true, false};

TEST(KeyComboText, ReadsBackWhatItWritesAndRefusesAnythingElse) {
  struct Case {
    std::string text;
    std::optional<KeyCombo> combo;
    std::string written;  // how it is written back
  };
  const Case cases[] = {
      {"Ctrl+Alt+Shift+Right", KeyCombo{kRight, kCtrlAltShift}, "Ctrl+Alt+Shift+Right"},
      {"shift+ctrl+left", KeyCombo{kLeft, kCtrlShift}, "Ctrl+Shift+Left"},
      {"Alt+P", KeyCombo{'P', kAltOnly}, "Alt+P"},
      {"Ctrl+F12", KeyCombo{0x7B, kCtrlOnly}, "Ctrl+F12"},
      {"Ctrl+Num7", KeyCombo{0x67, kCtrlOnly}, "Ctrl+Num7"},
      {"Alt+=", KeyCombo{0xBB, kAltOnly}, "Alt+="},
      {"Shift+9", KeyCombo{'9', kShiftOnly}, "Shift+9"},
      {"PageDown", KeyCombo{0x22, kNoShift}, "PageDown"},
      {"", KeyCombo{}, ""},
      {"Ctrl+Ctrl+P", std::nullopt, ""},
      {"Ctrl+Alt", std::nullopt, ""},
      {"Ctrl+", std::nullopt, ""},
      {"+P", std::nullopt, ""},
      {"Ctrl + P", std::nullopt, ""},
      {"Win+P", std::nullopt, ""},
      {"Ctrl+F25", std::nullopt, ""},
      {"Ctrl+PP", std::nullopt, ""},
      {"P+Ctrl", std::nullopt, ""},
      {"Ctrl+Alt+Shift+Right ", std::nullopt, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    const std::optional<KeyCombo> read = ParseKeyCombo(c.text);
    ASSERT_EQ(read.has_value(), c.combo.has_value());
    if (!read) continue;
    EXPECT_EQ(*read, *c.combo);
    EXPECT_EQ(FormatKeyCombo(*read), c.written);
  }
  // Every key the program names comes back from its name, with every modifier.
  for (std::uint16_t key = 1; key < 0x100; ++key) {
    if (KeyName(key).empty()) continue;
    const KeyCombo combo{key, kCtrlAltShift};
    EXPECT_EQ(ParseKeyCombo(FormatKeyCombo(combo)), combo) << FormatKeyCombo(combo);
  }
}

TEST(HotkeyRule, EachActionGetsItsKeyUnlessAnotherHasItOrItNeedsCtrlOrAlt) {
  const KeyCombo a{'A', kCtrlAltShift}, b{'B', kAltOnly}, typing{'C', kShiftOnly}, f9{0x78, kNoShift};
  struct Case {
    const char* name;
    KeySet keys;
    std::vector<KeyCombo> heldElsewhere;
    KeyOutcomes expected;
    std::vector<std::size_t> offered;
  };
  const KeyOutcome active{KeyState::Active}, none{KeyState::None}, taken{KeyState::Taken},
      needs{KeyState::NeedsCtrlOrAlt};
  const Case cases[] = {
      {"all free", {a, b, KeyCombo{}, KeyCombo{'D', kCtrlOnly}}, {}, {active, active, none, active}, {0, 1, 3}},
      {"held elsewhere", {a, b, KeyCombo{}, KeyCombo{}}, {b}, {active, taken, none, none}, {0, 1}},
      {"same as an earlier action",
       {a, b, a, b},
       {},
       {active, active, KeyOutcome{KeyState::Repeated, HotkeyAction::Next},
        KeyOutcome{KeyState::Repeated, HotkeyAction::Previous}},
       {0, 1}},
      {"taken and repeated", {b, b, KeyCombo{}, KeyCombo{}}, {b}, {taken, {KeyState::Repeated}, none, none}, {0}},
      {"without ctrl or alt", {typing, f9, a, KeyCombo{}}, {}, {needs, needs, active, none}, {2}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<std::size_t> offered;
    const KeyOutcomes outcomes = SettleKeys(c.keys, [&](std::size_t i, const KeyCombo& combo) {
      offered.push_back(i);
      EXPECT_EQ(combo, c.keys[i]);
      return std::find(c.heldElsewhere.begin(), c.heldElsewhere.end(), combo) == c.heldElsewhere.end();
    });
    EXPECT_EQ(outcomes, c.expected);
    EXPECT_EQ(offered, c.offered);
  }
}

// The Keys page over the fakes: a window whose handle the keys belong to.
class KeysPageTest : public MainFixture {
 protected:
  static constexpr std::uintptr_t kWindow = 0x5150;
  // A quiet start: not the first (which has its message), no shortcut, no change.
  void Start() {
    fakes.profile.WriteString(IniPath(), "General", "StartWithWindows", "0");
    fakes.profile.WriteString(IniPath(), "Slideshow", "ChangeOnStartup", "0");
    Build(false);
    main->Handle = kWindow;
    main->FormCreate();
  }
  KeysPage& Keys() { return main->remote.keys; }
  // The id the fake gave to the combination, -1 when it is not held.
  int IdOf(std::uint32_t modifiers, std::uint32_t key) {
    for (const auto& h : fakes.hotkeys.held) {
      if (h.window == kWindow && h.modifiers == modifiers && h.key == key) return h.id;
    }
    return -1;
  }
};

TEST_F(KeysPageTest, StartRegistersTheStoredKeysAndNotesWhatFailsWithoutAWord) {
  fakes.profile.WriteString(IniPath(), "Keys", "Next", "Ctrl+Alt+N");
  fakes.profile.WriteString(IniPath(), "Keys", "Previous", "Ctrl+Alt+Bogus");  // unreadable: the default
  fakes.profile.WriteString(IniPath(), "Keys", "PauseResume", "");             // cleared
  fakes.profile.WriteString(IniPath(), "Keys", "Disable", "Alt+D");
  fakes.hotkeys.heldElsewhere.insert({kModAlt, 'D'});
  Start();

  EXPECT_EQ(IdOf(kModControl | kModAlt, 'N'), 1);
  EXPECT_EQ(IdOf(kModControl | kModAlt | kModShift, kLeft), 2);
  EXPECT_EQ(fakes.hotkeys.held.size(), 2u);
  EXPECT_TRUE(fakes.hotkeys.lastNoRepeat);
  EXPECT_EQ(Keys().RowOf(HotkeyAction::PauseResume).field.Combo(), KeyCombo{});
  EXPECT_EQ(Keys().RowOf(HotkeyAction::Disable).note.Caption(), "Another program holds this key.");
  EXPECT_EQ(Keys().RowOf(HotkeyAction::Next).note.Caption(), "");
  EXPECT_EQ(fakes.prompts.Texts(), std::vector<std::string>{});
  EXPECT_EQ(main->pgMain.Pages().back(), &Keys().tsKeys);
  EXPECT_EQ(Keys().tsKeys.Caption(), "&Keys");
}

TEST_F(KeysPageTest, AKeyTheUserSetsIsToldOnceWhenItCannotWorkAndSavedReadably) {
  Start();
  EXPECT_EQ(IdOf(kModControl | kModAlt | kModShift, kRight), 1);  // the defaults
  fakes.hotkeys.heldElsewhere.insert({kModControl, 'K'});

  Keys().RowOf(HotkeyAction::Disable).field.SetCombo(KeyCombo{'K', kCtrlOnly});
  ASSERT_EQ(fakes.prompts.Texts().size(), 1u) << ::testing::PrintToString(fakes.prompts.Texts());
  EXPECT_EQ(fakes.prompts.Texts()[0],
            "Ctrl+K is held by another program. Disable this wallpaper has no key until that program lets it go, or "
            "until you choose another.");
  EXPECT_EQ(Keys().RowOf(HotkeyAction::Disable).note.Caption(), "Another program holds this key.");

  Keys().RowOf(HotkeyAction::Previous).field.SetCombo(KeyCombo{kRight, kCtrlAltShift});
  EXPECT_EQ(fakes.prompts.Texts().back(),
            "Ctrl+Alt+Shift+Right is already the key of Next wallpaper. Choose another for Previous wallpaper.");
  EXPECT_EQ(IdOf(kModControl | kModAlt | kModShift, kLeft), -1);  // the old key is let go

  Keys().RowOf(HotkeyAction::Next).clear.Click();
  EXPECT_EQ(IdOf(kModControl | kModAlt | kModShift, kRight), 2);  // now Previous's
  EXPECT_EQ(Keys().RowOf(HotkeyAction::Previous).note.Caption(), "");
  EXPECT_EQ(fakes.prompts.Texts().size(), 2u);

  fakes.time.Advance(2250);
  EXPECT_EQ(Ini("Keys", "Next"), "");
  EXPECT_EQ(Ini("Keys", "Previous"), "Ctrl+Alt+Shift+Right");
  EXPECT_EQ(Ini("Keys", "PauseResume"), "Ctrl+Alt+Shift+P");
  EXPECT_EQ(Ini("Keys", "Disable"), "Ctrl+K");
}

TEST_F(KeysPageTest, KeysPressedAnywhereRunTheirCommands) {
  Start();
  ListOnePicture();
  Keys().RowOf(HotkeyAction::Disable).field.SetCombo(KeyCombo{'D', kCtrlAltShift});
  main->chkAutoChange.SetChecked(true);
  main->remote.HotKey(IdOf(kModControl | kModAlt | kModShift, 'P'));
  EXPECT_FALSE(main->chkAutoChange.Checked());
  main->remote.HotKey(3);
  EXPECT_TRUE(main->chkAutoChange.Checked());
  main->remote.HotKey(99);  // an id the program never gave
  EXPECT_TRUE(main->chkAutoChange.Checked());
  Keys().RowOf(HotkeyAction::PauseResume).clear.Click();
  main->remote.HotKey(3);  // let go: no longer the program's
  EXPECT_TRUE(main->chkAutoChange.Checked());
}

}  // namespace
}  // namespace mvx::testing
