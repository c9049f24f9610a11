#pragma once
#include <cstdint>
#include <string>

namespace mvx {

struct OpenDesktopResult {
  std::uintptr_t handle = 0;  // 0 when the desktop could not be opened
  std::uint32_t error = 0;    // GetLastError after a failed open
};

// OpenDesktopA / CloseDesktop, SystemParametersInfoA(SPI_SETDESKWALLPAPER),
// and FindWindowA / ShowWindow on the shell's desktop window.
class DesktopPort {
 public:
  virtual ~DesktopPort() = default;
  // The top-level window of that class and title; 0 when there is none.
  virtual std::uintptr_t FindTopWindow(const std::string& className, const std::string& title) = 0;
  // ShowWindow with an SW_* command; the result is of no interest.
  virtual void ShowTopWindow(std::uintptr_t window, int command) = 0;
  virtual OpenDesktopResult OpenDesktopNamed(const std::string& name) = 0;
  virtual void CloseDesktopHandle(std::uintptr_t handle) = 0;
  // The path is handed to the system unchanged; flags as SPIF_* bits.
  virtual bool SetDeskWallpaper(const std::string& path, std::uint32_t flags) = 0;
};

inline constexpr int kSwHide = 0;
inline constexpr int kSwShow = 5;
inline constexpr std::uint32_t kSpifUpdateIniFile = 1;
inline constexpr std::uint32_t kSpifSendWinIniChange = 2;

}  // namespace mvx
