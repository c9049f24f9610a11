#include <objbase.h>
#include <objidl.h>
#include <shlobj.h>
#include <windows.h>

#include "win32/adapters/com_scope.h"
#include "win32/adapters/win32_ports.h"

namespace mvx::win32 {

namespace {

std::wstring Wide(const std::string& text) {
  const int n = MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(n > 0 ? n : 1), L'\0');
  if (n > 0) MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, wide.data(), n);
  wide.resize(wide.size() - 1);
  return wide;
}

template <class T>
class ComRef {
 public:
  ComRef() = default;
  ~ComRef() {
    if (p != nullptr) p->Release();
  }
  ComRef(const ComRef&) = delete;
  ComRef& operator=(const ComRef&) = delete;
  T* p = nullptr;
};

}  // namespace

ShortcutSave Win32Shell::SaveShortcut(const std::string& linkPath, const std::string& target,
                                      const std::string& workingFolder) {
  ComScope com;
  ComRef<IShellLinkA> link;
  if (FAILED(late::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                              reinterpret_cast<void**>(&link.p)))) {
    return ShortcutSave::NoLinkObject;
  }
  link.p->SetPath(target.c_str());
  link.p->SetWorkingDirectory(workingFolder.c_str());
  ComRef<IPersistFile> file;
  if (FAILED(link.p->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file.p)))) {
    return ShortcutSave::NoLinkObject;
  }
  return SUCCEEDED(file.p->Save(Wide(linkPath).c_str(), FALSE)) ? ShortcutSave::Saved : ShortcutSave::Refused;
}

}  // namespace mvx::win32
