#include "app/atomic_file.h"

#include <gtest/gtest.h>

#include <functional>
#include <iterator>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "fakes/fake_files.h"

namespace mvx {
namespace {

using fakes::FileOp;

class AtomicFileTest : public ::testing::Test {
 protected:
  AtomicFileTest() { files.Put(target, "old contents"); }
  std::vector<std::string> Folder() const { return files.FilesIn("C:\\Data"); }
  fakes::FakeFiles files;
  const std::string target = "C:\\Data\\GDB.CDS";
};

TEST_F(AtomicFileTest, ReplacesTheFileAndLeavesNothingElse) {
  ASSERT_TRUE(WriteFileAtomically(files, target, "new contents"));
  EXPECT_EQ(files.Content(target), "new contents");
  EXPECT_EQ(Folder(), std::vector<std::string>{target});
  EXPECT_EQ(files.OpenHandles(), 0u);
}

TEST_F(AtomicFileTest, MakesAFileThatDidNotExist) {
  const std::string fresh = "C:\\Data\\New.dat";
  ASSERT_TRUE(WriteFileAtomically(files, fresh, "x"));
  EXPECT_EQ(files.Content(fresh), "x");
  EXPECT_EQ(Folder().size(), 2u);
}

TEST_F(AtomicFileTest, WritesNothingWhenTheFileHoldsTheseBytesAlready) {
  files.FailOn(FileOp::CreateNew, winerr::kAccessDenied);
  EXPECT_TRUE(WriteFileAtomically(files, target, "old contents"));
  EXPECT_EQ(files.Content(target), "old contents");
}

TEST_F(AtomicFileTest, ATempNameInUseIsPassedOverAndLeftAlone) {
  files.Put(target + ".1.tmp", "someone else's");
  ASSERT_TRUE(WriteFileAtomically(files, target, "new contents"));
  EXPECT_EQ(files.Content(target), "new contents");
  EXPECT_EQ(files.Content(target + ".1.tmp"), "someone else's");
}

TEST_F(AtomicFileTest, AFailureAtAnyStepKeepsTheOldFileWholeAndRemovesTheTempFile) {
  struct Case {
    FileOp op;
    std::uint32_t code;
  };
  for (Case c : {Case{FileOp::CreateNew, winerr::kAccessDenied}, Case{FileOp::Write, winerr::kDiskFull},
                 Case{FileOp::Flush, winerr::kWriteFault}, Case{FileOp::MoveReplace, winerr::kDiskFull},
                 Case{FileOp::MoveReplace, winerr::kSharingViolation}}) {
    for (bool compared : {true, false}) {
      files.FailOn(c.op, c.code, 1000);
      const Status s = compared ? WriteFileAtomically(files, target, "new contents that are longer")
                                : ReplaceFileAtomically(files, target, "new contents that are longer");
      files.FailOn(c.op, c.code, 0);
      EXPECT_EQ(s.code, c.code) << static_cast<int>(c.op) << compared;
      EXPECT_EQ(files.Content(target), "old contents") << static_cast<int>(c.op) << compared;
      EXPECT_EQ(Folder(), std::vector<std::string>{target}) << static_cast<int>(c.op) << compared;
      EXPECT_EQ(files.OpenHandles(), 0u);
    }
  }
}

TEST_F(AtomicFileTest, ABusyTargetIsTriedAgainBriefly) {
  files.FailOn(FileOp::MoveReplace, winerr::kSharingViolation, 2);
  ASSERT_TRUE(WriteFileAtomically(files, target, "new contents"));
  EXPECT_EQ(files.Content(target), "new contents");
  EXPECT_GT(files.pausedMs, 0u);

  files.pausedMs = 0;
  files.Lock(target);
  const Status s = WriteFileAtomically(files, target, "newer contents");
  EXPECT_EQ(s.code, winerr::kAccessDenied);
  EXPECT_LE(files.pausedMs, 500u) << "the retry is bounded";
  EXPECT_EQ(files.Content(target), "new contents");
  EXPECT_EQ(Folder(), std::vector<std::string>{target});
}

TEST_F(AtomicFileTest, AMissingFolderFailsWithoutLeftovers) {
  const Status s = WriteFileAtomically(files, "C:\\Gone\\GDB.CDS", "x");
  EXPECT_EQ(s.code, winerr::kPathNotFound);
  EXPECT_TRUE(files.FilesIn("C:\\Gone").empty());
}

TEST_F(AtomicFileTest, ATempFileHeldForAMomentIsStillRemovedWhenTheWriteFails) {
  files.FailOn(FileOp::Write, winerr::kDiskFull);
  files.FailOn(FileOp::Delete, winerr::kSharingViolation, 2);
  EXPECT_EQ(WriteFileAtomically(files, target, "new contents").code, winerr::kDiskFull);
  EXPECT_EQ(Folder(), std::vector<std::string>{target});
  EXPECT_EQ(files.Content(target), "old contents");
}

TEST(TempNames, OnlyTheWritersOwnFormNamesATarget) {
  const std::pair<const char*, const char*> cases[] = {
      {"GDB.CDS.1.tmp", "GDB.CDS"},
      {"gdb.cds.27.TMP", "gdb.cds"},
      {"v3 of Clipboard.bmp.100.tmp", "v3 of Clipboard.bmp"},
      {"GDB.CDS.0.tmp", nullptr},
      {"GDB.CDS.01.tmp", nullptr},
      {"GDB.CDS.101.tmp", nullptr},
      {"GDB.CDS.-1.tmp", nullptr},
      {"GDB.CDS.1a.tmp", nullptr},
      {"GDB.CDS..tmp", nullptr},
      {"GDB.CDS.tmp", nullptr},
      {".1.tmp", nullptr},
      {"GDB.CDS.1.tmp.keep", nullptr},
      {"GDB.CDS.1.tmpx", nullptr},
      {"GDB.CDS.bak", nullptr},
      {"notes.tmp", nullptr},
  };
  for (const auto& [name, target] : cases) {
    const std::optional<std::string> found = TargetOfTempName(name);
    if (target == nullptr) {
      EXPECT_FALSE(found) << name << " -> " << *found;
    } else {
      EXPECT_EQ(found, std::optional<std::string>(target)) << name;
    }
  }
}

class LeftoverTest : public AtomicFileTest {
 protected:
  LeftoverTest() {
    for (const char* name : {"GDB.CDS.1.tmp", "gdb.cds.27.TMP", "GDB.CDS.100.tmp", "v2 of Clipboard.bmp.3.tmp"}) {
      files.Put(Path(name), "a save cut short");
    }
    for (const char* name : kForeign) files.Put(Path(name), "someone else's");
    files.Put("C:\\Other\\GDB.CDS.1.tmp", "another folder's");
  }
  static std::string Path(const std::string& name) { return "C:\\Data\\" + name; }
  std::vector<std::string> Foreign() const { return {std::begin(kForeign), std::end(kForeign)}; }
  static constexpr const char* kForeign[] = {"GDB.CDS.bak",    "GDB.CDS.1.tmp.keep", "notes.tmp",
                                             "GDB.CDS.0.tmp",  "GDB.CDS.101.tmp",    "GDB.CDS.007.tmp",
                                             "GDB.CDS.1.tmpx", "GDB.CDS.tmp",        "XGDB.CDS.1.tmp",
                                             "GDB.CDSX.1.tmp", "GDB.CDS.x.tmp",      "v2 of Clipboard.bmp"};
};

TEST_F(LeftoverTest, OnlyTheTempFilesOfTheTargetAreRemoved) {
  const LeftoverSweep sweep = RemoveLeftoverTemps(files, target);
  EXPECT_EQ(sweep.removed,
            (std::vector<std::string>{Path("GDB.CDS.1.tmp"), Path("GDB.CDS.100.tmp"), Path("gdb.cds.27.TMP")}));
  EXPECT_TRUE(sweep.failed.empty());
  for (const char* name : kForeign) EXPECT_EQ(files.Content(Path(name)), "someone else's") << name;
  EXPECT_EQ(files.Content(target), "old contents");
  EXPECT_EQ(files.Content(Path("v2 of Clipboard.bmp.3.tmp")), "a save cut short");
  EXPECT_EQ(files.Content("C:\\Other\\GDB.CDS.1.tmp"), "another folder's");
  EXPECT_EQ(Folder().size(), 1 + 1 + Foreign().size());
}

TEST_F(LeftoverTest, AFolderSweepRemovesTheTempFilesOfTheNamesItIsGiven) {
  const LeftoverSweep sweep =
      RemoveLeftoverTemps(files, "C:\\Data\\", [](const std::string& name) { return name.starts_with("v2 of "); });
  EXPECT_EQ(sweep.removed, std::vector<std::string>{Path("v2 of Clipboard.bmp.3.tmp")});
  EXPECT_FALSE(files.FileExists(Path("v2 of Clipboard.bmp.3.tmp")));
  EXPECT_EQ(files.Content(Path("v2 of Clipboard.bmp")), "someone else's");
  EXPECT_TRUE(files.FileExists(Path("GDB.CDS.1.tmp")));
}

TEST_F(LeftoverTest, ALeftoverThatCannotBeDeletedIsReportedAndTheOthersStillGo) {
  files.Lock(Path("GDB.CDS.1.tmp"));
  const LeftoverSweep sweep = RemoveLeftoverTemps(files, target);
  EXPECT_EQ(sweep.removed.size(), 2u);
  ASSERT_EQ(sweep.failed.size(), 1u);
  EXPECT_EQ(sweep.failed[0].code, winerr::kSharingViolation);
  EXPECT_NE(sweep.failed[0].what.find(Path("GDB.CDS.1.tmp")), std::string::npos) << sweep.failed[0].what;
  EXPECT_TRUE(files.FileExists(Path("GDB.CDS.1.tmp")));
}

// The fake file system with its reads and creations counted.
class CountingFiles : public fakes::FakeFiles {
 public:
  Status ReadBlock(const std::string& path, ByteBlock& bytes) override {
    ++reads;
    return FakeFiles::ReadBlock(path, bytes);
  }
  Status CreateNew(const std::string& path, FileHandle& handle) override {
    ++creates;
    return FakeFiles::CreateNew(path, handle);
  }
  int reads = 0, creates = 0;
};

class RememberedWriteTest : public ::testing::Test {
 protected:
  RememberedWriteTest() {
    files.AddDir("C:\\Data");
    EXPECT_TRUE(WriteFileAtomically(files, target, written, last));
    files.reads = files.creates = 0;
  }
  CountingFiles files;
  WrittenFile last;
  const std::string target = "C:\\Data\\GDB.CDS";
  const std::string written = std::string(100, 'a') + "the list as saved";
};

TEST_F(RememberedWriteTest, TheBytesItWroteLastAreNeitherReadBackNorWrittenAgain) {
  ASSERT_TRUE(WriteFileAtomically(files, target, written, last));
  EXPECT_EQ(files.reads, 0);
  EXPECT_EQ(files.creates, 0);
  EXPECT_EQ(files.Content(target), written);
}

TEST_F(RememberedWriteTest, BytesOfTheSameSizeAreWrittenWhereverTheyDiffer) {
  for (std::size_t at : {std::size_t{0}, std::size_t{7}, std::size_t{31}, std::size_t{32}, std::size_t{63},
                         std::size_t{100}, written.size() - 1}) {
    std::string changed = written;
    changed[at] = static_cast<char>(changed[at] ^ 0x01);
    ASSERT_TRUE(WriteFileAtomically(files, target, changed, last)) << at;
    EXPECT_EQ(files.Content(target), changed) << at;
    ASSERT_TRUE(WriteFileAtomically(files, target, written, last)) << at;
    EXPECT_EQ(files.Content(target), written) << at;
  }
  EXPECT_EQ(files.reads, 0) << "the file is never read back";
}

TEST_F(RememberedWriteTest, AFileChangedOrRemovedBehindItsBackIsWrittenAgain) {
  struct Case {
    const char* name;
    std::function<void()> change;
  };
  const std::string sameSize(written.size(), 'z');
  const std::vector<Case> cases{
      {"removed", [&] { files.Delete(target); }},
      {"other size", [&] { files.Put(target, "short"); }},
      {"same size, other time", [&] { files.Put(target, sameSize, 0x5A8C6010); }},
  };
  for (const Case& c : cases) {
    c.change();
    ASSERT_TRUE(WriteFileAtomically(files, target, written, last)) << c.name;
    EXPECT_EQ(files.Content(target), written) << c.name;
  }
}

// A file made anew each time is replaced without reading it back, whatever it holds.
TEST_F(RememberedWriteTest, AReplacementWritesEvenTheSameBytesWithoutReadingTheFile) {
  ASSERT_TRUE(ReplaceFileAtomically(files, target, written));
  EXPECT_EQ(files.reads, 0);
  EXPECT_EQ(files.creates, 1);
  EXPECT_EQ(files.Content(target), written);
  ASSERT_TRUE(ReplaceFileAtomically(files, target, std::string_view(written).substr(100)));
  EXPECT_EQ(files.Content(target), "the list as saved");
}

TEST_F(RememberedWriteTest, AnotherPathIsWrittenEvenWithTheSameBytes) {
  const std::string other = "C:\\Data\\Other.dat";
  ASSERT_TRUE(WriteFileAtomically(files, other, written, last));
  EXPECT_EQ(files.Content(other), written);
}

TEST_F(RememberedWriteTest, AfterAFailedWriteTheFileIsComparedAgainBeforeSkipping) {
  files.FailOn(FileOp::MoveReplace, winerr::kDiskFull, 1000);
  EXPECT_FALSE(WriteFileAtomically(files, target, written + "more", last));
  files.FailOn(FileOp::MoveReplace, winerr::kDiskFull, 0);
  files.Put(target, std::string(written.size(), 'z'));  // same size and time as the program's write
  ASSERT_TRUE(WriteFileAtomically(files, target, written, last));
  EXPECT_EQ(files.Content(target), written);
}

}  // namespace
}  // namespace mvx
