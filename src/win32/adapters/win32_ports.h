#pragma once
#include <exception>
#include <functional>
#include <map>
#include <memory>

#include "platform/ports.h"

namespace mvx {
class TApplication;
}

namespace mvx::win32 {

class Win32Timers : public TimerPort, public ClockPort {
 public:
  ~Win32Timers() override;
  TimerId StartTimer(std::uint32_t intervalMs, std::function<void()> onTick) override;
  void StopTimer(TimerId id) override;
  std::uint64_t TickCountMs() override;
  double LocalNow() override;
  // Called by the system's timer procedure.
  static void Dispatch(std::uintptr_t id);
  // Where an error raised by a tick goes (the program's error handler).
  static inline std::function<void(const std::exception&)> onError;

 private:
  static std::map<std::uintptr_t, std::function<void()>>& Callbacks();
};

class Win32Prompts : public PromptPort {
 public:
  PromptAnswer Show(const std::string& text, const std::string& caption, PromptKind kind,
                    PromptButtons buttons) override;
  ModalResult ShowModal(TForm& form) override;
  void Beep() override;
  // The window the boxes belong to (the main window once it exists).
  std::uintptr_t owner = 0;
  // The application whose error handler the modal windows' messages run under.
  TApplication* app = nullptr;
};

class Win32Registry : public RegistryPort {
 public:
  std::optional<RegKey> OpenKey(RegKey parent, const std::string& subKey) override;
  std::optional<RegKey> CreateKey(RegKey parent, const std::string& subKey) override;
  std::optional<RegValue> QueryValue(RegKey key, const std::string& name) override;
  bool SetValue(RegKey key, const std::string& name, const RegValue& value) override;
  bool DeleteValue(RegKey key, const std::string& name) override;
  void CloseKey(RegKey key) override;
};

class Win32Profile : public ProfilePort {
 public:
  std::string GetString(const std::string& file, const std::string& section, const std::string& key,
                        const std::string& def) override;
  std::string GetSection(const std::string& file, const std::string& section) override;
  bool WriteString(const std::string& file, const std::string& section, const std::string& key,
                   const std::string& value) override;
};

class Win32Files : public FilePort {
 public:
  bool FileExists(const std::string& path) override;
  bool DirectoryExists(const std::string& path) override;
  std::optional<std::int64_t> OpenedFileSize(const std::string& path) override;
  std::optional<std::uint32_t> LocalDosDateTime(const std::string& path) override;
  Status ReadBlock(const std::string& path, ByteBlock& bytes) override;
  Status MapBlock(const std::string& path, ByteBlock& bytes) override;
  Status ReadHead(const std::string& path, std::size_t maxBytes, std::string& bytes) override;
  VolumeState ProbeVolume(const std::string& root) override;
  bool OnFixedDrive(const std::string& path) override;
  Status CreateNew(const std::string& path, FileHandle& handle) override;
  Status Write(FileHandle handle, std::string_view bytes) override;
  Status Flush(FileHandle handle) override;
  void Close(FileHandle handle) override;
  Status MoveReplace(const std::string& from, const std::string& to) override;
  Status Move(const std::string& from, const std::string& to) override;
  Status Copy(const std::string& from, const std::string& to, bool failIfExists) override;
  Status Delete(const std::string& path) override;
  Status Recycle(const std::string& path) override;
  Status MakeDirectory(const std::string& path) override;
  Status ChangeDirectory(const std::string& path) override;
  std::string CurrentDirectory() override;
  std::vector<std::string> FindFiles(const std::string& folder, const std::string& pattern) override;
  std::vector<std::string> FindFolders(const std::string& folder) override;
  void RetryPause(std::uint32_t ms) override;

  // Checks of network volumes running in the background, by root.
  struct VolumeProbes;

 private:
  std::shared_ptr<VolumeProbes> probes_;
};

class Win32Instance : public InstancePort {
 public:
  MutexWait CreateAndWaitMutex(const std::string& name) override;
  std::uint32_t RegisterMessage(const std::string& name) override;
  void Broadcast(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) override;
  std::uintptr_t FindTopWindowOfClass(const std::string& className) override;
  std::optional<std::intptr_t> SendCopyData(std::uintptr_t window, std::uint32_t tag,
                                            const std::vector<std::uint8_t>& bytes, std::uint32_t timeoutMs) override;
  void Pause(std::uint32_t ms) override;
  void WriteOutputLine(const std::string& line) override;
};

class Win32Hotkeys : public HotkeyPort {
 public:
  bool Register(std::uintptr_t window, int id, std::uint32_t modifiers, std::uint32_t key) override;
  bool Unregister(std::uintptr_t window, int id) override;
};

class Win32Trace : public TracePort {
 public:
  WindowHandle FindWindowByTitle(const std::string& title) override;
  void SendCopyData(WindowHandle to, WindowHandle from, std::uint32_t dwData,
                    const std::vector<std::uint8_t>& bytes) override;
};

class Win32Desktop : public DesktopPort {
 public:
  OpenDesktopResult OpenDesktopNamed(const std::string& name) override;
  void CloseDesktopHandle(std::uintptr_t handle) override;
  bool SetDeskWallpaper(const std::string& path, std::uint32_t flags) override;
  std::uintptr_t FindTopWindow(const std::string& className, const std::string& title) override;
  void ShowTopWindow(std::uintptr_t window, int command) override;
};

class Win32System : public SystemPort {
 public:
  std::string WindowsDirectory() override;
  std::string ModulePath() override;
  std::vector<std::string> CommandLineArgs() override;
  int ScreenWidth() override;
  int ScreenHeight() override;
  int LogPixelsY() override;
  std::uint32_t DesktopColor() override;
  UserNotificationState NotificationState() override;
  std::uint32_t VersionInfoSize(const std::string& path) override;
  std::string VersionInfo(const std::string& path, std::uint32_t size) override;
  std::optional<std::string> VersionString(const std::string& block, const std::string& subBlock) override;
};

// Opens the program's own help pages (HTML beside the program) in the
// user's browser.
class Win32Help : public HelpPort {
 public:
  explicit Win32Help(std::string helpFolder) : folder_(std::move(helpFolder)) {}
  void ShowContents() override;
  void ShowTopic(int context) override;
  void Quit() override {}

