#pragma once
#include <cstdint>
#include <string>

namespace mvx {

struct OpenDesktopResult {
  std::uintptr_t handle = 0;  // 0 when the desktop could not be opened
  std::uint32_t error = 0;    // GetLastError after a failed open
};

// OpenDesktopA / CloseDesktop, and SystemParametersInfoA(SPI_SETDESKWALLPAPER).
class DesktopPort {
 public:
  virtual ~DesktopPort() = default;
  virtual OpenDesktopResult OpenDesktopNamed(const std::string& name) = 0;
  virtual void CloseDesktopHandle(std::uintptr_t handle) = 0;
  // The path is handed to the system unchanged; flags as SPIF_* bits.
  virtual bool SetDeskWallpaper(const std::string& path, std::uint32_t flags) = 0;
};

inline constexpr std::uint32_t kSpifUpdateIniFile = 1;
inline constexpr std::uint32_t kSpifSendWinIniChange = 2;

}  // namespace mvx
