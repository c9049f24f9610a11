#include <gtest/gtest.h>

#include "control/command_handover.h"
#include "control/remote_command.h"
#include "unit/adding_fixture.h"

namespace mvx::testing {
namespace {

using Kind = CommandLine::Kind;

TEST(CommandLineParse, NamesACommandWithFullPathsOrIsLeftAsBefore) {
  struct Case {
    std::vector<std::string> args;
    Kind kind;
    CommandVerb verb;
    std::vector<std::string> paths;
    std::string error;
  };
  const std::string cwd = "D:\\Work\\Pics\\";
  const Case cases[] = {
      {{}, Kind::None, CommandVerb::Next, {}, ""},
      {{":"}, Kind::None, CommandVerb::Next, {}, ""},
      {{"/nexty"}, Kind::None, CommandVerb::Next, {}, ""},
      {{"next"}, Kind::None, CommandVerb::Next, {}, ""},
      {{"/"}, Kind::None, CommandVerb::Next, {}, ""},
      {{"/NEXT"}, Kind::Command, CommandVerb::Next, {}, ""},
      {{"/previous"}, Kind::Command, CommandVerb::Previous, {}, ""},
      {{"/Pause"}, Kind::Command, CommandVerb::Pause, {}, ""},
      {{"/resume"}, Kind::Command, CommandVerb::Resume, {}, ""},
      {{"/close"}, Kind::Command, CommandVerb::Close, {}, ""},
      {{"/close", "now"}, Kind::Invalid, CommandVerb::Next, {}, "/close takes nothing after it"},
      {{"/set", "a.bmp"}, Kind::Command, CommandVerb::Set, {"D:\\Work\\Pics\\a.bmp"}, ""},
      {{"/set", "..\\b.jpg"}, Kind::Command, CommandVerb::Set, {"D:\\Work\\b.jpg"}, ""},
      {{"/set", "\\Root\\c.png"}, Kind::Command, CommandVerb::Set, {"D:\\Root\\c.png"}, ""},
      {{"/set", "E:/x/./y/d.bmp"}, Kind::Command, CommandVerb::Set, {"E:\\x\\y\\d.bmp"}, ""},
      {{"/set", "\\\\srv\\share\\e.bmp"}, Kind::Command, CommandVerb::Set, {"\\\\srv\\share\\e.bmp"}, ""},
      {{"/set"}, Kind::Invalid, CommandVerb::Next, {}, "/set takes one picture: /set PATH"},
      {{"/set", "a.bmp", "b.bmp"}, Kind::Invalid, CommandVerb::Next, {}, "/set takes one picture: /set PATH"},
      {{"/set", "E:relative.bmp"}, Kind::Invalid, CommandVerb::Next, {}, "not a path a picture can have: E:relative.bmp"},
      {{"/set", "..\\..\\..\\f.bmp"}, Kind::Invalid, CommandVerb::Next, {}, "not a path a picture can have: ..\\..\\..\\f.bmp"},
      {{"/set", "dir\\"}, Kind::Invalid, CommandVerb::Next, {}, "not a path a picture can have: dir\\"},
      {{"/set", std::string(250, 'n') + ".bmp"}, Kind::Invalid, CommandVerb::Next, {},
       "not a path a picture can have: " + std::string(250, 'n') + ".bmp"},
      {{"/add", "a.bmp", "C:\\b.bmp"}, Kind::Command, CommandVerb::Add, {"D:\\Work\\Pics\\a.bmp", "C:\\b.bmp"}, ""},
      {{"/add"}, Kind::Invalid, CommandVerb::Next, {}, "/add takes one picture or more: /add PATH..."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args.empty() ? "(none)" : c.args[0] + (c.args.size() > 1 ? " " + c.args[1] : ""));
    const CommandLine line = ParseCommandLine(c.args, cwd);
    EXPECT_EQ(line.kind, c.kind);
    if (c.kind == Kind::Command) {
      EXPECT_EQ(line.command.verb, c.verb);
      EXPECT_EQ(line.command.paths, c.paths);
    }
    EXPECT_EQ(line.error, c.error);
  }
}

std::vector<std::uint8_t> Bytes(std::string_view text) {
  return std::vector<std::uint8_t>(text.begin(), text.end());
}

TEST(CommandBlock, ARoundTripKeepsTheCommandAndAnythingMalformedIsRefused) {
  const RemoteCommand add{CommandVerb::Add, {"C:\\Pics\\\xC3\xA9t\xC3\xA9.bmp", "\\\\srv\\share\\b.jpg"}};
  const std::vector<std::uint8_t> block = EncodeCommand(add);
  EXPECT_EQ(DecodeCommand(block.data(), block.size()), add);
  for (const RemoteCommand& plain : {RemoteCommand{CommandVerb::Close, {}}, RemoteCommand{CommandVerb::Resume, {}}}) {
    const auto bytes = EncodeCommand(plain);
    EXPECT_EQ(DecodeCommand(bytes.data(), bytes.size()), plain);
  }

  const std::string longest = "C:\\" + std::string(126, 'f') + "\\" + std::string(125, 'x') + ".bmp";  // 259 units
  const std::string over = "C:\\" + std::string(127, 'f') + "\\" + std::string(125, 'x') + ".bmp";
  // A folder of characters of two UTF-16 units (four bytes) each.
  const auto pairsPath = [](int pairs, int nameLength) {
    std::string path = "C:\\";
    for (int i = 0; i < pairs; ++i) path += "\xF0\x9F\x98\x80";
    return path + "\\" + std::string(static_cast<std::size_t>(nameLength), 'x') + ".bmp";
  };
  struct Case {
    const char* name;
    std::string bytes;
    bool accepted;
  };
  const Case cases[] = {
      {"next", "next", true},
      {"longest path", "set" + std::string(1, '\0') + longest, true},
      {"path one unit too long", "set" + std::string(1, '\0') + over, false},
      {"254 units in 374 bytes", "set" + std::string(1, '\0') + pairsPath(60, 126), true},
      {"two-unit characters beyond 259 units", "set" + std::string(1, '\0') + pairsPath(66, 124), false},
      {"verb in capitals", "NEXT", false},
      {"unknown verb", "shuffle", false},
      {"trailing zero", std::string("next") + '\0', false},
      {"argument to next", "next" + std::string(1, '\0') + "C:\\a.bmp", false},
      {"set without path", "set", false},
      {"set with two", "set" + std::string(1, '\0') + "C:\\a.bmp" + '\0' + "C:\\b.bmp", false},
      {"empty path", "add" + std::string(1, '\0'), false},
      {"relative path", "set" + std::string(1, '\0') + "a.bmp", false},
      {"control character", "set" + std::string(1, '\0') + "C:\\a\tb.bmp", false},
      {"stray continuation byte", "set" + std::string(1, '\0') + "C:\\a\x80.bmp", false},
      {"overlong slash", "set" + std::string(1, '\0') + "C:\\a\xC0\xAF.bmp", false},
      {"surrogate", "set" + std::string(1, '\0') + "C:\\a\xED\xA0\x80.bmp", false},
      {"cut character", "set" + std::string(1, '\0') + "C:\\a.bm\xC3", false},
      {"empty", "", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const auto bytes = Bytes(c.bytes);
    EXPECT_EQ(DecodeCommand(bytes.data(), bytes.size()).has_value(), c.accepted);
  }
  std::string huge = "add";
  while (huge.size() <= kLongestCommand) huge += std::string(1, '\0') + "C:\\pictures\\a.bmp";
  EXPECT_FALSE(DecodeCommand(Bytes(huge).data(), huge.size()).has_value());
  EXPECT_FALSE(DecodeCommand(nullptr, 4).has_value());
}

TEST(CommandHandover, WaitsForTheInstanceToStartAndExitsByItsAnswer) {
  fakes::FakeInstance instance;
  const RemoteCommand next{CommandVerb::Next, {}};
  // No instance window at all: asked again for a while, then given up.
  EXPECT_EQ(HandOverCommand(instance, next), 1);
  EXPECT_EQ(instance.output, std::vector<std::string>{"Murovex: /next: no answer from the running Murovex."});
  EXPECT_GE(instance.pausedMs, 20000u);

  // The window comes, still starting twice, then carries the command out.
  instance = fakes::FakeInstance();
  std::vector<std::vector<std::uint8_t>> received;
  int starting = 2;
  instance.onPause = [&] { instance.topWindows = {{"TFrmMain", 0x77}}; };
  instance.answerCopyData = [&](std::uint32_t tag, const std::vector<std::uint8_t>& bytes) {
    EXPECT_EQ(tag, kCommandTag);
    received.push_back(bytes);
    return static_cast<std::intptr_t>(starting-- > 0 ? CommandAnswer::Starting : CommandAnswer::Done);
  };
  const RemoteCommand set{CommandVerb::Set, {"C:\\a.bmp"}};
  EXPECT_EQ(HandOverCommand(instance, set), 0);
  EXPECT_EQ(received.size(), 3u);
  EXPECT_EQ(received.back(), EncodeCommand(set));
  EXPECT_EQ(instance.output, std::vector<std::string>{"Murovex: C:\\a.bmp is the wallpaper."});

  for (const auto& [answer, line] :
       {std::pair{CommandAnswer::Failed, "Murovex: /previous: no picture to change to."},
        std::pair{CommandAnswer::Refused, "Murovex: /previous: the running Murovex refused the command."}}) {
    instance.output.clear();
    instance.answerCopyData = [answer = answer](std::uint32_t, const std::vector<std::uint8_t>&) {
      return static_cast<std::intptr_t>(answer);
    };
    EXPECT_EQ(HandOverCommand(instance, RemoteCommand{CommandVerb::Previous, {}}), 1);
    EXPECT_EQ(instance.output, std::vector<std::string>{line});
  }
}

// The running instance's side: commands through WM_COPYDATA's block.
class RemoteCommandTest : public AddingFixture {
 protected:
  std::string ReadAll(const std::string& path) {
    std::string bytes;
    fakes.files.ReadAll(path, bytes);
    return bytes;
  }
  CommandAnswer Send(const RemoteCommand& command) {
    const auto bytes = EncodeCommand(command);
    return main->remote.CopyData(kCommandTag, bytes.data(), bytes.size());
  }
};

TEST_F(RemoteCommandTest, AnInstanceStillStartingAsksForPatienceAndForeignBlocksAreRefused) {
  ListOnePicture();
  main->chkAutoChange.SetChecked(true);
  main->booCreating = true;
  EXPECT_EQ(Send({CommandVerb::Pause, {}}), CommandAnswer::Starting);
  EXPECT_TRUE(main->chkAutoChange.Checked());
  main->booCreating = false;
  const auto bytes = EncodeCommand({CommandVerb::Pause, {}});
  EXPECT_EQ(main->remote.CopyData(kCommandTag + 1, bytes.data(), bytes.size()), CommandAnswer::Refused);
  EXPECT_EQ(main->remote.CopyData(kCommandTag, bytes.data(), bytes.size() - 1), CommandAnswer::Refused);
  EXPECT_TRUE(main->chkAutoChange.Checked());
  EXPECT_EQ(Send({CommandVerb::Pause, {}}), CommandAnswer::Done);
  EXPECT_FALSE(main->chkAutoChange.Checked());
  EXPECT_EQ(Send({CommandVerb::Resume, {}}), CommandAnswer::Done);
  EXPECT_TRUE(main->chkAutoChange.Checked());
}

TEST_F(RemoteCommandTest, AddTakesPicturesInWithTheRememberedChoicesAndNoDialog) {
  fakes.files.AddDir("C:\\In");
  fakes.files.Put("C:\\In\\sea.bmp", "BM-sea");
  fakes.files.Put("C:\\In\\hill.bmp", "BM-hill");
  fakes.files.Put(Img("hill.bmp"), "BM-older");  // the copy must not overwrite it
  main->frmItemInfo.RememberedMode = DisplayMode::Fit;
  main->frmItemInfo.RememberedCopyOption = kCopyCopy;

  EXPECT_EQ(Send({CommandVerb::Add, {"C:\\In\\sea.bmp", "C:\\In\\hill.bmp", "C:\\In\\gone.bmp"}}),
            CommandAnswer::Failed);
  EXPECT_TRUE(fakes.prompts.modalCaptions.empty());
  EXPECT_TRUE(fakes.prompts.shown.empty());
  ASSERT_NE(Find(Img("sea.bmp")), nullptr);
  EXPECT_EQ(Find(Img("sea.bmp"))->Display, DisplayMode::Fit);
  EXPECT_EQ(ReadAll(Img("hill.bmp")), "BM-older");
  EXPECT_EQ(main->cdtData.RecordCount(), 2);
  EXPECT_TRUE(fakes.files.FileExists("C:\\In\\sea.bmp"));  // copied, not moved

  EXPECT_EQ(Send({CommandVerb::Add, {"C:\\In\\sea.bmp"}}), CommandAnswer::Done);
  EXPECT_EQ(main->cdtData.RecordCount(), 3);  // a second copy, under a name of its own
}

TEST_F(RemoteCommandTest, SetTakesAnUnlistedPictureInWithItsQuestionThenShowsIt) {
  fakes.files.AddDir("C:\\In");
  fakes.files.Put("C:\\In\\dune.bmp", "BM-dune");
  User([](TfrmItemInfo& d) { d.rdoLeave.SetChecked(true); });
  EXPECT_EQ(Send({CommandVerb::Set, {"C:\\In\\dune.bmp"}}), CommandAnswer::Done);
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].from, "C:\\In");
  ASSERT_NE(Find("C:\\In\\dune.bmp"), nullptr);
  ASSERT_FALSE(fakes.desktop.wallpaperCalls.empty());
  EXPECT_TRUE(SameTextAZ(fakes.desktop.wallpaperCalls.back().path, "C:\\In\\dune.bmp"));

