#pragma once
#include <cstdint>
#include <optional>
#include <string>

#include "forms/menu.h"

namespace mvx {

// How saving a shortcut went.
enum class ShortcutSave { Saved, Refused, NoLinkObject };

// Services of the running application: its message loop, cursor, title,
// end, and the clipboard's contents.
class ShellPort {
 public:
  virtual ~ShellPort() = default;
  virtual void ProcessMessages() = 0;
  virtual void SetBusyCursor(bool busy) = 0;
  virtual void SetApplicationTitle(const std::string& title) = 0;
  // Ends the message loop (PostQuitMessage).
  virtual void Terminate() = 0;
  virtual bool ClipboardHasBitmap() = 0;
  // The clipboard's bitmap as a packed device-independent bitmap (CF_DIB:
  // header, colour table or masks, then the pixels); false when there is none.
  virtual bool ClipboardDib(std::string& dib) = 0;
  // Files dropped on a window: DragQueryFileA and DragFinish on the drop
  // handle of WM_DROPFILES, DragAcceptFiles on the window.
  virtual std::uint32_t DropFileCount(std::uintptr_t drop) = 0;
  // The length of a dropped name, without the terminating null.
  virtual std::uint32_t DropNameLength(std::uintptr_t drop, std::uint32_t index) = 0;
  // The name as the system copies it into a buffer of bufferSize characters
  // (the terminating null included), so a longer name arrives cut short.
  virtual std::string DropName(std::uintptr_t drop, std::uint32_t index, std::uint32_t bufferSize) = 0;
  virtual void DropFinish(std::uintptr_t drop) = 0;
  virtual void AcceptDrops(std::uintptr_t window, bool accept) = 0;
  // Makes owner the foreground window and pops the menu up at the cursor.
  virtual void PopupMenuAtCursor(TMenuItem& menu, std::uintptr_t owner) = 0;
  // ShellExecuteA: opens file (a document with its associated program, or a
  // program given parameters) with the working folder directory; an empty
  // verb is the file type's default action. The system's answer: above 32
  // on success, else its error value (2 file not found, 31 no association).
  virtual int Execute(std::uintptr_t owner, const std::string& verb, const std::string& file,
                      const std::string& parameters, const std::string& directory, int showCommand) = 0;
  // The shell-link object (IShellLinkA, IPersistFile): a shortcut at
  // linkPath to target, starting in workingFolder, saved under a wide path,
  // an existing one overwritten. NoLinkObject when the object cannot be made.
  virtual ShortcutSave SaveShortcut(const std::string& linkPath, const std::string& target,
                                    const std::string& workingFolder) = 0;
  // The target of the shortcut at linkPath; nothing when it cannot be read.
  virtual std::optional<std::string> ShortcutTarget(const std::string& linkPath) = 0;
};

}  // namespace mvx
