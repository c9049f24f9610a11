#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "adding/picture_list.h"

namespace mvx::testing {
namespace {

constexpr DisplayMode T = DisplayMode::Tile;
constexpr DisplayMode C = DisplayMode::Centre;

TEST(PictureListTest, ALineIsTheQuotedNameAndModeEndedByCrLf) {
  EXPECT_EQ(PictureListLine("sunset.bmp", DisplayMode::Tile), "\"sunset.bmp\",\"T\"\r\n");
  EXPECT_EQ(PictureListLine("sunset.bmp", DisplayMode::Tile).size(), 16u + 2u);
  EXPECT_EQ(PictureListLine("Mond über See.BMP", DisplayMode::Centre), "\"Mond über See.BMP\",\"C\"\r\n");
}

TEST(PictureListTest, WrittenLinesReadBackAsTheSameNamesAndModes) {
  const std::vector<PictureListItem> items = {{"sunset.bmp", T},
                                              {"Dawn, early.bmp", C},
                                              {"t.bmp", DisplayMode::Fit},
                                              {"\xE6\x97\xA5\xE6\x9C\xAC.bmp", DisplayMode::Fill},
                                              {"s.bmp", DisplayMode::Stretch}};
  std::string text;
  for (const PictureListItem& item : items) text += PictureListLine(item.name, item.mode);
  EXPECT_EQ(ParsePictureList(text), items);
}

TEST(PictureListTest, EachLineGivesTheFirstAndSecondQuotedTextsWhateverElseItHolds) {
  struct Case {
    const char* what;
    std::string text;
    std::vector<PictureListItem> items;
  };
  const Case cases[] = {
      {"empty", "", {}},
      {"blank lines only", "\r\n\r\n\n\r", {}},
      {"no line end at the end", "\"a.bmp\",\"T\"\r\n\"b.bmp\",\"C\"", {{"a.bmp", T}, {"b.bmp", C}}},
      {"LF only", "\"a.bmp\",\"T\"\n\n\"b.bmp\",\"C\"\n", {{"a.bmp", T}, {"b.bmp", C}}},
      {"CR only", "\"a.bmp\",\"C\"\r\"b.bmp\",\"T\"\r", {{"a.bmp", C}, {"b.bmp", T}}},
      {"lower-case t", "\"a.bmp\",\"t\"", {{"a.bmp", T}}},
      {"another letter", "\"a.bmp\",\"X\"", {{"a.bmp", C}}},
      {"fill, fit and stretch",
       "\"a.bmp\",\"F\"\n\"b.bmp\",\"p\"\n\"c.bmp\",\"S\"",
       {{"a.bmp", DisplayMode::Fill}, {"b.bmp", DisplayMode::Fit}, {"c.bmp", DisplayMode::Stretch}}},
      {"two letters", "\"a.bmp\",\"Tc\"", {{"a.bmp", C}}},
      {"empty mode", "\"a.bmp\",\"\"", {{"a.bmp", C}}},
      {"one field", "\"a.bmp\"", {{"a.bmp", C}}},
      {"three fields", "\"a.bmp\",\"T\",\"C\"", {{"a.bmp", T}}},
      {"blanks around", "  \"a.bmp\" ;\"T\"  ", {{"a.bmp", T}}},
      {"no quotes", "a.bmp,T", {{"", C}}},
      {"blanks only", "   ", {{"", C}}},
      {"name not closed", "\"a.bmp,T", {{"", C}}},
      {"mode not closed", "\"a.bmp\",\"T", {{"a.bmp", C}}},
      {"byte order mark", "\xEF\xBB\xBF\"a.bmp\",\"T\"\r\n", {{"a.bmp", T}}},
      {"not UTF-8", "\"\xFF\xC3(.bmp\",\"t\"", {{"\xFF\xC3(.bmp", T}}},
      {"a null byte", std::string("\"a\0b.bmp\",\"T\"", 14), {{std::string("a\0b.bmp", 7), T}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(ParsePictureList(c.text), c.items);
  }
}

TEST(PictureListTest, AVeryLongLineIsReadWhole) {
  const std::string name(1 << 20, 'x');
  const auto items = ParsePictureList("\"" + name + "\",\"T\"\r\n\"b.bmp\",\"C\"\r\n");
  ASSERT_EQ(items.size(), 2u);
  EXPECT_EQ(items[0].name, name);
  EXPECT_EQ(items[1].name, "b.bmp");
}

TEST(PictureListTest, OnlyPlainNamesOfTheListsOwnFolderArePictures) {
  std::string cjk251;  // 251 units, 753 bytes
  for (int i = 0; i < 251; ++i) cjk251 += "\xE6\x9D\xB1";
  struct Case {
    std::string name;
    ListedName kind;
  };
  const Case cases[] = {
      {"sunset.bmp", ListedName::Picture},
      {"SUNSET.BMP", ListedName::Picture},
      {"my.photo.bmp", ListedName::Picture},
      {"Mond über See.bmp", ListedName::Picture},
      {"console.bmp", ListedName::Picture},
      {"com10.bmp", ListedName::Picture},
      {"..hidden.bmp", ListedName::Picture},
      {std::string(251, 'x') + ".bmp", ListedName::Picture},
      {cjk251 + ".bmp", ListedName::Picture},
      {"harbour.JPG", ListedName::Picture},
      {"map.png", ListedName::Picture},
      {"notes.txt", ListedName::NotAPicture},
      {"mvx.mvl", ListedName::NotAPicture},
      {"bmp", ListedName::NotAPicture},
      {"", ListedName::OutsideFolder},
      {".", ListedName::OutsideFolder},
      {"..", ListedName::OutsideFolder},
      {"...", ListedName::OutsideFolder},
      {". .", ListedName::OutsideFolder},
      {"..\\..\\Users\\me\\Documents\\x.bmp", ListedName::OutsideFolder},
      {"../x.bmp", ListedName::OutsideFolder},
      {"sub\\x.bmp", ListedName::OutsideFolder},
      {"C:\\Windows\\x.bmp", ListedName::OutsideFolder},
      {"C:x.bmp", ListedName::OutsideFolder},
      {"\\\\server\\share\\x.bmp", ListedName::OutsideFolder},
      {"x.bmp:stream", ListedName::OutsideFolder},
      {"x*.bmp", ListedName::OutsideFolder},
      {"x?.bmp", ListedName::OutsideFolder},
      {"a<b>.bmp", ListedName::OutsideFolder},
      {"a|b.bmp", ListedName::OutsideFolder},
      {"tab\there.bmp", ListedName::OutsideFolder},
      {std::string("a\0b.bmp", 7), ListedName::OutsideFolder},
      {"CON.bmp", ListedName::OutsideFolder},
      {"nul.bmp", ListedName::OutsideFolder},
      {"Aux .bmp", ListedName::OutsideFolder},
      {"prn", ListedName::OutsideFolder},
      {"COM1.bmp", ListedName::OutsideFolder},
      {"lpt9.x.bmp", ListedName::OutsideFolder},
      {std::string(252, 'x') + ".bmp", ListedName::OutsideFolder},
      {cjk251 + ".jpeg", ListedName::OutsideFolder},
      {"sunset.bmp.", ListedName::OutsideFolder},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name.substr(0, 40));
    EXPECT_EQ(ClassifyListedName(c.name), c.kind);
  }
}

}  // namespace
}  // namespace mvx::testing
