#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "app/date_time.h"
#include "app/paths.h"
#include "contract/contract_env.h"

namespace mvx::contract {
namespace {

class FilesContract : public ::testing::Test {
 protected:
  std::string In(const std::string& name) const { return dir + "\\" + name; }
  void Make(const std::string& name, const std::string& bytes = "data") {
    ASSERT_TRUE(WriteNewFile(files, In(name), bytes)) << name;
  }
  std::vector<std::string> Found(const std::string& folder, const std::string& pattern) {
    auto names = files.FindFiles(folder, pattern);
    std::sort(names.begin(), names.end());
    return names;
  }

  std::unique_ptr<ContractEnv> env = MakeContractEnv();
  FilePort& files = env->P().files;
  std::string dir = env->FreshFolder();
};

TEST_F(FilesContract, ExistenceTellsFilesFromFoldersWithoutRegardToCase) {
  Make("Sea.bmp");
  EXPECT_TRUE(files.FileExists(In("Sea.bmp")));
  EXPECT_TRUE(files.FileExists(In("SEA.BMP")));
  EXPECT_FALSE(files.DirectoryExists(In("Sea.bmp")));
  EXPECT_TRUE(files.DirectoryExists(dir));
  EXPECT_FALSE(files.FileExists(dir));
  EXPECT_FALSE(files.FileExists(In("missing.bmp")));
  EXPECT_FALSE(files.DirectoryExists(In("missing")));
  // "." and ".." parts are resolved before the file is looked for.
  EXPECT_TRUE(files.FileExists(In("missing\\..\\.\\Sea.bmp")));
  EXPECT_TRUE(files.FileExists(dir + "\\..\\" + ExtractFileName(dir) + "\\Sea.bmp"));
  EXPECT_FALSE(files.FileExists(In("..\\Sea.bmp")));
}

TEST_F(FilesContract, OpenedSizeIsZeroForAnEmptyFileAndNoneForAMissingOne) {
  Make("empty.bmp", "");
  Make("five.bmp", "12345");
  EXPECT_EQ(files.OpenedFileSize(In("empty.bmp")), 0);
  EXPECT_EQ(files.OpenedFileSize(In("five.bmp")), 5);
  EXPECT_EQ(files.OpenedFileSize(In("missing.bmp")), std::nullopt);
}

TEST_F(FilesContract, WrittenBytesReadBackExactly) {
  std::string bytes("a\0b\r\nc\n\xFF", 8);
  bytes += std::string(70000, 'z');
  Make("blob.cds", bytes);
  EXPECT_EQ(ReadWholeFile(files, In("blob.cds")), bytes);
  Make("empty.cds", "");
  ByteBlock block(std::string_view("left over"));
  ASSERT_TRUE(files.ReadBlock(In("empty.cds"), block));
  EXPECT_EQ(block.size(), 0u);
  std::string out;
  EXPECT_EQ(files.ReadAll(In("missing.cds"), out).code, winerr::kFileNotFound);
}

TEST_F(FilesContract, AMappedFileReadsAsWrittenKeepsItsBytesAndCannotBeReplacedUntilTheViewGoes) {
  std::string bytes("GDB\0\x01", 5);
  bytes += std::string(70000, 'q') + "end";
  Make("gdb.cds", bytes);
  Make("gdb.cds.tmp", "new");
  {
    ByteBlock view;
    ASSERT_TRUE(files.MapBlock(In("GDB.CDS"), view));
    EXPECT_TRUE(view.Borrowed());
    ASSERT_EQ(view.View(), bytes);
    view.data()[0] = 'X';  // stays in memory
    EXPECT_EQ(ReadWholeFile(files, In("gdb.cds")), bytes);
    EXPECT_EQ(files.MoveReplace(In("gdb.cds.tmp"), In("gdb.cds")).code, winerr::kAccessDenied);
    EXPECT_EQ(files.Copy(In("gdb.cds.tmp"), In("gdb.cds"), false).code, winerr::kSharingViolation);
    EXPECT_EQ(files.Delete(In("gdb.cds")).code, winerr::kSharingViolation);
    EXPECT_EQ(files.Move(In("gdb.cds"), In("aside.cds")).code, winerr::kSharingViolation);
    EXPECT_EQ(ReadWholeFile(files, In("gdb.cds")), bytes);
  }
  ASSERT_TRUE(files.MoveReplace(In("gdb.cds.tmp"), In("gdb.cds")));
  EXPECT_EQ(ReadWholeFile(files, In("gdb.cds")), "new");
  Make("empty.cds", "");
  ByteBlock empty(std::string_view("left over"));
  ASSERT_TRUE(files.MapBlock(In("empty.cds"), empty));
  EXPECT_EQ(empty.size(), 0u);
  EXPECT_EQ(files.MapBlock(In("missing.cds"), empty).code, winerr::kFileNotFound);
}

TEST_F(FilesContract, CreateNewFailsOnAnExistingFileAndInAMissingFolder) {
  Make("gdb.cds", "old");
  FileHandle h = 0;
  EXPECT_EQ(files.CreateNew(In("GDB.CDS"), h).code, winerr::kFileExists);
  EXPECT_EQ(files.CreateNew(In("nowhere\\gdb.cds"), h).code, winerr::kPathNotFound);
  EXPECT_EQ(ReadWholeFile(files, In("gdb.cds")), "old");
  EXPECT_FALSE(files.DirectoryExists(In("nowhere")));
}

TEST_F(FilesContract, MoveReplaceSwapsNewContentOverAnExistingFile) {
  Make("gdb.cds", "old contents");
  Make("gdb.cds.tmp", "new");
  ASSERT_TRUE(files.MoveReplace(In("gdb.cds.tmp"), In("gdb.cds")));
  EXPECT_EQ(ReadWholeFile(files, In("gdb.cds")), "new");
  EXPECT_FALSE(files.FileExists(In("gdb.cds.tmp")));

  Make("fresh.tmp", "first");
  ASSERT_TRUE(files.MoveReplace(In("fresh.tmp"), In("fresh.cds")));
  EXPECT_EQ(ReadWholeFile(files, In("fresh.cds")), "first");
  EXPECT_EQ(files.MoveReplace(In("missing.tmp"), In("fresh.cds")).code, winerr::kFileNotFound);
  EXPECT_EQ(ReadWholeFile(files, In("fresh.cds")), "first");
}

TEST_F(FilesContract, MoveRenamesButNeverOverwritesOrMakesFolders) {
  Make("a.bmp", "A");
  Make("b.bmp", "B");
  EXPECT_EQ(files.Move(In("a.bmp"), In("B.bmp")).code, winerr::kAlreadyExists);
  EXPECT_EQ(files.Move(In("a.bmp"), In("sub\\a.bmp")).code, winerr::kPathNotFound);
  EXPECT_EQ(ReadWholeFile(files, In("a.bmp")), "A");
  EXPECT_EQ(ReadWholeFile(files, In("b.bmp")), "B");

  ASSERT_TRUE(files.MakeDirectory(In("sub")));
  ASSERT_TRUE(files.Move(In("a.bmp"), In("sub\\c.bmp")));
  EXPECT_FALSE(files.FileExists(In("a.bmp")));
  EXPECT_EQ(ReadWholeFile(files, In("sub\\c.bmp")), "A");
  EXPECT_EQ(files.Move(In("a.bmp"), In("d.bmp")).code, winerr::kFileNotFound);
}

TEST_F(FilesContract, CopyKeepsTheSourceAndOverwritesOnlyWhenAllowed) {
  Make("a.bmp", "A");
  Make("b.bmp", "B");
  EXPECT_EQ(files.Copy(In("a.bmp"), In("b.bmp"), true).code, winerr::kFileExists);
  EXPECT_EQ(ReadWholeFile(files, In("b.bmp")), "B");
  ASSERT_TRUE(files.Copy(In("a.bmp"), In("b.bmp"), false));
  EXPECT_EQ(ReadWholeFile(files, In("b.bmp")), "A");
  ASSERT_TRUE(files.Copy(In("a.bmp"), In("c.bmp"), true));
  EXPECT_EQ(ReadWholeFile(files, In("a.bmp")), "A");
  EXPECT_EQ(ReadWholeFile(files, In("c.bmp")), "A");
  EXPECT_EQ(files.Copy(In("missing.bmp"), In("d.bmp"), false).code, winerr::kFileNotFound);
  EXPECT_EQ(files.Copy(In("a.bmp"), In("sub\\a.bmp"), false).code, winerr::kPathNotFound);
}

TEST_F(FilesContract, DeleteRemovesAFileAndFailsOnAMissingOne) {
  Make("a.bmp");
  ASSERT_TRUE(files.Delete(In("A.BMP")));
  EXPECT_FALSE(files.FileExists(In("a.bmp")));
  EXPECT_EQ(files.Delete(In("a.bmp")).code, winerr::kFileNotFound);
}

TEST_F(FilesContract, RecycleTakesAFileAwayAndFailsOnAMissingOne) {
  Make("Haze.bmp");
  Make("Keep.bmp");
  ASSERT_TRUE(files.Recycle(In("haze.bmp")));
  EXPECT_FALSE(files.FileExists(In("Haze.bmp")));
  EXPECT_TRUE(files.FileExists(In("Keep.bmp")));
  EXPECT_FALSE(files.Recycle(In("haze.bmp")));
}

// A drive letter answers at once; a path of the same drive is reachable,
// one of a letter no drive has is not.
TEST_F(FilesContract, ADriveIsReachableWhenItsRootIsThere) {
  EXPECT_EQ(files.ProbeVolume("c:\\"), FilePort::VolumeState::Reachable);
  EXPECT_EQ(files.ProbeVolume("q:\\"), FilePort::VolumeState::Unreachable);
}

TEST_F(FilesContract, AHeadReadGivesAtMostTheBytesAskedFor) {
  Make("Big.bmp", std::string(5000, 'x') + "end");
  std::string head;
  ASSERT_TRUE(files.ReadHead(In("big.bmp"), 4096, head));
  EXPECT_EQ(head, std::string(4096, 'x'));
  ASSERT_TRUE(files.ReadHead(In("big.bmp"), 9000, head));
  EXPECT_EQ(head.size(), 5003u);
  EXPECT_FALSE(files.ReadHead(In("gone.bmp"), 10, head));
}

TEST_F(FilesContract, MakeDirectoryMakesOneLevelOnly) {
  EXPECT_EQ(files.MakeDirectory(In("a\\b")).code, winerr::kPathNotFound);
  EXPECT_FALSE(files.DirectoryExists(In("a")));
  ASSERT_TRUE(files.MakeDirectory(In("a")));
  EXPECT_EQ(files.MakeDirectory(In("A")).code, winerr::kAlreadyExists);
  ASSERT_TRUE(files.MakeDirectory(In("a\\b")));
  EXPECT_TRUE(files.DirectoryExists(In("a\\b")));
}

TEST_F(FilesContract, ChangeDirectoryMovesRelativePathsAndReportsTheFolder) {
  ASSERT_TRUE(files.ChangeDirectory(dir + "\\"));
  EXPECT_EQ(files.CurrentDirectory(), dir);
  ASSERT_TRUE(WriteNewFile(files, "relative.txt", "r"));
  EXPECT_TRUE(files.FileExists(In("relative.txt")));
  EXPECT_TRUE(files.FileExists("relative.txt"));

  EXPECT_EQ(files.ChangeDirectory(In("missing")).code, winerr::kFileNotFound);
  EXPECT_EQ(files.CurrentDirectory(), dir);
}

TEST_F(FilesContract, FindFilesMatchesTheExtensionInAnyCaseAndOnlyFilesDirectlyInTheFolder) {
  for (const char* name : {"a.bmp", "B.BMP", "c.Bmp", "d.txt", "e.bmp.txt", "bmp", "f.bm"}) Make(name);
  ASSERT_TRUE(files.MakeDirectory(In("folder.bmp")));
  ASSERT_TRUE(WriteNewFile(files, In("folder.bmp\\inner.bmp"), "x"));
  EXPECT_EQ(Found(dir, "*.bmp"), (std::vector<std::string>{"B.BMP", "a.bmp", "c.Bmp"}));
  EXPECT_EQ(Found(dir, "*.BMP"), (std::vector<std::string>{"B.BMP", "a.bmp", "c.Bmp"}));
  EXPECT_EQ(Found(dir, "*.gif"), std::vector<std::string>{});
  EXPECT_EQ(Found(In("missing"), "*.bmp"), std::vector<std::string>{});
}

TEST_F(FilesContract, FindFilesAlsoMatchesALongerExtensionThroughTheShortName) {
  // The caller checks the extension itself: "*.bmp" finds "g.bmpx" too.
  Make("g.bmpx");
  Make("h.bmpfile");
  EXPECT_EQ(Found(dir, "*.bmp"), (std::vector<std::string>{"g.bmpx", "h.bmpfile"}));
}

TEST_F(FilesContract, FindFoldersListsTheFoldersDirectlyInTheFolderByTheirOwnNames) {
  Make("Sea.jpg");
  ASSERT_TRUE(files.MakeDirectory(In("Dunes")));
  ASSERT_TRUE(files.MakeDirectory(In("forest.jpg")));
  ASSERT_TRUE(files.MakeDirectory(In("Dunes\\Inner")));
  std::vector<std::string> found = files.FindFolders(dir);
  std::sort(found.begin(), found.end());
  EXPECT_EQ(found, (std::vector<std::string>{"Dunes", "forest.jpg"}));
  EXPECT_EQ(files.FindFolders(In("DUNES")), std::vector<std::string>{"Inner"});
  EXPECT_EQ(files.FindFolders(In("Dunes\\Inner")), std::vector<std::string>{});
  EXPECT_EQ(files.FindFolders(In("missing")), std::vector<std::string>{});
  EXPECT_EQ(files.FindFolders(In("Sea.jpg")), std::vector<std::string>{});
}

TEST_F(FilesContract, NonAsciiNamesRoundTripAsUtf8) {
  const std::string name =
      "Gr\xC3\xBC\xC3\x9F"
      "e \xE6\x97\xA5\xE6\x9C\xAC.bmp";       // "Grüße 日本.bmp"
  const std::string folder = "Fj\xC3\xB6rd";  // "Fjörd"
  ASSERT_TRUE(files.MakeDirectory(In(folder)));
  ASSERT_TRUE(WriteNewFile(files, In(folder + "\\" + name), "pixels"));
  EXPECT_TRUE(files.FileExists(In(folder + "\\" + name)));
  EXPECT_EQ(Found(In(folder), "*.bmp"), std::vector<std::string>{name});
  EXPECT_EQ(files.OpenedFileSize(In(folder + "\\" + name)), 6);
  ASSERT_TRUE(files.Move(In(folder + "\\" + name), In("\xC3\xA9t\xC3\xA9.bmp")));
  EXPECT_EQ(ReadWholeFile(files, In("\xC3\xA9t\xC3\xA9.bmp")), "pixels");
  ASSERT_TRUE(files.ChangeDirectory(In(folder)));
  EXPECT_EQ(files.CurrentDirectory(), In(folder));
}

TEST_F(FilesContract, LastWriteTimeIsTheLocalTimeOfTheWriteInTwoSecondSteps) {
  Make("a.bmp");
  const auto packed = files.LocalDosDateTime(In("a.bmp"));
  ASSERT_TRUE(packed.has_value());
  EXPECT_LE(*packed & 0x1Fu, 29u) << "seconds are counted in pairs";
  const double seconds = (DosDateTimeToDateTime(*packed) - env->P().clock.LocalNow()) * 86400.0;
  EXPECT_LE(std::fabs(seconds), 3.0);
  EXPECT_EQ(files.LocalDosDateTime(In("missing.bmp")), std::nullopt);
}

TEST_F(FilesContract, CopyAndMoveKeepTheLastWriteTime) {
  Make("a.bmp");
  const auto written = files.LocalDosDateTime(In("a.bmp"));
  env->RunFor(2100);
  ASSERT_TRUE(files.Copy(In("a.bmp"), In("b.bmp"), true));
  ASSERT_TRUE(files.Move(In("a.bmp"), In("c.bmp")));
  EXPECT_EQ(files.LocalDosDateTime(In("b.bmp")), written);
  EXPECT_EQ(files.LocalDosDateTime(In("c.bmp")), written);
}

}  // namespace
}  // namespace mvx::contract
