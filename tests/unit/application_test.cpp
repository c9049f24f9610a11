#include <gtest/gtest.h>

#include <stdexcept>

#include "app/application.h"
#include "fakes/fake_ports.h"

namespace mvx {
namespace {

TEST(ErrorHandler, ShowsAndTracesTheMessageAndTheProgramGoesOn) {
  fakes::FakePorts fakes;
  TApplication app(fakes.ports);
  app.SetTitle("Murovex");
  app.Guard([] { throw std::runtime_error("Unable to write to C:\\x.INI"); }, 5);
  ASSERT_EQ(fakes.prompts.Texts(), std::vector<std::string>{"Exception: Unable to write to C:\\x.INI"});
  EXPECT_EQ(fakes.prompts.shown[0].kind, PromptKind::Error);
  EXPECT_TRUE(fakes.trace.Saw("Exception: Unable to write to C:\\x.INI"));
  EXPECT_EQ(fakes.trace.sent.back().from, 5u);
  EXPECT_EQ(fakes.shell.title, "Murovex");
}

TEST(ErrorHandler, AnUnknownErrorIsStillReported) {
  fakes::FakePorts fakes;
  TApplication app(fakes.ports);
  app.Guard([] { throw 42; });
  EXPECT_EQ(fakes.prompts.Texts(), std::vector<std::string>{"Exception: unknown error"});
}

}  // namespace
}  // namespace mvx
