#pragma once
#include <string>

#include "platform/system_port.h"

namespace mvx {

// Values computed once at start and kept for the life of the process.
struct SystemFolders {
  std::string windowsDir;         // lower case, no trailing backslash
  std::string workingBitmapPath;  // the program's path with ".bmp", lower case
  std::string programPath;        // as the system gives it
  std::string programDir;         // no trailing backslash
};

SystemFolders ComputeSystemFolders(SystemPort& system);

}  // namespace mvx
