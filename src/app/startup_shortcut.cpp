#include <exception>

#include "app/error.h"
#include "app/paths.h"
#include "app/registry_path.h"
#include "app/settings_file.h"
#include "ui/frm_main.h"

namespace mvx {

namespace {

constexpr const char* kShortcutName = "\\Murovex Tray Icon.lnk";

// A folder of the shell, from its "Shell Folders" key under root; nothing
// when the key cannot be opened.
std::optional<std::string> ShellFolder(RegistryPort& registry, RegKey root, const char* software,
                                       const std::string& name) {
  return ReadStringAtPath(registry, root,
                          {software, "MicroSoft", "Windows", "CurrentVersion", "Explorer", "Shell Folders"}, name);
}

}  // namespace

// The shortcut that starts the program when a user logs on follows
// "Start with &Windows". It belongs in the Startup folder of all users;
// where an ordinary user may not write there, it goes into the user's own
// Startup folder instead, and turning the option off removes it from both.
void TFrmMain::UpdateStartupShortcut() {
  const auto common = ShellFolder(ports_.registry, kHkeyLocalMachine, "SOFTWARE", "Common Startup");
  if (!common) return;
  const std::string commonLink = common->empty() ? std::string() : *common + kShortcutName;
  if (!common->empty()) ports_.files.MakeDirectory(*common);
  const auto user = ShellFolder(ports_.registry, kHkeyCurrentUser, "Software", "Startup");
  const std::string userLink = user && !user->empty() ? *user + kShortcutName : std::string();

  if (chkStartWithWindows.Checked()) {
    auto save = [&](const std::string& link) {
      const ShortcutSave saved = ports_.shell.SaveShortcut(link, folders_.programPath, folders_.programDir);
      if (saved == ShortcutSave::NoLinkObject) throw AppError("Unable to create the shell link object");
      return saved == ShortcutSave::Saved;
    };
    // An all-users shortcut to this program that cannot be written anew (an
    // ordinary user may not) still starts it: it counts as present.
    const auto startsThisProgram = [&](const std::string& link) {
      if (link.empty() || !ports_.files.FileExists(link)) return false;
      const auto target = ports_.shell.ShortcutTarget(link);
      return target && SameTextAZ(*target, folders_.programPath);
    };
    if (!common->empty() && (save(commonLink) || startsThisProgram(commonLink))) {
      // A shortcut left in the user's folder would start the program twice.
      if (!userLink.empty() && ports_.files.FileExists(userLink)) ports_.files.Delete(userLink);
      return;
    }
    if (userLink.empty()) return;
    ports_.files.MakeDirectory(*user);
    if (save(userLink)) return;
    // Told once for a folder, not at every start.
    SettingsFile ini(ports_.profile, settingsFile_, &ports_.files);
    if (SameTextAZ(ini.ReadString("General", "StartupIconRefused", ""), *user)) return;
    BringToForeground();
    ports_.prompts.Show("Unable to create Startup icon: " + userLink, MessageCaption(), PromptKind::Error,
                        PromptButtons::Ok);
    try {
      ini.WriteString("General", "StartupIconRefused", *user);
    } catch (const std::exception&) {
      // A settings file that cannot be written was reported by its own save.
    }
    return;
  }
  for (const std::string& link : {commonLink, userLink}) {
    if (link.empty() || !ports_.files.FileExists(link) || ports_.files.Delete(link).ok()) continue;
    BringToForeground();
    ports_.prompts.Show("Unable to delete Startup icon: " + link, MessageCaption(), PromptKind::Error,
                        PromptButtons::Ok);
  }
}

}  // namespace mvx
