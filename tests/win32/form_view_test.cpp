#include "win32/views/form_view.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <stdexcept>
#include <string>

#include "forms/form.h"
#include "win32/view_test_env.h"
#include "win32/views/common_controls.h"

namespace mvx::testing {
namespace {

// A small window with a control of every kind.
class TestForm : public TForm {
 public:
  TestForm() : TForm("FrmViewTest") {
    SetCaption("View test");
    SetClientSize(320, 240);
    SetLeft(40);
    SetTop(40);
    pages.SetBounds(5, 5, 310, 180);
    for (TTabSheet* page : {&page1, &page2}) pages.AddPage(page);
    page1.SetCaption("&First");
    page2.SetCaption("&Second");
    pages.SetActivePage(&page1);
    group.SetBounds(8, 8, 280, 120);
    group.SetCaption(" Group ");
    check.SetBounds(10, 20, 120, 18);
    check.SetCaption("&Check");
    edit.SetBounds(10, 44, 50, 22);
    upDown.SetBounds(60, 44, 16, 22);
    upDown.Setup(&edit, 0, 50, 5, 5);
    radioA.SetBounds(10, 72, 100, 18);
    radioA.SetCaption("Radio &A");
    radioA.SetChecked(true);
    radioB.SetBounds(10, 94, 100, 18);
    radioB.SetCaption("Radio &B");
    label.SetBounds(10, 10, 40, 16);
    label.SetCaption("A label that is longer than its place");
    list.SetBounds(10, 40, 120, 60);
    list.SetItems({"one", "two"});
    bar.SetBounds(5, 190, 100, 14);
    panel.SetBounds(0, 205, 320, 35);
    ok.SetBounds(240, 5, 75, 24);
    ok.SetCaption("&OK");
    ok.IsDefault = true;
    fixedValues.SetBounds(0, 0, 10, 10);
    fixedValues.SetVisible(false);
    fixedCheck.SetBounds(0, 0, 10, 10);
  }
  TPageControl& pages = Make<TPageControl>(nullptr, "pages");
  TTabSheet& page1 = Make<TTabSheet>(&pages, "page1");
  TTabSheet& page2 = Make<TTabSheet>(&pages, "page2");
  TGroupBox& group = Make<TGroupBox>(&page1, "group");
  TCheckBox& check = Make<TCheckBox>(&group, "check");
  TEdit& edit = Make<TEdit>(&group, "edit");
  TUpDown& upDown = Make<TUpDown>(&group, "upDown");
  TRadioButton& radioA = Make<TRadioButton>(&group, "radioA");
  TRadioButton& radioB = Make<TRadioButton>(&group, "radioB");
  TLabel& label = Make<TLabel>(&page2, "label");
  TListBox& list = Make<TListBox>(&page2, "list");
  TProgressBar& bar = Make<TProgressBar>(nullptr, "bar");
  TPanel& panel = Make<TPanel>(nullptr, "panel");
  TButton& ok = Make<TButton>(&panel, "ok");
  TPanel& fixedValues = Make<TPanel>(nullptr, "fixedValues");
  TCheckBox& fixedCheck = Make<TCheckBox>(&fixedValues, "fixedCheck");
};

class FormViewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form.check.OnClick = [this](TObject*) { ++checkClicks; };
    form.edit.OnChange = [this](TObject*) { ++editChanges; };
    form.upDown.OnClick = [this](TObject*) { ++arrowClicks; };
    form.radioB.OnClick = [this](TObject*) { ++radioClicks; };
    form.ok.OnClick = [this](TObject*) { ++okClicks; };
    form.pages.OnChange = [this](TObject*) { ++pageChanges; };
    win32::FormWindowStyle style;
    style.neverShown = &form.fixedValues;
    view = std::make_unique<win32::FormView>(form, env.app, style);
    form.Show();
    Pump();
  }
  void TearDown() override {
    view.reset();
    Pump();
  }
  HWND W(const TControl& control) const { return view->ControlWindow(control); }
  static bool Checked(HWND window) { return SendMessageA(window, BM_GETCHECK, 0, 0) == BST_CHECKED; }
  static RECT PlaceOnParent(HWND window) {
    RECT rc{};
    GetWindowRect(window, &rc);
    MapWindowPoints(HWND_DESKTOP, GetParent(window), reinterpret_cast<POINT*>(&rc), 2);
    return rc;
  }

