#pragma once
#include <string>
#include <vector>

namespace mvx {

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
};

}  // namespace mvx
