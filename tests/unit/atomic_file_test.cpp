#include "app/atomic_file.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
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
    files.FailOn(c.op, c.code, 1000);
    const Status s = WriteFileAtomically(files, target, "new contents that are longer");
    files.FailOn(c.op, c.code, 0);
    EXPECT_EQ(s.code, c.code) << static_cast<int>(c.op);
    EXPECT_EQ(files.Content(target), "old contents") << static_cast<int>(c.op);
    EXPECT_EQ(Folder(), std::vector<std::string>{target}) << static_cast<int>(c.op);
    EXPECT_EQ(files.OpenHandles(), 0u);
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

// The fake file system with its reads and creations counted.
class CountingFiles : public fakes::FakeFiles {
 public:
  Status ReadAll(const std::string& path, std::string& bytes) override {
    ++reads;
    return FakeFiles::ReadAll(path, bytes);
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