  ViewEnv env;
  TestForm form;
  std::unique_ptr<win32::FormView> view;
  int checkClicks = 0, editChanges = 0, arrowClicks = 0, radioClicks = 0, okClicks = 0, pageChanges = 0;
};

TEST_F(FormViewTest, ClickOnTheRealCheckBoxUpdatesTheModelAndRunsItsHandlerOnce) {
  SendMessageA(W(form.check), BM_CLICK, 0, 0);
  EXPECT_TRUE(form.check.Checked());
  EXPECT_EQ(checkClicks, 1);
  SendMessageA(W(form.check), BM_CLICK, 0, 0);
  EXPECT_FALSE(form.check.Checked());
  EXPECT_FALSE(Checked(W(form.check)));
  EXPECT_EQ(checkClicks, 2);
}

TEST_F(FormViewTest, ClickOnARadioButtonChecksItAndUnchecksItsNeighbour) {
  SendMessageA(W(form.radioB), BM_CLICK, 0, 0);
  EXPECT_TRUE(form.radioB.Checked());
  EXPECT_FALSE(form.radioA.Checked());
  EXPECT_FALSE(Checked(W(form.radioA)));
  EXPECT_EQ(radioClicks, 1);
}

TEST_F(FormViewTest, TypingIntoTheEditUpdatesTheModelWithEveryKey) {
  SetFocus(W(form.edit));
  SendMessageA(W(form.edit), EM_SETSEL, 0, -1);
  for (char c : std::string("25")) SendMessageA(W(form.edit), WM_CHAR, static_cast<WPARAM>(c), 1);
  EXPECT_EQ(form.edit.Text(), "25");
  EXPECT_EQ(form.upDown.Position(), 25);
  EXPECT_EQ(editChanges, 2);  // "2", then "25"
}

TEST_F(FormViewTest, ButtonClickRunsItsHandlerOnce) {
  SendMessageA(W(form.ok), BM_CLICK, 0, 0);
  EXPECT_EQ(okClicks, 1);
}

struct ProgramChange {
  const char* what;
  std::function<void(TestForm&)> change;
  std::function<bool(TestForm&, const win32::FormView&)> shown;
  int checkClicks, editChanges, radioClicks;
};

