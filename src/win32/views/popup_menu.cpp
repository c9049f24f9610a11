#include "win32/views/popup_menu.h"

#include <string>

namespace mvx::win32 {

namespace {

UINT StateOf(const TMenuItem& item) {
  UINT state = 0;
  if (item.Checked()) state |= MFS_CHECKED;
  if (!item.Enabled()) state |= MFS_GRAYED;
  if (item.Default()) state |= MFS_DEFAULT;
  return state;
}

// Posted when the menu is done, so that the next pop-up of the
// notification area's menu behaves (the shell's known quirk).
class PostNullOnExit {
 public:
  explicit PostNullOnExit(HWND owner) : owner_(owner) {}
  ~PostNullOnExit() { PostMessageA(owner_, WM_NULL, 0, 0); }
  PostNullOnExit(const PostNullOnExit&) = delete;
  PostNullOnExit& operator=(const PostNullOnExit&) = delete;

 private:
  HWND owner_;
};

}  // namespace

HMENU BuildPopupMenu(TMenuItem& menu, std::vector<TMenuItem*>& commands) {
  HMENU handle = CreatePopupMenu();
  UINT position = 0;
  for (const auto& item : menu.Items()) {
    if (!item->Visible()) continue;
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    std::string caption = item->Caption();
    if (item->IsSeparator()) {
      info.fMask = MIIM_FTYPE;
      info.fType = MFT_SEPARATOR;
    } else {
      commands.push_back(item.get());
      info.fMask = MIIM_FTYPE | MIIM_STRING | MIIM_ID | MIIM_STATE;
      info.fType = MFT_STRING | (item->RadioItem() ? MFT_RADIOCHECK : 0u);
      info.dwTypeData = caption.data();
      info.cch = static_cast<UINT>(caption.size());
      info.wID = static_cast<UINT>(commands.size());
      info.fState = StateOf(*item);
      if (!item->Items().empty()) {
        info.fMask |= MIIM_SUBMENU;
        info.hSubMenu = BuildPopupMenu(*item, commands);
      }
    }
    InsertMenuItemA(handle, position, TRUE, &info);
    if (item->Default() && !item->IsSeparator()) SetMenuDefaultItem(handle, position, TRUE);
    ++position;
  }
  return handle;
}

HWND MenuOwnerFor(HWND window) {
  if (GetAncestor(window, GA_PARENT) == GetDesktopWindow()) return window;
  thread_local HWND menuOwner = nullptr;
  if (menuOwner == nullptr || !IsWindow(menuOwner)) {
    menuOwner = CreateWindowExA(WS_EX_TOOLWINDOW, "STATIC", "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
  }
  return menuOwner != nullptr ? menuOwner : window;
}

void TrackMenuAtCursor(TMenuItem& menu, HWND window) {
  const HWND owner = MenuOwnerFor(window);
  std::vector<TMenuItem*> commands;
  HMENU handle = BuildPopupMenu(menu, commands);
  SetForegroundWindow(owner);
  POINT at{};
  GetCursorPos(&at);
  const auto chosen = static_cast<std::size_t>(
      TrackPopupMenu(handle, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, at.x, at.y, 0, owner, nullptr));
  DestroyMenu(handle);
  PostNullOnExit postNull(owner);
  if (chosen >= 1 && chosen <= commands.size()) commands[chosen - 1]->Click();
}

}  // namespace mvx::win32
