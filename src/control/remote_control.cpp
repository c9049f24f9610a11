#include "control/remote_control.h"

#include "adding/file_name_rules.h"
#include "adding/scoped_flag.h"
#include "app/file_info.h"
#include "app/paths.h"
#include "app/trace.h"
#include "ui/frm_main.h"

namespace mvx {

RemoteControl::RemoteControl(TFrmMain& main, Ports& ports)
    : keys(main, main.pgMain, ports.hotkeys, ports.prompts, main.booSettingsIO),
      main_(main),
      ports_(ports),
      closeTimer_(ports.timers) {
  keys.OnChange = [this](TObject* sender) { main_.GenericSettingsChange(sender); };
  keys.MessageCaption = [this] { return main_.MessageCaption(); };
  closeTimer_.SetEnabled(false);
  closeTimer_.SetInterval(1);
  closeTimer_.OnTimer = [this](TObject*) {
    closeTimer_.SetEnabled(false);
    main_.booCloseWindows = true;
    main_.Close();
  };
}

void RemoteControl::HotKey(int id) {
  const std::optional<HotkeyAction> action = keys.ActionOf(id);
  if (!action) return;
  SendTrace(ports_.trace, "FrmMain: HotKey " + ActionName(*action), main_.Handle);
  switch (*action) {
    case HotkeyAction::Next:
      main_.StepNextWallpaper();
      break;
    case HotkeyAction::Previous:
      main_.StepPreviousWallpaper();
      break;
    case HotkeyAction::PauseResume:
      main_.RunSlideshow1Click(&main_);
      break;
    case HotkeyAction::Disable:
      main_.DisableThisWallpaperImage1Click(&main_);
      break;
  }
}

CommandAnswer RemoteControl::CopyData(std::uint32_t tag, const std::uint8_t* data, std::size_t size) {
  if (tag != kCommandTag) return CommandAnswer::Refused;
  if (main_.booCreating) return CommandAnswer::Starting;
  const std::optional<RemoteCommand> command = DecodeCommand(data, size);
  if (!command) {
    SendTrace(ports_.trace, "FrmMain: Command refused", main_.Handle);
    return CommandAnswer::Refused;
  }
  return Run(*command) ? CommandAnswer::Done : CommandAnswer::Failed;
}

bool RemoteControl::Run(const RemoteCommand& command) {
  switch (command.verb) {
    case CommandVerb::Next:
      return main_.StepNextWallpaper();
    case CommandVerb::Previous:
      return main_.StepPreviousWallpaper();
    case CommandVerb::Pause:
      main_.chkAutoChange.SetChecked(false);
      return true;
    case CommandVerb::Resume:
      main_.chkAutoChange.SetChecked(true);
      return true;
    case CommandVerb::Set:
      return SetPicture(command.paths.front());
    case CommandVerb::Add:
      return AddPictures(command.paths);
    case CommandVerb::Close:
      closeTimer_.SetEnabled(true);
      return true;
  }
  return false;
}

void RemoteControl::RunAtStart() {
  const std::optional<RemoteCommand> command = std::exchange(atStart, std::nullopt);
  if (!command) return;
  // Started by itself, the program has nothing to close, pause or resume.
  if (command->verb == CommandVerb::Close || command->verb == CommandVerb::Pause ||
      command->verb == CommandVerb::Resume) {
    return;
  }
  Run(*command);
}

// A listed picture is set as the user's Set does; another is first offered
// as a wallpaper put on the desktop by another program is, with its question.
bool RemoteControl::SetPicture(const std::string& path) {
  if (!ports_.files.FileExists(path)) return false;
  std::string target = path;
  if (!main_.IsKnownPicture(path)) {
    main_.LastDetectedTarget.clear();
    main_.OfferDesktopWallpaper(path, main_.frmItemInfo.RememberedMode.value_or(main_.ModeBySize(path)));
    if (!main_.LastDetectedTarget.empty()) target = main_.LastDetectedTarget;
  }
  if (!main_.IsKnownPicture(target) || !main_.LocateInInventory(target)) return false;
  main_.tbnSetWallpaperClick(&main_);
  return true;
}

bool RemoteControl::AddPictures(const std::vector<std::string>& paths) {
  bool all = true;
  std::string last;
  {
    const ScopedFlag busy(main_.booBusy);
    const ScopedFlag batch(main_.booBatchUpdate);
    for (const std::string& path : paths) {
      if (!AddPicture(path)) {
        all = false;
        continue;
      }
      last = path;
    }
  }
  main_.ScheduleInventorySave(&main_);
  if (!last.empty()) main_.LocateInInventory(last);
  return all;
}

// With the choices the copy-option dialog remembers, and without it: a
// name taken in the data folder gives way to a unique one, never to an
// overwrite.
bool RemoteControl::AddPicture(const std::string& path) {
  if (main_.IsOwnPicture(path) || !ports_.files.FileExists(path) || !IsPictureFile(path)) return false;
  if (!PathRefusal(path).empty()) return false;
  const TfrmItemInfo& choices = main_.frmItemInfo;
  const DisplayMode mode = choices.RememberedMode.value_or(main_.ModeBySize(path));
  const int option = choices.RememberedCopyOption == 0 ? kCopyLeave : choices.RememberedCopyOption;
  std::string target = option == kCopyLeave ? path : main_.DataDir() + "\\" + ExtractFileName(path);
  if (!SameTextAZ(target, path) && (ports_.files.FileExists(target) || ports_.files.DirectoryExists(target))) {
    target = main_.MakeUniqueName(ExtractFileName(path));
  }
  if (!PathRefusal(target).empty()) return false;
  const std::optional<FileFacts> before = ReadFileFacts(ports_.files, path);
  if (!SameTextAZ(target, path) && !main_.CopyOrMoveFile(path, target, option == kCopyCopy)) return false;
  const bool listed = SameTextAZ(target, path) && main_.IsKnownPicture(path);
  return main_.StoreEntry(path, target, listed, mode, before);
}

}  // namespace mvx