  // Cancelled, the picture is neither listed nor set.
  fakes.files.Put("C:\\In\\reef.bmp", "BM-reef");
  User(nullptr, ModalResult::Cancel);
  EXPECT_EQ(Send({CommandVerb::Set, {"C:\\In\\reef.bmp"}}), CommandAnswer::Failed);
  EXPECT_EQ(Find("C:\\In\\reef.bmp"), nullptr);
  EXPECT_EQ(Send({CommandVerb::Set, {"C:\\In\\none.bmp"}}), CommandAnswer::Failed);
}

TEST_F(RemoteCommandTest, AStartsOwnCommandRunsOnceAndOnlyWhatAFreshProgramCanDo) {
  main->remote.atStart = RemoteCommand{CommandVerb::Pause, {}};
  main->remote.RunAtStart();
  EXPECT_TRUE(main->chkAutoChange.Checked());
  main->remote.atStart = RemoteCommand{CommandVerb::Close, {}};
  main->remote.RunAtStart();
  fakes.time.Advance(100);
  EXPECT_FALSE(main->Closed());

  fakes.files.AddDir("C:\\In");
  fakes.files.Put("C:\\In\\fog.bmp", "BM-fog");
  main->remote.atStart = RemoteCommand{CommandVerb::Add, {"C:\\In\\fog.bmp"}};
  main->remote.RunAtStart();
  main->remote.RunAtStart();
  EXPECT_EQ(main->cdtData.RecordCount(), 1);
  EXPECT_FALSE(main->remote.atStart.has_value());

  EXPECT_EQ(Send({CommandVerb::Close, {}}), CommandAnswer::Done);
  EXPECT_FALSE(main->Closed());  // the answer goes back first
  fakes.time.Advance(10);
  EXPECT_TRUE(main->Closed());
  EXPECT_TRUE(fakes.prompts.shown.empty());  // "Ask before exiting" is for the Close command
}

}  // namespace
}  // namespace mvx::testing
