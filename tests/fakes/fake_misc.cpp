#include "fakes/fake_misc.h"

#include <algorithm>

#include "app/paths.h"

namespace mvx::fakes {

WindowHandle FakeTrace::FindWindowByTitle(const std::string& title) {
  ++lookups;
  return listenerRunning && SameTextAZ(title, "Kestrane Message Window") ? 0x4242 : 0;  // as FindWindowA
}

void FakeTrace::SendCopyData(WindowHandle, WindowHandle from, std::uint32_t dwData,
                             const std::vector<std::uint8_t>& bytes) {
  sent.push_back({from, dwData, bytes});
}

std::vector<std::string> FakeTrace::Texts() const {
  std::vector<std::string> out;
  for (const auto& s : sent) {
    if (s.bytes.empty()) continue;
    out.emplace_back(reinterpret_cast<const char*>(s.bytes.data() + 1), s.bytes[0]);
  }
  return out;
}

bool FakeTrace::Saw(const std::string& text) const {
  const auto texts = Texts();
  return std::find(texts.begin(), texts.end(), text) != texts.end();
}

MutexWait FakeInstance::CreateAndWaitMutex(const std::string& name) {
  mutexNames.push_back(name);
  return mutexResult;
}

std::uint32_t FakeInstance::RegisterMessage(const std::string& name) {
  auto it = std::find(registered.begin(), registered.end(), name);
  if (it == registered.end()) {
    registered.push_back(name);
    return 0xC000u + static_cast<std::uint32_t>(registered.size() - 1);
  }
  return 0xC000u + static_cast<std::uint32_t>(it - registered.begin());
}

void FakeInstance::Broadcast(std::uint32_t message, std::uintptr_t, std::intptr_t) {
  broadcasts.push_back(message);
}

std::uintptr_t FakeInstance::FindTopWindowOfClass(const std::string& className) {
  for (const auto& [name, window] : topWindows) {
    if (name == className) return window;
  }
  return 0;
}

std::optional<std::intptr_t> FakeInstance::SendCopyData(std::uintptr_t window, std::uint32_t tag,
                                                        const std::vector<std::uint8_t>& bytes, std::uint32_t) {
  ++copyDataSent;
  const bool exists = std::any_of(topWindows.begin(), topWindows.end(), [&](const auto& w) { return w.second == window; });
  if (!exists || !answerCopyData) return std::nullopt;
  return answerCopyData(tag, bytes);
}

void FakeInstance::Pause(std::uint32_t ms) {
  pausedMs += ms;
  if (onPause) onPause();
}

OpenDesktopResult FakeDesktop::OpenDesktopNamed(const std::string& name) {
  if (name == "screen-saver" && saverOpens) {
    ++openDesktops;
    return {0x77, 0};
  }
  return {0, saverError};
}

void FakeDesktop::CloseDesktopHandle(std::uintptr_t) {
  --openDesktops;
}

bool FakeDesktop::SetDeskWallpaper(const std::string& path, std::uint32_t flags) {
  wallpaperCalls.push_back({path, flags});
  if (onSetWallpaper) onSetWallpaper(path, flags);
  return true;
}

bool FakeNotifyIcon::NotifyIcon(NotifyIconMessage message, std::uint16_t, std::uint16_t, const std::string& t) {
  calls.push_back(message);
  if (!succeed) return false;
  switch (message) {
    case NotifyIconMessage::Add:
      if (present) return false;
      present = true;
      tip = t;
      return true;
    case NotifyIconMessage::Modify:
    case NotifyIconMessage::ModifyTip:
      if (!present) return false;
      tip = t;
      return true;
    case NotifyIconMessage::Delete:
      if (!present) return false;
      present = false;
      return true;
  }
  return false;
}

void FakeShell::PopupMenuAtCursor(TMenuItem& menu, std::uintptr_t) {
  std::vector<std::pair<std::string, bool>> items;
  for (const auto& item : menu.Items()) items.emplace_back(item->Caption(), item->Enabled());
  popups.push_back(items);
}

bool FakeShell::ClipboardDib(std::string& dib) {
  if (!clipboardBitmap || clipboardDib.empty()) return false;
  dib = clipboardDib;
  return true;
}

std::uint32_t FakeShell::DropFileCount(std::uintptr_t) { return static_cast<std::uint32_t>(droppedNames.size()); }

std::uint32_t FakeShell::DropNameLength(std::uintptr_t, std::uint32_t index) {
  return index < droppedNames.size() ? static_cast<std::uint32_t>(droppedNames[index].size()) : 0;
}

std::string FakeShell::DropName(std::uintptr_t, std::uint32_t index, std::uint32_t bufferSize) {
  if (index >= droppedNames.size() || bufferSize == 0) return {};
  return droppedNames[index].substr(0, bufferSize - 1);
}

void FakeShell::ProcessMessages() {
  ++processed;
  if (pending) {
    auto run = std::move(pending);
    pending = nullptr;
    run();
  }
}

int FakeShell::Execute(std::uintptr_t owner, const std::string& verb, const std::string& file,
                       const std::string& parameters, const std::string& directory, int showCommand) {
  executed.push_back({owner, verb, file, parameters, directory, showCommand});
  if (executeResult) return *executeResult;
  const bool hasFolder = file.find('\\') != std::string::npos || file.find(':') != std::string::npos;
  const std::string path = hasFolder || directory.empty() ? file : directory + "\\" + file;
  if (files_ == nullptr || !files_->FileExists(path)) return 2;
  const std::size_t dot = file.rfind('.');
  const std::string ext = dot == std::string::npos ? std::string() : LowerAZ(file.substr(dot));
  if (ext == ".exe") return 42;
  for (const std::string& known : associations) {
    if (known == ext) return 42;
  }
  return 31;
}

std::uintptr_t FakeDesktop::FindTopWindow(const std::string& className, const std::string& title) {
  for (const TopWindow& w : windows) {
    if (LowerAZ(w.className) == LowerAZ(className) && w.title == title) return w.handle;
  }
  return 0;
}

void FakeDesktop::ShowTopWindow(std::uintptr_t window, int command) {
  showCalls.emplace_back(window, command);
  for (TopWindow& w : windows) {
    if (w.handle == window) w.visible = command != kSwHide;
  }
}

std::uint32_t FakeSystem::VersionInfoSize(const std::string& path) {
  return versionStrings.empty() || path != modulePath ? 0u : 2048u;
}

std::string FakeSystem::VersionInfo(const std::string& path, std::uint32_t size) {
  return size == VersionInfoSize(path) && size != 0 ? "version block of " + path : std::string();
}

std::optional<std::string> FakeSystem::VersionString(const std::string& block, const std::string& subBlock) {
  versionQueries.push_back(subBlock);
  if (block != "version block of " + modulePath) return std::nullopt;
  for (const auto& [name, value] : versionStrings) {
    if (LowerAZ(name) == LowerAZ(subBlock)) return value;
  }
  return std::nullopt;
}

std::optional<std::string> FakeShell::ShortcutTarget(const std::string& linkPath) {
  std::string text;
  if (files_ == nullptr || !files_->ReadAll(linkPath, text)) return std::nullopt;
  const std::size_t end = text.find('\n');
  if (end == std::string::npos) return std::nullopt;
  return text.substr(0, end);
}

ShortcutSave FakeShell::SaveShortcut(const std::string& linkPath, const std::string& target,
                                     const std::string& workingFolder) {
  ++shortcutSaves;
  if (onSaveShortcut) onSaveShortcut();
  if (linkObjectMissing) return ShortcutSave::NoLinkObject;
  if (files_ == nullptr) return ShortcutSave::Refused;
  if (files_->FileExists(linkPath) && !files_->Delete(linkPath).ok()) return ShortcutSave::Refused;
  FileHandle handle = 0;
  if (!files_->CreateNew(linkPath, handle).ok()) return ShortcutSave::Refused;
  const bool written = files_->Write(handle, target + "\n" + workingFolder).ok();
  files_->Close(handle);
  return written ? ShortcutSave::Saved : ShortcutSave::Refused;
}

}  // namespace mvx::fakes