TEST_F(FormViewTest, ChangesMadeByTheProgramShowInTheControlsAndRunTheirHandlersOnce) {
  auto w = [](const win32::FormView& v, const TControl& c) { return v.ControlWindow(c); };
  const ProgramChange cases[] = {
      {"check box", [](TestForm& f) { f.check.SetChecked(true); },
       [&](TestForm& f, const win32::FormView& v) { return Checked(w(v, f.check)); }, 1, 0, 0},
      {"radio button", [](TestForm& f) { f.radioB.SetChecked(true); },
       [&](TestForm& f, const win32::FormView& v) { return Checked(w(v, f.radioB)) && !Checked(w(v, f.radioA)); }, 0, 0,
       1},
      {"edit text", [](TestForm& f) { f.edit.SetText("30"); },
       [&](TestForm& f, const win32::FormView& v) { return win32::WindowText(w(v, f.edit)) == "30"; }, 0, 1, 0},
      {"up-down position", [](TestForm& f) { f.upDown.SetPosition(45); },
       [&](TestForm& f, const win32::FormView& v) {
         return win32::WindowText(w(v, f.edit)) == "45" && SendMessageA(w(v, f.upDown), UDM_GETPOS32, 0, 0) == 45;
       },
       0, 1, 0},
      {"progress", [](TestForm& f) { f.bar.SetPosition(60); },
       [&](TestForm& f, const win32::FormView& v) { return SendMessageA(w(v, f.bar), PBM_GETPOS, 0, 0) == 60; }, 0, 0,
       0},
      {"list items",
       [](TestForm& f) {
         f.list.SetItems({"a", "b", "c"});
       },
       [&](TestForm& f, const win32::FormView& v) { return SendMessageA(w(v, f.list), LB_GETCOUNT, 0, 0) == 3; }, 0, 0,
       0},
      {"caption", [](TestForm& f) { f.check.SetCaption("&Other"); },
       [&](TestForm& f, const win32::FormView& v) { return win32::WindowText(w(v, f.check)) == "&Other"; }, 0, 0, 0},
      {"disabled group", [](TestForm& f) { f.group.SetEnabled(false); },
       [&](TestForm& f, const win32::FormView& v) { return !IsWindowEnabled(w(v, f.check)); }, 0, 0, 0},
      {"hidden group", [](TestForm& f) { f.group.SetVisible(false); },
       [&](TestForm& f, const win32::FormView& v) { return !IsWindowVisible(w(v, f.edit)); }, 0, 0, 0},
      {"form caption", [](TestForm& f) { f.SetCaption("Renamed"); },
       [](TestForm&, const win32::FormView& v) { return win32::WindowText(v.Window()) == "Renamed"; }, 0, 0, 0},
      {"hidden form", [](TestForm& f) { f.Hide(); },
       [](TestForm&, const win32::FormView& v) { return !IsWindowVisible(v.Window()); }, 0, 0, 0},
  };
  for (const ProgramChange& c : cases) {
    SCOPED_TRACE(c.what);
    TestForm fresh;
    int checks = 0, edits = 0, radios = 0;
    fresh.check.OnClick = [&](TObject*) { ++checks; };
    fresh.edit.OnChange = [&](TObject*) { ++edits; };
    fresh.radioB.OnClick = [&](TObject*) { ++radios; };
    win32::FormView freshView(fresh, env.app, {});
    fresh.Show();
    c.change(fresh);
    Pump();
    EXPECT_TRUE(c.shown(fresh, freshView));
    EXPECT_EQ(checks, c.checkClicks);
    EXPECT_EQ(edits, c.editChanges);
    EXPECT_EQ(radios, c.radioClicks);
  }
}

TEST_F(FormViewTest, UpArrowStepsTheEditThroughTheModelOnce) {
  RECT rc{};
  GetClientRect(W(form.upDown), &rc);
  ClickAt(W(form.upDown), rc.right / 2, 2);
  EXPECT_EQ(form.edit.Text(), "10");
  EXPECT_EQ(win32::WindowText(W(form.edit)), "10");
  EXPECT_EQ(arrowClicks, 1);
  EXPECT_EQ(editChanges, 1);
}

TEST_F(FormViewTest, DownKeyInTheEditStepsDownThroughTheModel) {
  SetFocus(W(form.edit));
  SendMessageA(W(form.edit), WM_KEYDOWN, VK_DOWN, 1);
  SendMessageA(W(form.edit), WM_KEYUP, VK_DOWN, 0xC0000001);
  EXPECT_EQ(form.edit.Text(), "0");
  EXPECT_EQ(win32::WindowText(W(form.edit)), "0");
  EXPECT_EQ(arrowClicks, 1);
}

