#include <gtest/gtest.h>

#include "app/settings_file.h"
#include "contract/contract_env.h"

namespace mvx::contract {
namespace {

class ProfileContract : public ::testing::Test {
 protected:
  std::string Get(const std::string& section, const std::string& key, const std::string& def = "<default>") {
    return profile.GetString(ini, section, key, def);
  }
  void Raw(const std::string& text) { ASSERT_TRUE(WriteNewFile(env->P().files, ini, text)); }

  std::unique_ptr<ContractEnv> env = MakeContractEnv();
  ProfilePort& profile = env->P().profile;
  std::string dir = env->FreshFolder();
  std::string ini = dir + "\\Murovex.INI";
};

TEST_F(ProfileContract, MissingFileGivesTheDefaultAndTheFirstWriteMakesIt) {
  EXPECT_EQ(Get("General", "Verbose", "1"), "1");
  EXPECT_FALSE(env->P().files.FileExists(ini));
  ASSERT_TRUE(profile.WriteString(ini, "General", "Verbose", "0"));
  EXPECT_TRUE(env->P().files.FileExists(ini));
  EXPECT_EQ(Get("General", "Verbose", "1"), "0");
  EXPECT_EQ(Get("General", "Missing", "dflt"), "dflt");
  EXPECT_EQ(Get("Other", "Verbose", "dflt"), "dflt");
}

TEST_F(ProfileContract, EmptyFileGivesDefaultsAndTakesWrites) {
  Raw("");
  EXPECT_EQ(Get("General", "Verbose"), "<default>");
  ASSERT_TRUE(profile.WriteString(ini, "General", "Verbose", "1"));
  EXPECT_EQ(Get("General", "Verbose"), "1");
}

TEST_F(ProfileContract, SectionAndKeyNamesIgnoreCaseAndAWriteUpdatesTheSameKey) {
  ASSERT_TRUE(profile.WriteString(ini, "General", "Verbose", "1"));
  EXPECT_EQ(Get("GENERAL", "verbose"), "1");
  ASSERT_TRUE(profile.WriteString(ini, "general", "VERBOSE", "0"));
  EXPECT_EQ(Get("General", "Verbose"), "0");
  EXPECT_EQ(ReadWholeFile(env->P().files, ini), "[General]\r\nVerbose=0\r\n");
}

TEST_F(ProfileContract, WrittenValuesLoseTheirLeadingBlanksAndReadBackTrimmed) {
  ASSERT_TRUE(profile.WriteString(ini, "General", "SelectedEditor", "  pbrush.exe  "));
  EXPECT_EQ(ReadWholeFile(env->P().files, ini), "[General]\r\nSelectedEditor=pbrush.exe  \r\n");
  EXPECT_EQ(Get("General", "SelectedEditor"), "pbrush.exe");
}

TEST_F(ProfileContract, WritesKeepTheOtherKeysAndSections) {
  ASSERT_TRUE(profile.WriteString(ini, "Directories", "DataDir", "c:\\apps\\images"));
  ASSERT_TRUE(profile.WriteString(ini, "General", "Verbose", "1"));
  ASSERT_TRUE(profile.WriteString(ini, "Directories", "DBFileName", "GDB.CDS"));
  ASSERT_TRUE(profile.WriteString(ini, "AutoDetect", "Poll File Name", "Netscape Wallpaper.bmp"));
  EXPECT_EQ(Get("Directories", "DataDir"), "c:\\apps\\images");
  EXPECT_EQ(Get("Directories", "DBFileName"), "GDB.CDS");
  EXPECT_EQ(Get("General", "Verbose"), "1");
  EXPECT_EQ(Get("AutoDetect", "Poll File Name"), "Netscape Wallpaper.bmp");
}

TEST_F(ProfileContract, ValuesAreTrimmedAndMatchingQuotesStripped) {
  Raw("[S]\r\n"
      "padded =   two words  \r\n"
      "  indented=x\r\n"
      "double=\"quoted\"\r\n"
      "single='quoted'\r\n"
      "mixed=\"quoted'\r\n"
      "inner=a \"b\" c\r\n"
      "spaced=\"  kept  \"\r\n"
      "lone=\"\r\n"
      "equals=a=b\r\n"
      "empty=\r\n");
  const struct {
    const char* key;
    const char* value;
  } cases[] = {
      {"padded", "two words"}, {"indented", "x"},      {"double", "quoted"},   {"single", "quoted"},
      {"mixed", "\"quoted'"},  {"inner", "a \"b\" c"}, {"spaced", "  kept  "}, {"lone", "\""},
      {"equals", "a=b"},       {"empty", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(Get("S", c.key), c.value) << c.key;
}

TEST_F(ProfileContract, ASectionListsItsKeysTrimmedWithoutCommentsOrBlankLines) {
  Raw("[S]\r\n"
      "padded =   two words  \r\n"
      "  indented=x\r\n"
      "double=\"quoted\"\r\n"
      ";comment=1\r\n"
      "noequals\r\n"
      "\r\n"
      "empty=\r\n"
      "k=first\r\n"
      "K=second\r\n"
      "[T]\r\nt=1\r\n[s]\r\nj=later\r\n");
  EXPECT_EQ(profile.GetSection(ini, "s"), std::string("padded=two words\0indented=x\0double=\"quoted\"\0noequals\0"
                                                     "empty=\0k=first\0K=second\0",
                                                     77))
      << "the first of two sections of one name, its values as written";
  EXPECT_EQ(profile.GetSection(ini, "T"), std::string("t=1\0", 4));
  EXPECT_EQ(profile.GetSection(ini, "Missing"), "");
  EXPECT_EQ(profile.GetSection(dir + "\\none.INI", "S"), "");
}

TEST_F(ProfileContract, ReadsAtMost1023Characters) {
  const std::string longValue(2000, 'v');
  ASSERT_TRUE(profile.WriteString(ini, "Directories", "DataDir", longValue));
  EXPECT_EQ(Get("Directories", "DataDir"), std::string(1023, 'v'));
  EXPECT_EQ(Get("Directories", "Missing", std::string(1500, 'd')), std::string(1023, 'd'));
}

TEST_F(ProfileContract, OverlongLinesDoNotDisturbTheLinesAfterThem) {
  Raw("[S]\r\nlong=" + std::string(5000, 'x') + "\r\nafter=1\r\n[T]\r\nk=2\r\n");
  EXPECT_EQ(Get("S", "long"), std::string(1023, 'x'));
  EXPECT_EQ(Get("S", "after"), "1");
  EXPECT_EQ(Get("T", "k"), "2");
}

TEST_F(ProfileContract, TheFirstOfDuplicateKeysWins) {
  Raw("[S]\r\nk=first\r\nk=second\r\n[T]\r\nk=other\r\n");
  EXPECT_EQ(Get("S", "k"), "first");
  ASSERT_TRUE(profile.WriteString(ini, "S", "k", "changed"));
  EXPECT_EQ(Get("S", "k"), "changed");
  EXPECT_EQ(Get("T", "k"), "other");
}

TEST_F(ProfileContract, DuplicateSectionsReadAsTheFirst) {
  Raw("[S]\r\nk=first\r\n[T]\r\nt=1\r\n[s]\r\nk=second\r\nj=later\r\n");
  EXPECT_EQ(Get("S", "k"), "first");
  EXPECT_EQ(Get("S", "j"), "<default>");
  EXPECT_EQ(Get("T", "t"), "1");
}

TEST_F(ProfileContract, NonAsciiPathsAndValuesRoundTripAsUtf8) {
  const std::string folder = dir + "\\Programme f\xC3\xBCr mich";  // "für"
  ASSERT_TRUE(env->P().files.MakeDirectory(folder));
  const std::string file = folder + "\\Murovex.INI";
  const std::string value =
      "c:\\Bilder\\Gr\xC3\xBC\xC3\x9F"
      "e \xE6\x97\xA5\xE6\x9C\xAC";
  ASSERT_TRUE(profile.WriteString(file, "Directories", "DataDir", value));
  EXPECT_EQ(profile.GetString(file, "Directories", "DataDir", ""), value);
  EXPECT_EQ(ReadWholeFile(env->P().files, file), "[Directories]\r\nDataDir=" + value + "\r\n");
}

TEST_F(ProfileContract, AWriteIntoAMissingFolderFails) {
  const std::string lost = dir + "\\missing\\Murovex.INI";
  EXPECT_FALSE(profile.WriteString(lost, "General", "Verbose", "1"));
  EXPECT_EQ(profile.GetString(lost, "General", "Verbose", "d"), "d");
  EXPECT_FALSE(env->P().files.DirectoryExists(dir + "\\missing"));
}

// The settings file reads a section at a time; every answer must be the one
// the key-at-a-time function gives, whatever the file holds.
TEST_F(ProfileContract, SettingsReadBySectionAnswerAsTheKeyReadsDo) {
  Raw("[S]\r\n"
      "padded =   two words  \r\n"
      "double=\"quoted\"\r\n"
      "single='quoted'\r\n"
      "lone=\"\r\n"
      "equals=a=b\r\n"
      "empty=\r\n"
      ";hidden=1\r\n"
      "noequals\r\n"
      "k=first\r\n"
      "K=second\r\n"
      "long=" + std::string(1500, 'x') + "\r\n"
      "edge=" + std::string(1022, 'y') + "\r\n"
      "Poll File Name=Netscape Wallpaper.bmp\r\n"
      "caf\xC3\xA9=accent\r\n"
      "[T]\r\nt=1\r\n[s]\r\nj=later\r\n");
  const std::string longDefault(1200, 'd');
  const struct {
    const char* section;
    const char* key;
    std::string def;
  } cases[] = {
      {"S", "padded", ""},   {"S", "double", ""},       {"S", "single", ""},          {"S", "lone", ""},
      {"S", "equals", ""},   {"S", "empty", "dflt"},    {"S", ";hidden", "dflt"},     {"S", "hidden", "dflt"},
      {"S", "noequals", "d"}, {"s", "K", ""},           {"S", "long", ""},            {"S", "edge", ""},
      {"S", "poll file name", ""}, {"S", "CAF\xC3\xA9", "d"}, {"S", "missing", longDefault}, {"T", "t", ""},
      {"S", "j", "dflt"},    {"Missing", "t", "dflt"},
  };
  SettingsFile settings(profile, ini);
  for (const auto& c : cases) {
    EXPECT_EQ(settings.ReadString(c.section, c.key, c.def), profile.GetString(ini, c.section, c.key, c.def))
        << c.section << "/" << c.key;
  }
  // A write shows in the next read of its section.
  settings.WriteString("S", "padded", "changed");
  EXPECT_EQ(settings.ReadString("S", "padded", ""), "changed");
}

// Read whole, a plain file must answer every key as the key-at-a-time
// function does; a file the whole read leaves to the system, too.
TEST_F(ProfileContract, SettingsReadFromTheWholeFileAnswerAsTheKeyReadsDo) {
  const struct {
    const char* name;
    std::string text;
  } files[] = {
      {"as written", "[General]\r\nVerbose=0\r\nSelectedEditor=pbrush.exe  \r\n[Directories]\r\n"
                     "DataDir=c:\\apps\\images\r\nDBFileName=GDB.CDS\r\n[AutoDetect]\r\n"
                     "Poll File Name=Netscape Wallpaper.bmp\r\n"},
      {"by hand", "\r\n[general]\n\tverbose = 1 \n\n  [Directories]  \nDATADIR=d:\\x\nempty=\nequals=a=b\n"},
      {"comment", "[General]\r\n;Verbose=1\r\nVerbose=0\r\n"},
      {"lone key", "[General]\r\nVerbose\r\nSelectedEditor=x\r\n"},
      {"duplicate key", "[General]\r\nVerbose=0\r\nverbose=1\r\n"},
      {"duplicate section", "[General]\r\nVerbose=0\r\n[Directories]\r\nDataDir=a\r\n[GENERAL]\r\nVerbose=1\r\n"},
      {"quotes", "[General]\r\nSelectedEditor=\"c:\\a b\\p.exe\"\r\nVerbose=0\r\n"},
      {"other letters", "[General]\r\nVerbose=0\r\nSelectedEditor=caf\xC3\xA9.exe\r\n"},
      {"byte-order mark", "\xEF\xBB\xBF[General]\r\nVerbose=0\r\n"},
      {"before any section", "Verbose=1\r\n[General]\r\nVerbose=0\r\n"},
      {"heading with more", "[General] x\r\nVerbose=0\r\n[Directories]\r\nDataDir=a\r\n"},
      {"heading with blanks", "[ General ]\r\nVerbose=0\r\n"},
      {"overlong", "[General]\r\nSelectedEditor=" + std::string(1100, 'e') + "\r\nVerbose=0\r\n"},
  };
  const struct {
    const char* section;
    const char* key;
  } keys[] = {
      {"General", "Verbose"},        {"GENERAL", "selectededitor"}, {"Directories", "DataDir"},
      {"directories", "DBFileName"}, {"Directories", "empty"},      {"Directories", "equals"},
      {"AutoDetect", "poll file name"}, {"General", "Missing"},    {"Missing", "Verbose"},
  };
  for (const auto& f : files) {
    SCOPED_TRACE(f.name);
    env->P().files.Delete(ini);
    Raw(f.text);
    SettingsFile settings(profile, ini, &env->P().files);
    for (const auto& k : keys) {
      EXPECT_EQ(settings.ReadString(k.section, k.key, "<default>"), Get(k.section, k.key)) << k.section << "/" << k.key;
    }
  }
  // The system's writes are in the file by the time a later pass reads it whole.
  env->P().files.Delete(ini);
  Raw(files[0].text);
  ASSERT_TRUE(profile.WriteString(ini, "Directories", "DataDir", "e:\\later"));
  EXPECT_EQ(SettingsFile(profile, ini, &env->P().files).ReadString("Directories", "DataDir", ""), "e:\\later");
}

}  // namespace
}  // namespace mvx::contract
