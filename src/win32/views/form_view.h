#pragma once
#include <windows.h>

#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "app/application.h"
#include "forms/dpi_scaling.h"
#include "forms/form.h"
#include "win32/views/common_controls.h"
#include "win32/views/control_tips.h"
#include "win32/views/view_fonts.h"

namespace mvx::win32 {

// How a form's window looks from outside.
struct FormWindowStyle {
  DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
  DWORD exStyle = 0;
  // The icon resource of the window's class, loaded when the class is first
  // registered: the big image and the small one at their sizes, each from
  // the resource's own images.
  LPCSTR iconResource = nullptr;
  // This control and everything inside it get no window: fixed values the
  // user never sees.
  const TControl* neverShown = nullptr;
  // The window this one stays above and goes with (a modal window's owner).
  HWND owner = nullptr;
  // The controls get their windows only when the form is first shown, and
  // those on a page of a page control when that page is first shown: a
  // window that may never be shown costs no more than its frame until then.
  // The form's own window exists from the start, so its messages arrive.
  bool controlsOnFirstShow = false;
  // The form's own window too is made only when the form is first shown,
  // for a form that needs no messages before then (a notice, the splash).
  // Its controls then come with it.
  bool windowOnFirstShow = false;
  // Whether the window leaves its controls' places unpainted. A window with
  // group boxes on it must paint beneath them: they do not fill themselves.
  bool clipChildren = true;
};

// The real window of a form and a real child control for each of its
// controls, kept in step both ways: the user's input goes into the model,
// which runs the handlers; a change made by the program shows in the
// control without coming back into the model.
class FormView : public FormObserver {
 public:
  FormView(TForm& form, TApplication& app, const FormWindowStyle& style);
  ~FormView() override;
  FormView(const FormView&) = delete;
  FormView& operator=(const FormView&) = delete;

  // Null for a window made on first show that was not shown yet.
  HWND Window() const { return hwnd_; }
  TForm& Form() const { return form_; }
  // The DPI the window is laid out for: its monitor's.
  int Dpi() const { return dpi_; }
  // The real control of a model control; null when it has none.
  HWND ControlWindow(const TControl& control) const;
  // The window's outer size for the form's client size at the window's DPI
  // (the design's while the window is not made yet).
  SIZE FrameSize() const;
  // Destroys the window and its controls; the model stays.
  void Destroy();

  void ControlChanged(TControl& control, ControlProp prop) override;
  void FormChanged(TForm& form) override;
  void FocusChanged(TForm& form, TControl* focused) override;
  void BringToForeground(TForm& form) override;

 protected:
  // A window's own handling of a message before the common one; true when
  // the message was handled and result is the answer.
  virtual bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
  TApplication& App() const { return app_; }
  // The brush behind the text of labels; the form's colour unless a window
  // paints its own background.
  virtual HBRUSH LabelBackground() const;
  // A web link label: blue on the labels' background.
  bool ColourLink(HWND window, HDC dc, LRESULT& result) const;
  // The hand cursor over a web link; true when the cursor was set.
  bool LinkCursor(HWND window) const;

 private:
  // Marks a change made by the program while it is applied to the controls,
  // so that the controls' notifications of it are not taken as input.
  class ApplyScope {
   public:
    explicit ApplyScope(FormView& view) : view_(view) { ++view_.applying_; }
    ~ApplyScope() { --view_.applying_; }
    ApplyScope(const ApplyScope&) = delete;
    ApplyScope& operator=(const ApplyScope&) = delete;

   private:
    FormView& view_;
  };

  // Posted after a control lost the focus: the focus has moved on by then.
  static constexpr UINT kSyncFocus = WM_APP + 1;
  // Posted after the window lost the activation: the form hears of it once
  // the switch is over, when it may take the activation back.
  static constexpr UINT kDeactivated = WM_APP + 2;

  static LRESULT CALLBACK FormProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
  static LRESULT CALLBACK ContainerProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
  void KeepToolbarImages();
  void Detach();

  // form_view_create.cpp
  void CreateFormWindow();
  void CreateControlsOnce();
  void CreateControls(const TControl* within);
  const TControl* UnopenedPageOf(const TControl& control) const;
  void OpenShownPages();
  static void LayPageAboveTabs(HWND page, HWND tabs);
  void CreateControl(TControl& control, int id, bool startsGroup);
  bool MakeOnceShown(const TControl& control);
  void SetUpTabs(const TControl& pages, HWND tabs);
  void SizeTabs(HWND tabs);
  void FinishControls(const TControl* within);
  HWND ParentWindowOf(const TControl& control) const;
  RECT PlaceOf(const TControl& control) const;

  // form_view_dpi.cpp
  void OnDpiChanged(int dpi, const RECT& suggested);
  void ScaleInnerSizes(int oldDpi);
  void PlaceTopLevelControls();

  // form_view_apply.cpp
  void ApplyValue(const TControl& control, HWND window);
  void ApplyCaption(const TControl& control, HWND window);
  void ApplyFont(const TControl& control, HWND window);
  void ApplyTree(const TControl& control, ControlProp prop);
  void ApplyForm();
  void ApplyFormSize();
  void ApplyFormShown();
  void FocusActiveControl();

  // form_view_input.cpp
  bool OnCommand(WPARAM wParam, LPARAM lParam);
  bool OnNotify(const NMHDR& header, LRESULT& result);
  void OnCheckClicked(TControl& control, HWND window);
  void ClickDialogButton(bool ok);
  void SyncFocusFromSystem();
  void OnMovedOrSized(WPARAM sizeType, bool sized);
  TControl* ControlOf(HWND window) const;

  TForm& form_;
  TApplication& app_;
  const FormWindowStyle windowStyle_;
  HWND hwnd_ = nullptr;
  const DWORD style_;  // with the clipping of children the style asks for
  int applying_ = 0;
  int dpi_ = kDesignDpi;
  bool controlsCreated_ = false;
  std::vector<const TControl*> unopenedPages_;
  // Progress bars hidden when their page was made wait for their first
  // showing, with the id and grouping they would have had.
  std::unordered_map<const TControl*, std::pair<int, bool>> hiddenUntilShown_;
  ViewFonts fonts_;
  ControlTips tips_;
  std::unordered_map<const TControl*, HWND> windows_;
  std::unordered_map<HWND, TControl*> controls_;
  // The height of each tab control's tabs when made, and the DPI then.
  std::unordered_map<HWND, std::pair<int, int>> tabHeights_;
  // The toolbars' pictures, taken as the window goes and freed once its
  // controls are gone.
  std::vector<HIMAGELIST> leftImages_;
};

// Text of a window as UTF-8 (the program runs in the UTF-8 code page).
std::string WindowText(HWND window);

}  // namespace mvx::win32
