// The inventory's data file at start-up, driven from outside.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "app/paths.h"
#include "e2e/e2e_fixture.h"
#include "e2e/picture_files.h"
#include "e2e/running_app.h"
#include "inventory/data_file.h"

namespace mvx::e2e {
namespace {

using namespace std::chrono_literals;

bool FileExists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

class Inventory : public E2eTest {
 protected:
  // The hint line of the main window, opened, once it reads `hint`; nothing when it never does.
  std::optional<WindowInfo> WaitForHint(const Process& murovex, const std::string& hint) {
    const auto main = OpenMainWindow(murovex);
    if (!main) return std::nullopt;
    return WaitForChild(main->handle, {"Static", hint}, 5s);
  }
};

TEST_F(Inventory, WithoutADataFileTheListIsEmptyAndANewDataFileIsWrittenAtOnce) {
  Driver& app = Prepare({kQuietSettings, {}});
  const std::string dataFile = app.Folder().ImagesFolder() + "\\GDB.CDS";
  ASSERT_FALSE(FileExists(dataFile));
  Process* murovex = StartReady(app);
  ASSERT_NE(murovex, nullptr);
  EXPECT_TRUE(WaitForHint(*murovex, "0 Pictures in List"));
  ASSERT_TRUE(FileExists(dataFile));
  const DataFileContents written = DecodeDataFile(ReadWholeFile(dataFile));
  EXPECT_TRUE(written.ok()) << written.reason;
  EXPECT_TRUE(written.records.empty());
}

TEST_F(Inventory, ADataFileWithThreePicturesListsThemAll) {
  Driver& app = Prepare({kQuietSettings, {}});
  PutPictures(app.Folder().ImagesFolder(), {{"Alps.bmp"}, {"Beach.bmp", DisplayMode::Centre}, {"Canyon.bmp"}});
  Process* murovex = StartReady(app);
  ASSERT_NE(murovex, nullptr);
  EXPECT_TRUE(WaitForHint(*murovex, "3 Pictures in List"));
}

TEST_F(Inventory, AnUnreadableDataFileIsKeptAsideTheUserIsToldAndTheListStartsEmpty) {
  const std::string garbage = "this is no picture list \x01\x02\x03";
  Driver& app = Prepare({kQuietSettings, {{"GDB.CDS", garbage}}});
  const std::string dataFile = app.Folder().ImagesFolder() + "\\GDB.CDS";
  Process& murovex = app.Start();

  const auto box = WaitForMessageBox(murovex.Id(), kStartTimeout);
  ASSERT_TRUE(box) << "the user was not told";
  // The box names the file the bytes were kept in.
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((dataFile + "?*").c_str(), &found);
  ASSERT_NE(search, INVALID_HANDLE_VALUE) << "nothing was kept beside the data file";
  const std::string keptAs = app.Folder().ImagesFolder() + "\\" + found.cFileName;
  EXPECT_FALSE(FindNextFileA(search, &found)) << "more than one file was kept";
  FindClose(search);
  EXPECT_EQ(ReadWholeFile(keptAs), garbage);
  // Paths are named in the letter case the program keeps its data folder in.
  EXPECT_NE(LowerAZ(box->text).find(LowerAZ(keptAs)), std::string::npos) << box->text;
  EXPECT_NE(LowerAZ(box->text).find(LowerAZ(dataFile)), std::string::npos) << box->text;
  ASSERT_TRUE(AnswerMessageBox(box->handle, IDOK));

  ASSERT_TRUE(murovex.WaitForIdle(kStartTimeout));
  EXPECT_TRUE(murovex.Running());
  EXPECT_TRUE(WaitForHint(murovex, "0 Pictures in List"));
  // The data file is a new, empty list; the kept one is left as it was.
  const DataFileContents written = DecodeDataFile(ReadWholeFile(dataFile));
  EXPECT_TRUE(written.ok()) << written.reason;
  EXPECT_TRUE(written.records.empty());
  EXPECT_EQ(ReadWholeFile(keptAs), garbage);
}

// What a save or a paste cut short by a crash left, beside files of similar
// names that are not the program's: only the first are gone after a start.
TEST_F(Inventory, TempFilesLeftByWritesCutShortAreRemovedAtStartAndNothingElse) {
  const std::vector<std::string> leftovers{"GDB.CDS.1.tmp", "GDB.CDS.28.tmp", "v2 of Clipboard.bmp.1.tmp"};
  const std::vector<std::string> foreign{"GDB.CDS.bak", "GDB.CDS.1.tmp.keep", "notes.tmp", "GDB.CDS.101.tmp",
                                         "Clipboard.bmp.1.tmp"};
  Driver& app = Prepare({kQuietSettings, {}});
  const std::string images = app.Folder().ImagesFolder();
  PutPictures(images, {{"Alps.bmp"}, {"Beach.bmp"}});
  const std::string dataFile = ReadWholeFile(images + "\\GDB.CDS");
  for (const std::string& name : leftovers) WriteWholeFile(images + "\\" + name, "half a save");
  for (const std::string& name : foreign) WriteWholeFile(images + "\\" + name, "the user's " + name);

  Process* murovex = StartReady(app);
  ASSERT_NE(murovex, nullptr);
  EXPECT_TRUE(WaitForHint(*murovex, "2 Pictures in List"));
  for (const std::string& name : leftovers) {
    EXPECT_FALSE(FileExists(images + "\\" + name)) << name;
    // Paths are traced in the letter case the program keeps its data folder in.
    const std::string removed = LowerAZ("FrmMain.RemoveWriteLeftovers: removed " + images + "\\" + name);
    const std::vector<std::string> traces = app.Traces().Texts();
    EXPECT_TRUE(std::any_of(traces.begin(), traces.end(), [&](const std::string& t) { return LowerAZ(t) == removed; }))
        << name;
  }
  for (const std::string& name : foreign) EXPECT_EQ(ReadWholeFile(images + "\\" + name), "the user's " + name);
  EXPECT_EQ(ReadWholeFile(images + "\\GDB.CDS"), dataFile);
  EXPECT_EQ(ReadWholeFile(images + "\\Alps.bmp"), SmallBitmap(40)) << "pictures are left alone";
}

}  // namespace
}  // namespace mvx::e2e
