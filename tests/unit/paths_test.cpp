#include <gtest/gtest.h>

#include "app/file_info.h"
#include "app/paths.h"
#include "app/system_folders.h"
#include "fakes/fake_files.h"
#include "fakes/fake_misc.h"

namespace mvx {
namespace {

TEST(StripTrailingBackslashes, RemovesEveryTrailingBackslashOnly) {
  EXPECT_EQ(StripTrailingBackslashes("c:\\windows\\"), "c:\\windows");
  EXPECT_EQ(StripTrailingBackslashes("c:\\"), "c:");
  EXPECT_EQ(StripTrailingBackslashes("c:\\pics\\\\\\"), "c:\\pics");
  EXPECT_EQ(StripTrailingBackslashes("\\\\\\"), "");
  EXPECT_EQ(StripTrailingBackslashes(""), "");
  EXPECT_EQ(StripTrailingBackslashes("\\\\server\\share\\"), "\\\\server\\share");
  EXPECT_EQ(StripTrailingBackslashes("c:\\pics"), "c:\\pics");
}

TEST(LowerAZ, ChangesOnlyAsciiLetters) {
  EXPECT_EQ(LowerAZ("C:\\Pics\\SEA.BMP"), "c:\\pics\\sea.bmp");
  EXPECT_EQ(LowerAZ("\xC3\x89T\xC3\x89"), "\xC3\x89t\xC3\x89");  // the E acutes stay
}

TEST(IsBitmapFile, LooksAtTheExtensionOfTheFileNameOnly) {
  EXPECT_TRUE(IsBitmapFile("C:\\Pics\\Sea.BMP"));
  EXPECT_FALSE(IsBitmapFile("sea.bmp.txt"));
  EXPECT_FALSE(IsBitmapFile("bmp"));
  EXPECT_FALSE(IsBitmapFile("c:\\dir.bmp\\file"));
  EXPECT_TRUE(IsBitmapFile(".bmp"));
}

// One rule for every place a file is taken in: the extension of the file
// name, in any letter case, is one of the accepted picture formats.
TEST(IsPictureFile, AcceptsTheKnownPictureExtensionsOfTheFileNameOnly) {
  const struct {
    const char* path;
    bool picture;
  } cases[] = {
      {"C:\\Pics\\Sea.BMP", true},
      {"c:\\pics\\harbour.jpg", true},
      {"c:\\pics\\HARBOUR.JPEG", true},
      {"c:\\pics\\dune.Jpe", true},
      {"c:\\pics\\dune.jfif", true},
      {"c:\\pics\\map.PNG", true},
      {"c:\\pics\\spin.gif", true},
      {"c:\\pics\\scan.TIF", true},
      {"c:\\pics\\scan.tiff", true},
      {"c:\\pics\\holiday.png.jpg", true},  // double extension: the last one counts
      {"c:\\pics\\holiday.jpg.txt", false},
      {"c:\\pics\\holiday.jpg.", false},  // a trailing dot leaves an empty extension
      {"c:\\pics\\jpg", false},           // "jpg" alone is a name, not an extension
      {"jpg", false},
      {"c:\\pics\\noextension", false},
      {"c:\\photos.jpg\\readme", false},  // a dot in the folder is no extension
      {"c:\\pics\\sea.jpgx", false},
      {"c:\\pics\\sea.webp", false},
      {"c:\\pics\\sea.tga", false},
      {"c:\\pics\\sea.mvl", false},
      {".png", true},
      {"", false},
  };
  for (const auto& c : cases) EXPECT_EQ(IsPictureFile(c.path), c.picture) << c.path;
  // A bitmap is still told apart for what must be a bitmap.
  EXPECT_FALSE(IsBitmapFile("c:\\pics\\harbour.jpg"));
}

TEST(PathParts, SplitNameFolderAndExtension) {
  EXPECT_EQ(ExtractFileName("c:\\a\\b.bmp"), "b.bmp");
  EXPECT_EQ(ExtractFileDir("c:\\a\\b.bmp"), "c:\\a");
  EXPECT_EQ(ExtractFileDir("c:\\b.bmp"), "c:");
  EXPECT_EQ(ChangeFileExt("C:\\Apps\\Tool.EXE", ".INI"), "C:\\Apps\\Tool.INI");
  EXPECT_EQ(ChangeFileExt("C:\\Apps.d\\Tool", ".bmp"), "C:\\Apps.d\\Tool.bmp");
}

TEST(SystemFolders, ComputedOnceFromTheSystemInLowerCase) {
  fakes::FakeSystem system;
  system.modulePath = "C:\\Apps\\Tool.EXE";
  system.windowsDirectory = "C:\\WINDOWS\\";
  const SystemFolders f = ComputeSystemFolders(system);
  EXPECT_EQ(f.workingBitmapPath, "c:\\apps\\tool.bmp");
  EXPECT_EQ(f.windowsDir, "c:\\windows");
  EXPECT_EQ(f.programDir, "C:\\Apps");
}

TEST(FileSizeOf, GivesBytesOrMinusOneNeverThrows) {
  fakes::FakeFiles files;
  files.Put("c:\\p\\empty.bmp", "");
  files.Put("c:\\p\\three.bmp", "abc");
  files.Put("c:\\p\\locked.bmp", "abcd");
  files.Lock("c:\\p\\locked.bmp");
  EXPECT_EQ(FileSizeOf(files, "c:\\p\\empty.bmp"), 0);
  EXPECT_EQ(FileSizeOf(files, "C:\\P\\THREE.BMP"), 3);
  EXPECT_EQ(FileSizeOf(files, "c:\\p\\missing.bmp"), -1);
  EXPECT_EQ(FileSizeOf(files, "c:\\p\\locked.bmp"), -1);
}

TEST(FileDateTimeOf, DecodesThePackedLocalTimeOrNamesTheFile) {
  fakes::FakeFiles files;
  // 2024-03-15 13:45:58: date (44<<9)|(3<<5)|15, time (13<<11)|(45<<5)|29
  const std::uint32_t packed = ((44u << 9 | 3u << 5 | 15u) << 16) | (13u << 11 | 45u << 5 | 29u);
  files.Put("c:\\p\\a.bmp", "x", packed);
  EXPECT_DOUBLE_EQ(FileDateTimeOf(files, "c:\\p\\a.bmp"), EncodeDateTime(2024, 3, 15, 13, 45, 58));
  EXPECT_NEAR(EncodeDateTime(1899, 12, 30, 0, 0, 0), 0.0, 1e-9);
  EXPECT_NEAR(EncodeDateTime(2000, 1, 1, 12, 0, 0), 36526.5, 1e-9);
  try {
    FileDateTimeOf(files, "c:\\p\\gone.bmp");
    FAIL() << "no error";
  } catch (const std::exception& e) {
    EXPECT_STREQ(e.what(), "Cannot open file c:\\p\\gone.bmp");
  }
}

TEST(ScreenSaverRunning, AnswersFromTheDesktopOrItsError) {
  fakes::FakeDesktop desktop;
  desktop.saverError = 2;
  EXPECT_FALSE(ScreenSaverRunning(desktop));
  desktop.saverError = 5;
  EXPECT_TRUE(ScreenSaverRunning(desktop));
  desktop.saverOpens = true;
  EXPECT_TRUE(ScreenSaverRunning(desktop));
  EXPECT_EQ(desktop.openDesktops, 0) << "an opened desktop is closed again";
}

}  // namespace
}  // namespace mvx
