#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace mvx {

// What the shell says the user is doing, as SHQueryUserNotificationState
// answers (the system's QUNS_ values); Unknown when the question failed.
enum class UserNotificationState {
  Unknown = 0,
  NotPresent = 1,
  Busy = 2,
  RunningD3DFullScreen = 3,
  PresentationMode = 4,
  AcceptsNotifications = 5,
  QuietTime = 6,
  App = 7,
};

// Facts about the machine and the process, read once at start.
class SystemPort {
 public:
  virtual ~SystemPort() = default;
  virtual std::string WindowsDirectory() = 0;              // GetWindowsDirectoryA, as returned
  virtual std::string ModulePath() = 0;                    // the program file's full path
  virtual std::vector<std::string> CommandLineArgs() = 0;  // without the program
  virtual int ScreenWidth() = 0;
  virtual int ScreenHeight() = 0;
  virtual int LogPixelsY() = 0;
  // The colour the desktop shows where its picture does not reach,
  // GetSysColor(COLOR_DESKTOP): 0x00BBGGRR. Asked each time, as the user may
  // change it while the program runs.
  virtual std::uint32_t DesktopColor() = 0;
  // SHQueryUserNotificationState, asked each time.
  virtual UserNotificationState NotificationState() = 0;
  // The version resource of a program file: GetFileVersionInfoSizeA (0 when
  // it has none), GetFileVersionInfoA into a block of that size, and
  // VerQueryValueA of a string in that block.
  virtual std::uint32_t VersionInfoSize(const std::string& path) = 0;
  virtual std::string VersionInfo(const std::string& path, std::uint32_t size) = 0;
  virtual std::optional<std::string> VersionString(const std::string& block, const std::string& subBlock) = 0;
};

}  // namespace mvx
