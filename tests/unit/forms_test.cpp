#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/form_scaling.h"
#include "fakes/fake_misc.h"
#include "fakes/fake_time.h"
#include "forms/form.h"
#include "forms/menu.h"
#include "forms/timer.h"

namespace mvx {
namespace {

class SampleForm : public TForm {
 public:
  SampleForm() : TForm("Sample") {}
  TGroupBox& group = Make<TGroupBox>(nullptr, "gbx");
  TEdit& edtMins = Make<TEdit>(&group, "edtMins");
  TUpDown& updMins = Make<TUpDown>(&group, "updMins");
  TCheckBox& chk = Make<TCheckBox>(nullptr, "chk");
  TRadioButton& rdoA = Make<TRadioButton>(&group, "rdoA");
  TRadioButton& rdoB = Make<TRadioButton>(&group, "rdoB");
};

TEST(FormModel, ValuesSetFromCodeFireTheSameEventsAsTheUser) {
  SampleForm f;
  std::vector<std::string> log;
  f.chk.OnClick = [&](TObject*) { log.push_back("chk " + std::to_string(f.chk.Checked())); };
  f.edtMins.OnChange = [&](TObject*) { log.push_back("edt " + f.edtMins.Text()); };
  f.chk.SetChecked(true);
  f.chk.SetChecked(true);  // unchanged: no event
  f.chk.Click();           // the user's click turns it over
  f.edtMins.SetText("7");
  f.edtMins.SetText("7");
  EXPECT_EQ(log, (std::vector<std::string>{"chk 1", "chk 0", "edt 7"}));
}

TEST(FormModel, UpDownFollowsItsEditAndClampsToItsRange) {
  SampleForm f;
  f.updMins.Setup(&f.edtMins, 0, 59, 1, 5);
  EXPECT_EQ(f.edtMins.Text(), "5");
  f.edtMins.SetText("10");
  EXPECT_EQ(f.updMins.Position(), 10);
  f.edtMins.SetText("99");
  EXPECT_EQ(f.updMins.Position(), 59);
  f.edtMins.SetText("ten");
  EXPECT_EQ(f.updMins.Position(), 5) << "unreadable text keeps the last set position";
  f.updMins.SetPosition(-3);
  EXPECT_EQ(f.edtMins.Text(), "0");
  int clicks = 0;
  f.updMins.OnClick = [&](TObject*) { ++clicks; };
  f.updMins.ArrowClick(true);
  EXPECT_EQ(f.edtMins.Text(), "1");
  EXPECT_EQ(clicks, 1);
}

TEST(FormModel, RadioButtonsOfOneParentExcludeEachOther) {
  SampleForm f;
  int clicksB = 0;
  f.rdoB.OnClick = [&](TObject*) { ++clicksB; };
  f.rdoA.SetChecked(true);
  f.rdoB.SetChecked(true);
  EXPECT_FALSE(f.rdoA.Checked());
  EXPECT_TRUE(f.rdoB.Checked());
  EXPECT_EQ(clicksB, 1);
}

TEST(FormModel, FocusMovesRunExitAndEnterOfControlsAndTheirContainers) {
  SampleForm f;
  std::vector<std::string> log;
  for (TControl* c : {static_cast<TControl*>(&f.group), static_cast<TControl*>(&f.edtMins),
                      static_cast<TControl*>(&f.chk), static_cast<TControl*>(&f.rdoA)}) {
    c->OnEnter = [&log, c](TObject*) { log.push_back("enter " + c->Name()); };
    c->OnExit = [&log, c](TObject*) { log.push_back("exit " + c->Name()); };
  }
  f.SetActiveControl(&f.edtMins);
  f.SetActiveControl(&f.rdoA);  // stays inside the group
  f.SetActiveControl(&f.chk);   // leaves the group
  EXPECT_EQ(log, (std::vector<std::string>{"enter gbx", "enter edtMins", "exit edtMins", "enter rdoA", "exit rdoA",
                                           "exit gbx", "enter chk"}));
  EXPECT_EQ(f.ActiveControl(), &f.chk);
}

TEST(FormModel, TimerRestartsOnlyOnARealChange) {
  fakes::FakeTime time;
  TTimer timer(time);
  int ticks = 0;
  timer.OnTimer = [&](TObject*) { ++ticks; };
  timer.SetInterval(0);
  time.Advance(10000);
  EXPECT_EQ(ticks, 0) << "interval 0 never ticks";
  timer.SetInterval(1000);
  time.Advance(600);
  timer.SetEnabled(true);   // already enabled: countdown goes on
  timer.SetInterval(1000);  // same value: countdown goes on
  time.Advance(400);
  EXPECT_EQ(ticks, 1);
  time.Advance(600);
  timer.SetEnabled(false);
  timer.SetEnabled(true);  // restart
  time.Advance(999);
  EXPECT_EQ(ticks, 1);
  time.Advance(1);
  EXPECT_EQ(ticks, 2);
}

TEST(FormModel, MenuItemsFindByNameAndClick) {
  TMenuItem menu("menuIcon");
  int clicks = 0;
  TMenuItem& help = menu.Add("mnuHelp", "&Help");
  help.Add("mnuContents1", "&Contents").OnClick = [&](TObject*) { ++clicks; };
  menu.AddSeparator();
  ASSERT_NE(menu.Find("mnuContents1"), nullptr);
  menu.Find("mnuContents1")->Click();
  EXPECT_EQ(clicks, 1);
  EXPECT_TRUE(menu.Items()[1]->IsSeparator());
}

class ScaledForm : public TForm {
 public:
  ScaledForm() : TForm("Scaled") {}
  TPanel& panel = Make<TPanel>(nullptr, "pnl");
  TLabel& inner = Make<TLabel>(&panel, "lblInner");
  TLabel& direct = Make<TLabel>(nullptr, "lblDirect");
};

TEST(AdjustFormScaling, At96DpiOnlyTracesBegin) {
  fakes::FakeTrace trace;
  ScaledForm f;
  f.SetFontHeight(-22);
  AdjustFormScaling(&f, 96, trace);
  EXPECT_EQ(trace.Texts(), std::vector<std::string>{"AdjustFormScaling: Begin"});
  EXPECT_EQ(f.direct.FontHeight(), -11);
}

TEST(AdjustFormScaling, AboveOrBelow96DpiTracesAndLeavesTheDesignFontsToTheViews) {
  for (int dpi : {72, 120, 144, 192}) {
    for (int formHeight : {-11, -22, -5, 10}) {
      fakes::FakeTrace trace;
      ScaledForm f;
      f.SetFontHeight(formHeight);
      f.direct.SetFontHeight(-13);
      AdjustFormScaling(&f, dpi, trace);
      EXPECT_EQ(trace.Texts(),
                (std::vector<std::string>{"AdjustFormScaling: Begin", "AdjustFormScaling: Adjusting for Font Size"}))
          << dpi;
      EXPECT_EQ(f.direct.FontHeight(), -13) << dpi << " " << formHeight;
      EXPECT_EQ(f.inner.FontHeight(), -11) << dpi << " " << formHeight;
    }
  }
  fakes::FakeTrace trace;
  AdjustFormScaling(nullptr, 120, trace);
  EXPECT_TRUE(trace.sent.empty());
}

}  // namespace
}  // namespace mvx
