#include "app/atomic_file.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace mvx
