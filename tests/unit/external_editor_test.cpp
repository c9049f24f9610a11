#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "unit/slide_fixture.h"

namespace mvx::testing {
namespace {

constexpr const char* kEditor = "C:\\Tools\\Paint Box\\paint.exe";

class ExternalEditorTest : public SlideFixture {
 protected:
  ExternalEditorTest() {
    fakes.files.AddDir("C:\\Tools\\Paint Box");
    fakes.files.Put(kEditor, "MZ");
    Add({"V1 of Netscape Wallpaper.bmp"});
    ViewOn("V1 of Netscape Wallpaper.bmp");
    main->Handle = 0x1234;
  }
  void UseEditor(const std::string& path) {
    main->rdoSelectedEditor.SetChecked(true);
    main->edtSelectedEditor.SetText(path);
  }
};

TEST_F(ExternalEditorTest, TheEditorStartsWithTheEntrysNameAndFolderOrSaysWhyNot) {
  struct Case {
    const char* what;
    bool otherEditor;
    std::string editor;
    bool associated;
    std::string file, parameters, message;
  };
  const Case cases[] = {
      {"the default program of the type", false, "", true, "v1 of netscape wallpaper.bmp", "", ""},
      {"no program for the type", false, "", false, "v1 of netscape wallpaper.bmp", "",
       "Unable to Edit.  Error 31."},
      {"the chosen editor gets the name quoted", true, kEditor, false, kEditor, "\"v1 of netscape wallpaper.bmp\"", ""},
      {"a chosen editor that is not there", true, "C:\\Tools\\gone.exe", false, "C:\\Tools\\gone.exe",
       "\"v1 of netscape wallpaper.bmp\"", "Unable to Edit.  Error 2.  Try removing spaces from file name."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    fakes.shell.executed.clear();
    fakes.prompts.shown.clear();
    fakes.shell.associations = c.associated ? std::vector<std::string>{".bmp"} : std::vector<std::string>{};
    if (c.otherEditor) {
      UseEditor(c.editor);
    } else {
      main->rdoDefaultEditor.SetChecked(true);
    }
    main->mnuEdit1.Click();
    ASSERT_EQ(fakes.shell.executed.size(), 1u);
    const auto& call = fakes.shell.executed[0];
    EXPECT_EQ(call.owner, 0x1234u);
    EXPECT_EQ(call.verb, "");
    EXPECT_EQ(call.file, c.file);
    EXPECT_EQ(call.parameters, c.parameters);
    EXPECT_EQ(call.directory, "c:\\pics");
    EXPECT_EQ(call.showCommand, 5);
    EXPECT_EQ(fakes.prompts.Texts(), c.message.empty() ? std::vector<std::string>{}
                                                       : std::vector<std::string>{c.message});
  }
  EXPECT_EQ(main->cdtData.RecordCount(), 1) << "the list is left as it was";
}

TEST_F(ExternalEditorTest, TheEditorsFieldAndButtonWorkOnlyWithOtherEditor) {
  main->rdoSelectedEditor.Click();
  EXPECT_TRUE(main->edtSelectedEditor.Enabled());
  EXPECT_TRUE(main->btnSelectEditor.Enabled());
  EXPECT_FALSE(main->rdoDefaultEditor.Checked());
  main->rdoDefaultEditor.Click();
  EXPECT_FALSE(main->edtSelectedEditor.Enabled());
  EXPECT_FALSE(main->btnSelectEditor.Enabled());
  EXPECT_FALSE(main->rdoSelectedEditor.Checked());
}

TEST_F(ExternalEditorTest, SelectEditorAsksForAProgramFromTheWindowsFolder) {
  UseEditor("pbrush.exe");
  fakes.dialogs.answer = std::nullopt;
  main->btnSelectEditor.Click();
  EXPECT_EQ(main->edtSelectedEditor.Text(), "pbrush.exe") << "cancel changes nothing";
  fakes.dialogs.answer = kEditor;
  main->btnSelectEditor.Click();
  EXPECT_EQ(main->edtSelectedEditor.Text(), kEditor);
  ASSERT_EQ(fakes.dialogs.requests.size(), 2u);
  const OpenFileRequest& r = fakes.dialogs.requests[1];
  EXPECT_EQ(r.title, "Select Editor");
  EXPECT_EQ(r.initialDir, "c:\\windows");
  EXPECT_EQ(r.fileName, "*.exe");
  EXPECT_EQ(r.defaultExt, "exe");
  ASSERT_EQ(r.filters.size(), 2u);
  EXPECT_EQ(r.filters[0].description, "Executable Files");
  EXPECT_EQ(r.filters[0].pattern, "*.exe");
  EXPECT_EQ(r.filters[1].description, "All Files");
  EXPECT_EQ(r.filters[1].pattern, "*.*");
  EXPECT_TRUE(r.mustExist);
  EXPECT_TRUE(r.hideReadOnly);
}

}  // namespace
}  // namespace mvx::testing