TEST_F(FormViewTest, FocusMovesReachTheActiveControlWithEnterAndExit) {
  std::vector<std::string> events;
  form.edit.OnEnter = [&](TObject*) { events.push_back("enter edit"); };
  form.edit.OnExit = [&](TObject*) { events.push_back("exit edit"); };
  form.group.OnExit = [&](TObject*) { events.push_back("exit group"); };
  SetFocus(W(form.edit));
  EXPECT_EQ(form.ActiveControl(), &form.edit);
  SetFocus(W(form.check));
  EXPECT_EQ(form.ActiveControl(), &form.check);
  SetFocus(W(form.edit));
  SetFocus(W(form.pages));  // the tabs report no focus of their own
  Pump();
  EXPECT_EQ(form.ActiveControl(), &form.pages);
  EXPECT_EQ(events, (std::vector<std::string>{"enter edit", "exit edit", "enter edit", "exit edit", "exit group"}));
}

TEST_F(FormViewTest, FocusSetByTheProgramMovesTheRealFocus) {
  form.SetActiveControl(&form.check);
  EXPECT_EQ(GetFocus(), W(form.check));
}

TEST_F(FormViewTest, TabClickChangesTheActivePageAndShowsIt) {
  RECT tab{};
  SendMessageA(W(form.pages), TCM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&tab));
  ClickAt(W(form.pages), (tab.left + tab.right) / 2, (tab.top + tab.bottom) / 2);
  EXPECT_EQ(form.pages.ActivePage(), &form.page2);
  EXPECT_EQ(pageChanges, 1);
  EXPECT_TRUE(IsWindowVisible(W(form.page2)));
  EXPECT_FALSE(IsWindowVisible(W(form.page1)));

  form.pages.SetActivePage(&form.page1);
  EXPECT_EQ(SendMessageA(W(form.pages), TCM_GETCURSEL, 0, 0), 0);
  EXPECT_TRUE(IsWindowVisible(W(form.page1)));
  EXPECT_EQ(pageChanges, 2);
}

TEST_F(FormViewTest, PagesLieOnTheDisplayAreaOfTheirTabs) {
  RECT display{};
  GetClientRect(W(form.pages), &display);
  SendMessageA(W(form.pages), TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&display));
  MapWindowPoints(W(form.pages), view->Window(), reinterpret_cast<POINT*>(&display), 2);
  const RECT page = PlaceOnParent(W(form.page1));
  EXPECT_TRUE(EqualRect(&page, &display));
  // Above the tabs, so they are seen and clicked.
  EXPECT_EQ(ChildWindowFromPoint(view->Window(), POINT{page.left + 3, page.top + 3}), W(form.page1));
}

TEST_F(FormViewTest, ControlsOfAGroupBoxLieBesideItMovedByItsPlace) {
  const RECT rc = PlaceOnParent(W(form.check));
  EXPECT_EQ(GetParent(W(form.check)), W(form.page1));
  EXPECT_EQ(rc.left, form.group.Left() + form.check.Left());
  EXPECT_EQ(rc.top, form.group.Top() + form.check.Top());
  form.group.SetBounds(20, 30, 280, 120);
  const RECT moved = PlaceOnParent(W(form.check));
  EXPECT_EQ(moved.left, 20 + form.check.Left());
  EXPECT_EQ(moved.top, 30 + form.check.Top());
}

TEST_F(FormViewTest, AnUpDownKeepsItsModelPlaceBesideItsEdit) {
  const RECT edit = PlaceOnParent(W(form.edit));
  const RECT upDown = PlaceOnParent(W(form.upDown));
  EXPECT_EQ(edit.right - edit.left, form.edit.Width());
  EXPECT_EQ(upDown.left, form.group.Left() + form.upDown.Left());
}

TEST_F(FormViewTest, ALabelGrowsToShowItsWholeCaption) {
  const RECT rc = PlaceOnParent(W(form.label));
  EXPECT_GT(rc.right - rc.left, form.label.Width());
}

