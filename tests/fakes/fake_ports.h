#pragma once
#include "fakes/fake_files.h"
#include "fakes/fake_hotkeys.h"
#include "fakes/fake_misc.h"
#include "fakes/fake_monitors.h"
#include "fakes/fake_pictures.h"
#include "fakes/fake_profile.h"
#include "fakes/fake_prompts.h"
#include "fakes/fake_registry.h"
#include "fakes/fake_time.h"
#include "fakes/fake_watches.h"
#include "platform/ports.h"

namespace mvx::fakes {

// One of every fake, and the Ports bundle over them.
struct FakePorts {
  FakeTime time;
  FakePrompts prompts;
  FakeRegistry registry;
  FakeFiles files{&time};
  FakeProfile profile{files};
  FakeInstance instance;
  FakeTrace trace;
  FakeDesktop desktop;
  FakeSystem system;
  FakeHelp help;
  FakeNotifyIcon notifyIcon;
  FakeShell shell{&files};
  FakeDialogs dialogs;
  FakePictures pictures{files};
  FakeMonitors monitors{files};
  FakeWatches watches{time, registry, files};
  FakeHotkeys hotkeys;
  Ports ports{time,   time, prompts,    registry, profile, files,    instance, trace,    desktop,
              system, help, notifyIcon, shell,    dialogs, pictures, watches,  monitors, hotkeys};
};

}  // namespace mvx::fakes
