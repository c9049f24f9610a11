#include "win32/views/modal_window.h"

#include <optional>

#include "win32/views/form_view.h"

namespace mvx::win32 {

namespace {

FormWindowStyle ModalStyle(const TForm& form, HWND owner) {
  FormWindowStyle style;
  style.style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
  style.exStyle = (form.ToolWindow ? WS_EX_TOOLWINDOW : WS_EX_DLGMODALFRAME) | WS_EX_TOPMOST;
  style.owner = owner;
  style.clipChildren = false;
  return style;
}

// The close box ends the window with Cancel instead of hiding it, and Esc
// cancels even where no button is the cancel button.
class ModalWindow : public FormView {
 public:
  ModalWindow(TForm& form, TApplication& app, HWND owner) : FormView(form, app, ModalStyle(form, owner)) {}
  // Destroyed here, while this window's own handling still runs.
  ~ModalWindow() override { Destroy(); }
  ModalWindow(const ModalWindow&) = delete;
  ModalWindow& operator=(const ModalWindow&) = delete;

  bool escaped = false;

 protected:
  bool OnMessage(UINT message, WPARAM wParam, LPARAM, LRESULT& result) override {
    if (message == WM_CLOSE) {
      Form().Result = ModalResult::Cancel;
      result = 0;
      return true;
    }
    if (message == WM_COMMAND && LOWORD(wParam) == IDCANCEL) escaped = true;
    return false;
  }
};

// The owner takes no input while the modal window is up, and gets it back
// on every way out.
class OwnerDisabled {
 public:
  explicit OwnerDisabled(HWND owner) : owner_(owner != nullptr && IsWindowEnabled(owner) ? owner : nullptr) {
    if (owner_ != nullptr) EnableWindow(owner_, FALSE);
  }
  ~OwnerDisabled() { Restore(); }
  OwnerDisabled(const OwnerDisabled&) = delete;
  OwnerDisabled& operator=(const OwnerDisabled&) = delete;
  // Before the modal window goes, so that the activation returns to the owner.
  void Restore() {
    if (owner_ != nullptr) EnableWindow(owner_, TRUE);
    owner_ = nullptr;
  }

 private:
  HWND owner_;
};

void CentreOnScreen(TForm& form, HWND window) {
  RECT rc{};
  GetWindowRect(window, &rc);
  form.SetLeft((GetSystemMetrics(SM_CXSCREEN) - (rc.right - rc.left)) / 2);
  form.SetTop((GetSystemMetrics(SM_CYSCREEN) - (rc.bottom - rc.top)) / 2);
}

// A dialog opens with the whole text of its first field selected, to be
// typed over.
void SelectActiveEdit(const TForm& form, const FormView& view) {
  const TControl* active = form.ActiveControl();
  if (active == nullptr || active->Kind() != ControlKind::Edit) return;
  if (HWND edit = view.ControlWindow(*active)) SendMessageA(edit, EM_SETSEL, 0, -1);
}

// Runs the window's messages until it ends; the exit code of a WM_QUIT
// that came meanwhile, which belongs to the program's own loop.
std::optional<int> RunLoop(TForm& form, ModalWindow& window) {
  MSG msg;
  while (form.Result == ModalResult::None && form.Visible() && window.Window() != nullptr) {
    const BOOL got = GetMessageA(&msg, nullptr, 0, 0);
    if (got == 0) return static_cast<int>(msg.wParam);
    if (got < 0) break;
    if (!IsDialogMessageA(window.Window(), &msg)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    if (window.escaped && form.Result == ModalResult::None) form.Result = ModalResult::Cancel;
  }
  return std::nullopt;
}

}  // namespace

ModalResult RunModal(TForm& form, TApplication& app, HWND owner) {
  form.Result = ModalResult::None;
  ModalWindow window(form, app, owner);
  CentreOnScreen(form, window.Window());
  OwnerDisabled ownerDisabled(owner);
  std::optional<int> quit;
  try {
    form.Show();
    SelectActiveEdit(form, window);
    quit = RunLoop(form, window);
  } catch (...) {
    ownerDisabled.Restore();
    form.Hide();
    throw;
  }
  const ModalResult result = form.Result == ModalResult::None ? ModalResult::Cancel : form.Result;
  ownerDisabled.Restore();
  form.Hide();
  window.Destroy();
  if (quit) PostQuitMessage(*quit);
  form.Result = result;
  return result;
}

}  // namespace mvx::win32
