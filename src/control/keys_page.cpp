#include "control/keys_page.h"

#include "control/hotkey_text.h"

namespace mvx {

namespace {

constexpr const char* kSection = "Keys";
constexpr std::array<const char*, kHotkeyActionCount> kSettingKeys{"Next", "Previous", "PauseResume", "Disable"};
constexpr std::array<const char*, kHotkeyActionCount> kCaptions{"&Next wallpaper:", "Pre&vious wallpaper:",
                                                                "P&ause/Resume slideshow:", "&Disable this wallpaper:"};
constexpr int kRowHeight = 64;

}  // namespace

KeysPage::KeysPage(TForm& form, TPageControl& pages, HotkeyPort& hotkeys, PromptPort& prompts, const bool& settingsIO)
    : tsKeys(form.Make<TTabSheet>(&pages, "tsKeys")),
      gbxKeys(form.Make<TGroupBox>(&tsKeys, "gbxKeys")),
      form_(form),
      pages_(pages),
      prompts_(prompts),
      settingsIO_(settingsIO),
      map_(hotkeys),
      rows_{MakeRow("Next"), MakeRow("Previous"), MakeRow("Pause"), MakeRow("Disable")} {}

KeysPage::Row KeysPage::MakeRow(const std::string& suffix) {
  return Row{form_.Make<TLabel>(&gbxKeys, "lblKey" + suffix), form_.Make<THotKey>(&gbxKeys, "hky" + suffix),
             form_.Make<TButton>(&gbxKeys, "btnClear" + suffix), form_.Make<TLabel>(&gbxKeys, "lblNote" + suffix)};
}

void KeysPage::Build() {
  Placed(tsKeys, "&Keys", 0, 0, 384, 377).HelpContext = 8;
  pages_.AddPage(&tsKeys);
  Placed(gbxKeys, " Keys that work in every program ", 8, 8, 368, 22 + kRowHeight * 4);
  const KeySet defaults = DefaultKeys();
  for (std::size_t i = 0; i < rows_.size(); ++i) {
    const int top = 22 + kRowHeight * static_cast<int>(i);
    // The caption above its field, which is wide enough for four keys' names.
    Placed(rows_[i].caption, kCaptions[i], 12, top, 274, 16);
    Placed(rows_[i].field, "", 12, top + 18, 274, 22);
    Placed(rows_[i].clear, "Clear", 292, top + 17, 64, 24);
    Placed(rows_[i].note, "", 12, top + 42, 344, 16);
    rows_[i].field.SetCombo(defaults[i]);
    rows_[i].field.OnChange = [this, i](TObject*) { FieldChanged(i); };
    rows_[i].clear.OnClick = [this, i](TObject*) { rows_[i].field.SetCombo({}); };
  }
}

KeySet KeysPage::Keys() const {
  KeySet keys;
  for (std::size_t i = 0; i < rows_.size(); ++i) keys[i] = rows_[i].field.Combo();
  return keys;
}

void KeysPage::LoadOrSave(SettingsFile& ini, bool loading) {
  const KeySet defaults = DefaultKeys();
  for (std::size_t i = 0; i < rows_.size(); ++i) {
    if (!loading) {
      ini.WriteString(kSection, kSettingKeys[i], FormatKeyCombo(rows_[i].field.Combo()));
      continue;
    }
    // A missing key reads as the default's text; an empty one is no key.
    const std::optional<KeyCombo> read =
        ParseKeyCombo(ini.ReadString(kSection, kSettingKeys[i], FormatKeyCombo(defaults[i])));
    rows_[i].field.SetCombo(read ? *read : defaults[i]);
  }
  if (loading) Apply();
}

void KeysPage::Apply() {
  map_.Apply(form_.Handle, Keys());
  for (std::size_t i = 0; i < rows_.size(); ++i) rows_[i].note.SetCaption(OutcomeNote(map_.Outcomes()[i]));
}

// Told once, as the user sets the key; a start tells nothing, the note stays.
void KeysPage::FieldChanged(std::size_t index) {
  if (settingsIO_) return;
  Apply();
  const auto action = static_cast<HotkeyAction>(index);
  const std::string message = OutcomeMessage(action, rows_[index].field.Combo(), map_.Outcomes()[index]);
  if (!message.empty()) {
    prompts_.Show(message, MessageCaption ? MessageCaption() : "Murovex", PromptKind::Warning, PromptButtons::Ok);
  }
  if (OnChange) OnChange(&rows_[index].field);
}

}  // namespace mvx
