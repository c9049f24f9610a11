#include "app/system_folders.h"

#include "app/paths.h"

namespace mvx {

SystemFolders ComputeSystemFolders(SystemPort& system) {
  SystemFolders f;
  f.windowsDir = LowerAZ(StripTrailingBackslashes(system.WindowsDirectory()));
  f.programPath = system.ModulePath();
  f.workingBitmapPath = LowerAZ(ChangeFileExt(f.programPath, ".bmp"));
  f.programDir = StripTrailingBackslashes(ExtractFileDir(f.programPath));
  return f;
}

}  // namespace mvx
