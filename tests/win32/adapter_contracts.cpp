#include <windows.h>

#include <cstring>
#include <optional>

#include "contract/contract_env.h"
#include "win32/adapters/win32_ports.h"
#include "win32/drop_handle.h"

namespace mvx::contract {

namespace {

constexpr const char* kListenerClass = "MurovexContractListener";
constexpr const char* kRegistryRoot = "Software\\Murovex Contract";

void RemoveTree(const std::string& dir) {
  WIN32_FIND_DATAA data;
  HANDLE h = FindFirstFileA((dir + "\\*").c_str(), &data);
  if (h != INVALID_HANDLE_VALUE) {
    do {
      const std::string name = data.cFileName;
      if (name == "." || name == "..") continue;
      const std::string path = dir + "\\" + name;
      if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveTree(path);
      } else {
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(path.c_str());
      }
    } while (FindNextFileA(h, &data));
    FindClose(h);
  }
  RemoveDirectoryA(dir.c_str());
}

LRESULT CALLBACK ListenerProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept {
  if (msg == WM_COPYDATA) {
    auto* received = reinterpret_cast<std::vector<CopyDataReceived>*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    const auto* cds = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
    if (received != nullptr && cds != nullptr) {
      const auto* bytes = static_cast<const std::uint8_t*>(cds->lpData);
      received->push_back({static_cast<WindowHandle>(wParam), static_cast<std::uint32_t>(cds->dwData),
                           std::vector<std::uint8_t>(bytes, bytes + cds->cbData)});
    }
    return TRUE;
  }
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

class RealEnv : public ContractEnv {
 public:
  RealEnv() : ports_(".") {
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    // Unique per run as well as per process: process ids come round again.
    unique_ = std::to_string(GetCurrentProcessId()) + "-" + std::to_string(GetTickCount64()) + "-" +
              std::to_string(++instances_);
    base_ = std::string(temp) + "murovex-contract-" + unique_;
    CreateDirectoryA(base_.c_str(), nullptr);
    char cwd[MAX_PATH * 4] = {};
    GetCurrentDirectoryA(sizeof cwd, cwd);
    startDir_ = cwd;
    // The notification icon belongs to a window of ours, as the tray form's.
    iconOwner_ = CreateWindowExA(0, "STATIC", "icon owner", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
    ports_.notifyIcon.window = reinterpret_cast<std::uintptr_t>(iconOwner_);
    ports_.notifyIcon.icon = reinterpret_cast<std::uintptr_t>(LoadIcon(nullptr, IDI_APPLICATION));
  }
  ~RealEnv() override {
    if (desktopColor_) {
      const INT element = COLOR_DESKTOP;
      SetSysColors(1, &element, &*desktopColor_);
    }
    StopTraceListener();
    DestroyWindow(iconOwner_);
    SetCurrentDirectoryA(startDir_.c_str());
    RemoveTree(base_);
    if (registryUsed_) {
      RegDeleteTreeA(HKEY_CURRENT_USER, (std::string(kRegistryRoot) + "\\" + unique_).c_str());
      RegDeleteKeyA(HKEY_CURRENT_USER, kRegistryRoot);  // only once no other environment uses it
    }
  }
  Ports& P() override { return ports_.ports; }
  std::string FreshFolder() override {
    std::string dir = base_ + "\\t" + std::to_string(++n_);
    CreateDirectoryA(dir.c_str(), nullptr);
    return dir;
  }
  std::string FreshRegistryKey() override {
    registryUsed_ = true;
    const std::string path = std::string(kRegistryRoot) + "\\" + unique_ + "\\k" + std::to_string(++n_);
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) ==
        ERROR_SUCCESS) {
      RegCloseKey(key);
    }
    return path;
  }
  void RunFor(unsigned ms) override {
    const ULONGLONG end = GetTickCount64() + ms;
    while (GetTickCount64() < end) {
      MSG msg;
      while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
      Sleep(1);
    }
  }
  void StartTraceListener() override {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = ListenerProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = kListenerClass;
    RegisterClassA(&wc);  // fails harmlessly when a former environment registered it
    listener_ = CreateWindowExA(0, kListenerClass, "Kestrane Message Window", WS_OVERLAPPED, 0, 0, 100, 100, nullptr,
                                nullptr, wc.hInstance, nullptr);
    SetWindowLongPtrA(listener_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&received_));
  }
  void StopTraceListener() override {
    if (listener_ != nullptr) DestroyWindow(listener_);
    listener_ = nullptr;
  }
  std::vector<CopyDataReceived> TraceReceived() override { return received_; }
  std::uintptr_t MakeDrop(const std::vector<std::string>& names) override { return testing::MakeDrop(names); }
  void PutDibOnClipboard(const std::string& dib) override {
    if (!OpenClipboard(nullptr)) return;
    EmptyClipboard();
    if (!dib.empty()) {
      HGLOBAL data = GlobalAlloc(GMEM_MOVEABLE, dib.size());
      std::memcpy(GlobalLock(data), dib.data(), dib.size());
      GlobalUnlock(data);
      SetClipboardData(CF_DIB, data);  // the clipboard owns it now
    }
    CloseClipboard();
  }
  void SetDesktopColor(int red, int green, int blue) override {
    if (!desktopColor_) desktopColor_ = GetSysColor(COLOR_DESKTOP);
    const INT element = COLOR_DESKTOP;
    const COLORREF color = RGB(red, green, blue);
    SetSysColors(1, &element, &color);
  }
  bool IsReal() const override { return true; }

 private:
  static inline int instances_ = 0;
  win32::Win32Ports ports_;
  std::string unique_;
  std::string base_;
  std::string startDir_;
  bool registryUsed_ = false;
  HWND listener_ = nullptr;
  HWND iconOwner_ = nullptr;
  std::optional<COLORREF> desktopColor_;  // as it was before SetDesktopColor
  std::vector<CopyDataReceived> received_;
  int n_ = 0;
};

}  // namespace

std::unique_ptr<ContractEnv> MakeContractEnv() {
  return std::make_unique<RealEnv>();
}

}  // namespace mvx::contract
