#pragma once
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/desktop_port.h"
#include "platform/dialog_port.h"
#include "platform/file_port.h"
#include "platform/help_port.h"
#include "platform/instance_port.h"
#include "platform/notify_icon_port.h"
#include "platform/shell_port.h"
#include "platform/system_port.h"
#include "platform/trace_port.h"

namespace mvx::fakes {

// Records the traces sent to a listener when one "runs".
class FakeTrace : public TracePort {
 public:
  WindowHandle FindWindowByTitle(const std::string& title) override;
  void SendCopyData(WindowHandle to, WindowHandle from, std::uint32_t dwData,
                    const std::vector<std::uint8_t>& bytes) override;
  bool listenerRunning = true;
  int lookups = 0;
  struct Sent {
    WindowHandle from;
    std::uint32_t dwData;
    std::vector<std::uint8_t> bytes;
  };
  std::vector<Sent> sent;
  // The texts received, decoded from their records.
  std::vector<std::string> Texts() const;
  bool Saw(const std::string& text) const;
};

class FakeInstance : public InstancePort {
 public:
  MutexWait CreateAndWaitMutex(const std::string& name) override;
  std::uint32_t RegisterMessage(const std::string& name) override;
  void Broadcast(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) override;
  std::uintptr_t FindTopWindowOfClass(const std::string& className) override;
  // A window of another class, or one gone, gives no answer.
  std::optional<std::intptr_t> SendCopyData(std::uintptr_t window, std::uint32_t tag,
                                            const std::vector<std::uint8_t>& bytes, std::uint32_t timeoutMs) override;
  void Pause(std::uint32_t ms) override;
  void WriteOutputLine(const std::string& line) override { output.push_back(line); }
  // The top-level windows by class, and what the one window answers.
  std::vector<std::pair<std::string, std::uintptr_t>> topWindows;
  std::function<std::intptr_t(std::uint32_t tag, const std::vector<std::uint8_t>& bytes)> answerCopyData;
  // Runs at each pause, as time passes meanwhile for the other process.
  std::function<void()> onPause;
  std::uint32_t pausedMs = 0;
  int copyDataSent = 0;
  std::vector<std::string> output;
  MutexWait mutexResult = MutexWait::Acquired;
  std::vector<std::string> mutexNames;
  std::vector<std::string> registered;
  std::vector<std::uint32_t> broadcasts;
};

class FakeDesktop : public DesktopPort {
 public:
  OpenDesktopResult OpenDesktopNamed(const std::string& name) override;
  void CloseDesktopHandle(std::uintptr_t handle) override;
  bool SetDeskWallpaper(const std::string& path, std::uint32_t flags) override;
  std::uintptr_t FindTopWindow(const std::string& className, const std::string& title) override;
  void ShowTopWindow(std::uintptr_t window, int command) override;
  // The top-level windows there are; ShowTopWindow changes their visibility.
  struct TopWindow {
    std::uintptr_t handle;
    std::string className, title;
    bool visible = true;
  };
  std::vector<TopWindow> windows;
  std::vector<std::pair<std::uintptr_t, int>> showCalls;
  // How the screen-saver desktop answers: opened, or the error of the failure.
  bool saverOpens = false;
  std::uint32_t saverError = 2;
  int openDesktops = 0;
  struct WallpaperCall {
    std::string path;
    std::uint32_t flags;
  };
  std::vector<WallpaperCall> wallpaperCalls;
  // Called with each wallpaper call, so a test can play the system's part
  // (write the registry, broadcast the change).
  std::function<void(const std::string&, std::uint32_t)> onSetWallpaper;
};

class FakeSystem : public SystemPort {
 public:
  std::string WindowsDirectory() override { return windowsDirectory; }
  std::string ModulePath() override { return modulePath; }
  std::vector<std::string> CommandLineArgs() override { return args; }
  int ScreenWidth() override { return screenWidth; }
  int ScreenHeight() override { return screenHeight; }
  int LogPixelsY() override { return logPixelsY; }
  std::uint32_t DesktopColor() override { return desktopColor; }
  // What a desktop answers while nothing runs full screen; each question is counted.
  UserNotificationState NotificationState() override {
    ++notificationQueries;
    return notificationState;
  }
  // The program's version strings by their full sub-block name; a program
  // without any has no version resource.
  std::uint32_t VersionInfoSize(const std::string& path) override;
  std::string VersionInfo(const std::string& path, std::uint32_t size) override;
  std::optional<std::string> VersionString(const std::string& block, const std::string& subBlock) override;
  std::map<std::string, std::string> versionStrings;
  std::vector<std::string> versionQueries;
  std::string windowsDirectory = "C:\\WINDOWS\\";
  std::string modulePath = "C:\\Apps\\Murovex\\Murovex.exe";
  std::vector<std::string> args;
  int screenWidth = 1024, screenHeight = 768, logPixelsY = 96;
  std::uint32_t desktopColor = 0x00A56E3A;
  UserNotificationState notificationState = UserNotificationState::AcceptsNotifications;
  int notificationQueries = 0;
};

class FakeHelp : public HelpPort {
 public:
  void ShowContents() override { calls.push_back("contents"); }
  void ShowTopic(int context) override { calls.push_back("topic " + std::to_string(context)); }
  void Quit() override { calls.push_back("quit"); }
  std::vector<std::string> calls;
};

class FakeNotifyIcon : public NotifyIconPort {
 public:
  bool NotifyIcon(NotifyIconMessage message, std::uint16_t iconId, std::uint16_t callbackOffset,
                  const std::string& tip) override;
  bool succeed = true;
  bool present = false;
  std::string tip;
  std::vector<NotifyIconMessage> calls;
};

class FakeShell : public ShellPort {
 public:
  explicit FakeShell(FilePort* files = nullptr) : files_(files) {}
  void ProcessMessages() override;
  void SetBusyCursor(bool busy) override { busyCursor = busy; }
  void SetApplicationTitle(const std::string& t) override { title = t; }
  void Terminate() override { terminated = true; }
  bool ClipboardHasBitmap() override { return clipboardBitmap; }
  bool ClipboardDib(std::string& dib) override;
  std::uint32_t DropFileCount(std::uintptr_t drop) override;
  std::uint32_t DropNameLength(std::uintptr_t drop, std::uint32_t index) override;
  std::string DropName(std::uintptr_t drop, std::uint32_t index, std::uint32_t bufferSize) override;
  void DropFinish(std::uintptr_t drop) override { finishedDrops.push_back(drop); }
  void AcceptDrops(std::uintptr_t window, bool accept) override { acceptDrops.emplace_back(window, accept); }
  // The clipboard's bitmap as a packed DIB; empty with clipboardBitmap set
  // means the bitmap cannot be read.
  std::string clipboardDib;
  // The names of the one drop handle the tests use (any handle reads them).
  std::vector<std::string> droppedNames;
  std::vector<std::uintptr_t> finishedDrops;
  std::vector<std::pair<std::uintptr_t, bool>> acceptDrops;
  void PopupMenuAtCursor(TMenuItem& menu, std::uintptr_t owner) override;
  // As the system answers: 2 for a file that is not there (looked for in
  // directory when the name has no folder), 31 for a document whose
  // extension has no program in associations, 42 when something starts.
  int Execute(std::uintptr_t owner, const std::string& verb, const std::string& file, const std::string& parameters,
              const std::string& directory, int showCommand) override;
  struct Executed {
    std::uintptr_t owner;
    std::string verb, file, parameters, directory;
    int showCommand;
  };
  std::vector<Executed> executed;
  // When set, the system's answer to every call, whatever the file.
  std::optional<int> executeResult;
  // Writes the shortcut as a file of two lines, target and working folder,
  // through the file system, which may refuse it.
  ShortcutSave SaveShortcut(const std::string& linkPath, const std::string& target,
                            const std::string& workingFolder) override;
  // The first line of a shortcut written so; nothing for another file.
  std::optional<std::string> ShortcutTarget(const std::string& linkPath) override;
  bool linkObjectMissing = false;
  int shortcutSaves = 0;
  // Runs as each shortcut is saved, before the save.
  std::function<void()> onSaveShortcut;
  // Extensions (lower case, with the dot) that open with some program.
  std::vector<std::string> associations;
  // The menus popped up, with the enabled state and caption of each item then.
  std::vector<std::vector<std::pair<std::string, bool>>> popups;
  bool busyCursor = false;
  bool terminated = false;
  bool clipboardBitmap = false;
  std::string title;
  int processed = 0;
  // Runs inside ProcessMessages, as pending messages would.
  std::function<void()> pending;

 private:
  FilePort* files_;
};

// Records each open-file request and answers with a scripted path (or cancel).
class FakeDialogs : public DialogPort {
 public:
  std::optional<std::string> OpenFile(const OpenFileRequest& request) override {
    requests.push_back(request);
    return answer;
  }
  std::optional<std::vector<std::string>> OpenFiles(const OpenFileRequest& request) override {
    requests.push_back(request);
    return answers;
  }
  std::optional<std::string> answer;
  std::optional<std::vector<std::string>> answers;
  std::vector<OpenFileRequest> requests;
};

}  // namespace mvx::fakes
