#pragma once
#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "app/settings_file.h"
#include "control/hotkey_map.h"
#include "forms/form.h"
#include "platform/prompt_port.h"

namespace mvx {

// The "&Keys" page of the main window: a field for each action's key, a
// button that clears it and a note that tells why a key does not work;
// and the keys the system holds for the window. The keys live in the
// settings file's section "Keys", as readable text.
class KeysPage {
 public:
  // One action's controls, top to bottom.
  struct Row {
    TLabel& caption;
    THotKey& field;
    TButton& clear;
    TLabel& note;
  };

  KeysPage(TForm& form, TPageControl& pages, HotkeyPort& hotkeys, PromptPort& prompts, const bool& settingsIO);

  // Lays the page out and puts it after the pages there are.
  void Build();
  // Loading reads each key (a missing or unreadable one gives the default)
  // and registers the keys without a word: the notes tell what does not
  // work. Saving writes them.
  void LoadOrSave(SettingsFile& ini, bool loading);
  std::optional<HotkeyAction> ActionOf(int id) const { return map_.ActionOf(id); }
  KeySet Keys() const;
  Row& RowOf(HotkeyAction action) { return rows_[static_cast<std::size_t>(action)]; }

  // After the user changed a key: the settings are to be saved.
  TNotifyEvent OnChange;
  // The caption of the program's message boxes.
  std::function<std::string()> MessageCaption;

  TTabSheet& tsKeys;
  TGroupBox& gbxKeys;

 private:
  Row MakeRow(const std::string& suffix);
  void Apply();
  void FieldChanged(std::size_t index);

  TForm& form_;
  TPageControl& pages_;
  PromptPort& prompts_;
  const bool& settingsIO_;
  HotkeyMap map_;
  std::array<Row, kHotkeyActionCount> rows_;
};

}  // namespace mvx
