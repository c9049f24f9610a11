#include <windows.h>
#include <shellapi.h>

#include <cstdint>

#include "win32/adapters/win32_ports.h"

namespace mvx::win32 {

namespace {

const char* OrNull(const std::string& text) {
  return text.empty() ? nullptr : text.c_str();
}

}  // namespace

int Win32Shell::Execute(std::uintptr_t owner, const std::string& verb, const std::string& file,
                        const std::string& parameters, const std::string& directory, int showCommand) {
  HINSTANCE result = ShellExecuteA(reinterpret_cast<HWND>(owner), OrNull(verb), file.c_str(), parameters.c_str(),
                                   OrNull(directory), showCommand);
  return static_cast<int>(reinterpret_cast<std::intptr_t>(result));
}

}  // namespace mvx::win32
