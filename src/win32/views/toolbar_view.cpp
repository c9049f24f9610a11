#include "win32/views/toolbar_view.h"

#include <string>
#include <vector>

#include "forms/dpi_scaling.h"

namespace mvx::win32 {

namespace {

constexpr int kButtonSize = 25;
constexpr int kBorder = 3;
constexpr BYTE kModelStates = TBSTATE_ENABLED | TBSTATE_HIDDEN;
// The toolbar's user data says its tooltips were switched off. A toolbar's
// tooltip window is made when it is first needed, and asking for it makes it:
// it is asked for only to switch it, never to find that it is on, as it starts.
constexpr LONG_PTR kTipsOff = 1;

BYTE StateOf(const TToolBar& bar, const TToolButton& button) {
  BYTE state = 0;
  if (button.Enabled()) state |= TBSTATE_ENABLED;
  if (!bar.Shows(button)) state |= TBSTATE_HIDDEN;
  return state;
}

void CopyTip(const std::string& text, char* buffer, int size) {
  if (buffer == nullptr || size <= 0) return;
  lstrcpynA(buffer, text.c_str(), size);
}

void CopyTip(const std::string& text, wchar_t* buffer, int size) {
  if (buffer == nullptr || size <= 0) return;
  const int n = MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, buffer, size);
  if (n == 0) buffer[0] = L'\0';
  buffer[size - 1] = L'\0';
}

TToolButton* ButtonOf(const TToolBar& bar, int id) {
  const int index = id - kFirstToolButtonId;
  if (index < 0 || static_cast<std::size_t>(index) >= bar.Buttons().size()) return nullptr;
  return bar.Buttons()[static_cast<std::size_t>(index)].get();
}

}  // namespace

void ScaleToolBar(HWND window, int dpi) {
  const int size = PictureSizeForDpi(dpi);
  SendMessageA(window, TB_SETBITMAPSIZE, 0, MAKELPARAM(size, size));
  auto old = reinterpret_cast<HIMAGELIST>(
      SendMessageA(window, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(CreateToolbarImages(size))));
  if (old != nullptr) ImageList_Destroy(old);
  SendMessageA(window, TB_SETINDENT, static_cast<WPARAM>(ScaleToDpi(kBorder, dpi)), 0);
  const int button = ScaleToDpi(kButtonSize, dpi);
  SendMessageA(window, TB_SETBUTTONSIZE, 0, MAKELPARAM(button, button));
  InvalidateRect(window, nullptr, TRUE);
}

void SetUpToolBar(const TToolBar& bar, HWND window, int dpi) {
  SendMessageA(window, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  const int size = PictureSizeForDpi(dpi);
  SendMessageA(window, TB_SETBITMAPSIZE, 0, MAKELPARAM(size, size));
  SendMessageA(window, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(CreateToolbarImages(size)));
  SendMessageA(window, TB_SETINDENT, static_cast<WPARAM>(ScaleToDpi(kBorder, dpi)), 0);
  std::vector<TBBUTTON> buttons;
  int id = kFirstToolButtonId;
  for (const auto& button : bar.Buttons()) {
    TBBUTTON b{};
    b.iBitmap = button->IsSeparator() ? 0 : button->ImageIndex();
    b.idCommand = id++;
    b.fsState = StateOf(bar, *button);
    b.fsStyle = button->IsSeparator() ? BTNS_SEP : BTNS_BUTTON;
    b.iString = -1;
    buttons.push_back(b);
  }
  SendMessageA(window, TB_ADDBUTTONSA, buttons.size(), reinterpret_cast<LPARAM>(buttons.data()));
  const int button = ScaleToDpi(kButtonSize, dpi);
  SendMessageA(window, TB_SETBUTTONSIZE, 0, MAKELPARAM(button, button));
}

void ApplyToolBar(const TToolBar& bar, HWND window) {
  int id = kFirstToolButtonId;
  for (const auto& button : bar.Buttons()) {
    const auto now = static_cast<BYTE>(SendMessageA(window, TB_GETSTATE, static_cast<WPARAM>(id), 0));
    const auto want = static_cast<BYTE>((now & ~kModelStates) | StateOf(bar, *button));
    if (now != want) SendMessageA(window, TB_SETSTATE, static_cast<WPARAM>(id), MAKELPARAM(want, 0));
    if (!button->IsSeparator() &&
        SendMessageA(window, TB_GETBITMAP, static_cast<WPARAM>(id), 0) != button->ImageIndex()) {
      SendMessageA(window, TB_CHANGEBITMAP, static_cast<WPARAM>(id), button->ImageIndex());
    }
    ++id;
  }
  const bool off = GetWindowLongPtrA(window, GWLP_USERDATA) == kTipsOff;
  if (off != bar.ShowHint()) return;
  if (HWND tips = reinterpret_cast<HWND>(SendMessageA(window, TB_GETTOOLTIPS, 0, 0))) {
    SendMessageA(tips, TTM_ACTIVATE, bar.ShowHint() ? TRUE : FALSE, 0);
    SetWindowLongPtrA(window, GWLP_USERDATA, bar.ShowHint() ? 0 : kTipsOff);
  }
}

HIMAGELIST ToolBarImages(HWND window) {
  return reinterpret_cast<HIMAGELIST>(SendMessageA(window, TB_GETIMAGELIST, 0, 0));
}

void ToolBarCommand(TToolBar& bar, int id) {
  if (TToolButton* button = ButtonOf(bar, id)) button->Click();
}

bool ToolBarNotify(const TToolBar& bar, const NMHDR& header) {
  if (header.code == TBN_GETINFOTIPA) {
    const auto& tip = reinterpret_cast<const NMTBGETINFOTIPA&>(header);
    const TToolButton* button = ButtonOf(bar, tip.iItem);
    CopyTip(button != nullptr ? bar.TooltipText(*button) : std::string(), tip.pszText, tip.cchTextMax);
    return true;
  }
  if (header.code == TBN_GETINFOTIPW) {
    const auto& tip = reinterpret_cast<const NMTBGETINFOTIPW&>(header);
    const TToolButton* button = ButtonOf(bar, tip.iItem);
    CopyTip(button != nullptr ? bar.TooltipText(*button) : std::string(), tip.pszText, tip.cchTextMax);
    return true;
  }
  return false;
}

}  // namespace mvx::win32
