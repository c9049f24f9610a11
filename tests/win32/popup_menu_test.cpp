#include "win32/views/popup_menu.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace mvx::testing {
namespace {

struct ItemSeen {
  UINT type;
  UINT state;
  std::string text;
  bool hasSubmenu;
};

ItemSeen Read(HMENU menu, UINT position) {
  char text[128] = {};
  MENUITEMINFOA info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_STRING | MIIM_SUBMENU | MIIM_ID;
  info.dwTypeData = text;
  info.cch = sizeof text;
  EXPECT_TRUE(GetMenuItemInfoA(menu, position, TRUE, &info));
  return {info.fType & MFT_SEPARATOR, info.fState & (MFS_CHECKED | MFS_GRAYED | MFS_DEFAULT), text,
          info.hSubMenu != nullptr};
}

TEST(PopupMenu, BuiltMenuHasTheItemsOfTheModel) {
  TMenuItem menu("menu");
  menu.Add("now", "Change Wallpaper &Now").SetDefault(true);
  menu.Add("run", "Run &Slideshow").SetChecked(true);
  menu.AddSeparator();
  menu.Add("off", "&Disable this Wallpaper").SetEnabled(false);
  TMenuItem& help = menu.Add("help", "&Help");
  help.Add("contents", "&Contents");
  help.Add("about", "&About...");

  std::vector<TMenuItem*> commands;
  HMENU handle = win32::BuildPopupMenu(menu, commands);
  ASSERT_EQ(GetMenuItemCount(handle), 5);
  struct Expected {
    UINT type, state;
    const char* text;
    bool submenu;
  };
  const Expected expected[] = {
      {0, MFS_DEFAULT, "Change Wallpaper &Now", false},
      {0, MFS_CHECKED, "Run &Slideshow", false},
      {MFT_SEPARATOR, 0, "", false},
      {0, MFS_GRAYED, "&Disable this Wallpaper", false},
      {0, 0, "&Help", true},
  };
  for (UINT i = 0; i < 5; ++i) {
    SCOPED_TRACE(i);
    const ItemSeen seen = Read(handle, i);
    EXPECT_EQ(seen.type, expected[i].type);
    EXPECT_EQ(seen.state, expected[i].state);
    EXPECT_EQ(seen.text, expected[i].text);
    EXPECT_EQ(seen.hasSubmenu, expected[i].submenu);
  }
  EXPECT_EQ(GetMenuDefaultItem(handle, TRUE, 0), 0u);

  HMENU sub = GetSubMenu(handle, 4);
  ASSERT_EQ(GetMenuItemCount(sub), 2);
  EXPECT_EQ(Read(sub, 1).text, "&About...");
  DestroyMenu(handle);
}

TEST(PopupMenu, EachCommandLeadsToItsItem) {
  TMenuItem menu("menu");
  menu.Add("a", "&A");
  menu.AddSeparator();
  TMenuItem& sub = menu.Add("sub", "&Sub");
  TMenuItem& inner = sub.Add("inner", "&Inner");
  TMenuItem& last = menu.Add("b", "&B");

  std::vector<TMenuItem*> commands;
  HMENU handle = win32::BuildPopupMenu(menu, commands);
  for (TMenuItem* item : {menu.Items()[0].get(), &inner, &last}) {
    SCOPED_TRACE(item->Name());
    bool found = false;
    for (std::size_t i = 0; i < commands.size(); ++i) {
      if (commands[i] != item) continue;
      char text[64] = {};
      GetMenuStringA(handle, static_cast<UINT>(i + 1), text, sizeof text, MF_BYCOMMAND);
      EXPECT_EQ(std::string(text), item->Caption());
      found = true;
    }
    EXPECT_TRUE(found);
  }
  DestroyMenu(handle);
}

// A top-level window owns its own menus; a message-only window's menus
// are owned by one hidden top-level window, the same each time, and a new
// one once that went.
TEST(PopupMenu, TheMenusOwnerIsATopLevelWindowThatCanComeToTheForeground) {
  const HINSTANCE instance = GetModuleHandleA(nullptr);
  HWND topLevel = CreateWindowExA(WS_EX_TOOLWINDOW, "STATIC", "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, instance,
                                  nullptr);
  HWND messageOnly = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance, nullptr);
  ASSERT_NE(topLevel, nullptr);
  ASSERT_NE(messageOnly, nullptr);
  EXPECT_EQ(win32::MenuOwnerFor(topLevel), topLevel);
  HWND owner = win32::MenuOwnerFor(messageOnly);
  EXPECT_NE(owner, messageOnly);
  EXPECT_NE(owner, topLevel);
  EXPECT_EQ(GetAncestor(owner, GA_PARENT), GetDesktopWindow());
  EXPECT_FALSE(IsWindowVisible(owner));
  EXPECT_EQ(win32::MenuOwnerFor(messageOnly), owner);
  DestroyWindow(owner);
  HWND next = win32::MenuOwnerFor(messageOnly);
  EXPECT_TRUE(IsWindow(next));
  EXPECT_EQ(GetAncestor(next, GA_PARENT), GetDesktopWindow());
  DestroyWindow(messageOnly);
  DestroyWindow(topLevel);
}

}  // namespace
}  // namespace mvx::testing