// A panel is no window: the controls on it lie on its parent, moved by its
// place, and its flags reach them.
TEST_F(FormViewTest, ControlsOfAPanelLieOnItsParentAndFollowItsPlaceAndFlags) {
  EXPECT_EQ(W(form.panel), nullptr);
  ASSERT_NE(W(form.ok), nullptr);
  EXPECT_EQ(GetParent(W(form.ok)), view->Window());
  const RECT rc = PlaceOnParent(W(form.ok));
  EXPECT_EQ(rc.left, 0 + 240);
  EXPECT_EQ(rc.top, 205 + 5);
  form.panel.SetBounds(7, 190, 320, 35);
  const RECT moved = PlaceOnParent(W(form.ok));
  EXPECT_EQ(moved.left, 7 + 240);
  EXPECT_EQ(moved.top, 190 + 5);
  form.panel.SetEnabled(false);
  EXPECT_FALSE(IsWindowEnabled(W(form.ok)));
  form.panel.SetVisible(false);
  EXPECT_FALSE(IsWindowVisible(W(form.ok)));
  form.panel.SetVisible(true);
  form.panel.SetEnabled(true);
  EXPECT_TRUE(IsWindowVisible(W(form.ok)));
  EXPECT_TRUE(IsWindowEnabled(W(form.ok)));
}

TEST_F(FormViewTest, ControlsOfTheNeverShownPanelGetNoWindow) {
  EXPECT_EQ(W(form.fixedValues), nullptr);
  EXPECT_EQ(W(form.fixedCheck), nullptr);
  EXPECT_NE(W(form.check), nullptr);
}

TEST_F(FormViewTest, TheWindowHasTheModelsClientSizeAndTellsItTheOuterSize) {
  RECT client{}, outer{};
  GetClientRect(view->Window(), &client);
  GetWindowRect(view->Window(), &outer);
  EXPECT_EQ(client.right, 320);
  EXPECT_EQ(client.bottom, 240);
  EXPECT_EQ(form.Width(), outer.right - outer.left);
  EXPECT_EQ(form.Height(), outer.bottom - outer.top);
  EXPECT_EQ(form.Handle, reinterpret_cast<std::uintptr_t>(view->Window()));
}

TEST_F(FormViewTest, MovingAndMinimisingTheWindowReachTheModel) {
  SetWindowPos(view->Window(), nullptr, 70, 80, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  EXPECT_EQ(form.Left(), 70);
  EXPECT_EQ(form.Top(), 80);
  ShowWindow(view->Window(), SW_MINIMIZE);
  EXPECT_EQ(form.State(), WindowState::Minimized);
  form.SetState(WindowState::Normal);
  EXPECT_FALSE(IsIconic(view->Window()));
  EXPECT_EQ(form.Left(), 70);
}

TEST_F(FormViewTest, EnterRunsTheDefaultButtonThroughKeyboardNavigation) {
  SetFocus(W(form.check));
  MSG msg{W(form.check), WM_KEYDOWN, VK_RETURN, 1, 0, {}};
  EXPECT_TRUE(IsDialogMessageA(view->Window(), &msg));
  Pump();
  EXPECT_EQ(okClicks, 1);
}

TEST_F(FormViewTest, TheCloseBoxOfAPlainFormHidesIt) {
  SendMessageA(view->Window(), WM_CLOSE, 0, 0);
  EXPECT_FALSE(form.Visible());
  EXPECT_TRUE(IsWindow(view->Window()));
  EXPECT_FALSE(IsWindowVisible(view->Window()));
}

TEST_F(FormViewTest, AnErrorInAHandlerIsReportedAndTheWindowGoesOn) {
  form.check.OnClick = [](TObject*) { throw std::runtime_error("Unable to save"); };
  SendMessageA(W(form.check), BM_CLICK, 0, 0);
  EXPECT_EQ(env.prompts.texts, std::vector<std::string>{"Exception: Unable to save"});
  SendMessageA(W(form.ok), BM_CLICK, 0, 0);
  EXPECT_EQ(okClicks, 1);
}

}  // namespace
}  // namespace mvx::testing