 private:
  void Open(const std::string& page);
  std::string folder_;
};

class Win32NotifyIcon : public NotifyIconPort {
 public:
  bool NotifyIcon(NotifyIconMessage message, std::uint16_t iconId, std::uint16_t callbackOffset,
                  const std::string& tip) override;
  std::uintptr_t window = 0;  // receives the callback messages
  std::uintptr_t icon = 0;
};

class Win32Shell : public ShellPort {
 public:
  void ProcessMessages() override;
  void SetBusyCursor(bool busy) override;
  void SetApplicationTitle(const std::string& title) override;
  void Terminate() override;
  bool ClipboardHasBitmap() override;
  bool ClipboardDib(std::string& dib) override;
  std::uint32_t DropFileCount(std::uintptr_t drop) override;
  std::uint32_t DropNameLength(std::uintptr_t drop, std::uint32_t index) override;
  std::string DropName(std::uintptr_t drop, std::uint32_t index, std::uint32_t bufferSize) override;
  void DropFinish(std::uintptr_t drop) override;
  void AcceptDrops(std::uintptr_t window, bool accept) override;
  void PopupMenuAtCursor(TMenuItem& menu, std::uintptr_t owner) override;
  int Execute(std::uintptr_t owner, const std::string& verb, const std::string& file, const std::string& parameters,
              const std::string& directory, int showCommand) override;
  ShortcutSave SaveShortcut(const std::string& linkPath, const std::string& target,
                            const std::string& workingFolder) override;
  std::optional<std::string> ShortcutTarget(const std::string& linkPath) override;
  std::string applicationTitle;
  bool terminated = false;
};

class Win32Dialogs : public DialogPort {
 public:
  std::optional<std::string> OpenFile(const OpenFileRequest& request) override;
  std::optional<std::vector<std::string>> OpenFiles(const OpenFileRequest& request) override;
  std::uintptr_t owner = 0;
};

// The Windows Imaging Component: bitmaps, JPEG, PNG, GIF, TIFF and whatever
// other decoders the system has.
class Win32Monitors : public MonitorPort {
 public:
  std::vector<Monitor> Monitors() override;
  std::size_t MonitorOfWindow(std::uintptr_t window) override;
  std::optional<ByteBlock> ComposeDesktop(const DesktopComposition& composition) override;
};

class PictureLoader;

class Win32Pictures : public PicturePort {
 public:
  Win32Pictures();
  ~Win32Pictures() override;
  std::shared_ptr<const LoadedPicture> Load(const std::string& path) override;
  void LoadLater(const std::string& path, LoadDone done) override;
  void CancelLoad() override;

 private:
  std::unique_ptr<PictureLoader> loader_;
};

class HandleWaiter;

// The system's change notifications, waited for on a thread of their own
// and delivered on this one (handle_waiter.h).
class Win32Watches : public WatchPort {
 public:
  Win32Watches();
  ~Win32Watches() override;
  WatchId WatchKey(RegKey root, const std::string& subKey, std::function<void()> onChange) override;
  WatchId WatchFolder(const std::string& folder, std::function<void()> onChange) override;
  void StopWatch(WatchId id) override;

 private:
  std::unique_ptr<HandleWaiter> waiter_;
};

// Every adapter, and the Ports bundle over them.
struct Win32Ports {
  explicit Win32Ports(std::string helpFolder) : help(std::move(helpFolder)) {}
  Win32Timers timers;
  Win32Prompts prompts;
  Win32Registry registry;
  Win32Profile profile;
  Win32Files files;
  Win32Instance instance;
  Win32Trace trace;
  Win32Desktop desktop;
  Win32System system;
  Win32Help help;
  Win32NotifyIcon notifyIcon;
  Win32Shell shell;
  Win32Dialogs dialogs;
  Win32Pictures pictures;
  Win32Monitors monitors;
  Win32Watches watches;
  Win32Hotkeys hotkeys;
  Ports ports{timers,  timers, prompts, registry,   profile, files,   instance, trace,   desktop,
              system,  help,   notifyIcon, shell,  dialogs, pictures, watches, monitors, hotkeys};
};

}  // namespace mvx::win32
