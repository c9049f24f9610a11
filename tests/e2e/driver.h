#pragma once
// Drives murovex.exe under Wine the way a user or another program would. The
// tests run inside Wine as a Windows program: each prepares a fresh copy of
// the application, listens for its traces as the "Kestrane Message Window",
// starts the program, and reads back windows, settings and the registry.
//
// Running one test by hand, from the win64 build tree:
//   ctest -R e2e --output-on-failure
//   ../../cmake/wine-run.sh ./e2e_tests.exe --gtest_filter='Startup*'
// (wine-run.sh brings its own Xvfb when DISPLAY is unset; the app folder is
// taken from MUROVEX_APP_DIR, else the app folder beside e2e_tests.exe).
// Screenshots go to MUROVEX_SHOT_DIR, else into the test's app folder, which
// is kept when a test fails; its path is printed then.

#include <deque>
#include <string>

#include "e2e/app_folder.h"
#include "e2e/listener.h"
#include "e2e/message_box.h"
#include "e2e/process.h"
#include "e2e/pump.h"
#include "e2e/screenshot.h"
#include "e2e/window_finder.h"

namespace mvx::e2e {

// Generous enough for a slow machine; a start takes 0.2-0.5 s once Wine runs.
inline constexpr Clock::duration kStartTimeout = std::chrono::seconds(15);
inline constexpr Clock::duration kExitTimeout = std::chrono::seconds(10);

// True while some process holds the program's single-instance mutex.
bool InstanceRunning();

class Driver {
 public:
  explicit Driver(const AppSetup& setup = {});

  TraceListener& Traces() { return listener_; }
  AppFolder& Folder() { return folder_; }
  // Starts murovex.exe of this test's folder; the driver kills it at the end
  // if it still runs.
  Process& Start(const std::string& args = "");
  // The first trace with this text, waiting up to `timeout`; gives up as soon
  // as `process` ends without having sent it.
  std::optional<TraceEntry> WaitForTrace(std::string_view text, const Process& process, Clock::duration timeout);
  std::string Screenshot(const std::string& name) { return SaveScreenshot(name, folder_.Path()); }

 private:
  // Declared in this order so the processes end before the listener goes
  // and the folder is removed.
  AppFolder folder_;
  TraceListener listener_;
  std::deque<Process> processes_;
};

}  // namespace mvx::e2e
