#pragma once
#include "platform/desktop_port.h"
#include "platform/dialog_port.h"
#include "platform/file_port.h"
#include "platform/help_port.h"
#include "platform/hotkey_port.h"
#include "platform/instance_port.h"
#include "platform/monitor_port.h"
#include "platform/notify_icon_port.h"
#include "platform/picture_port.h"
#include "platform/profile_port.h"
#include "platform/prompt_port.h"
#include "platform/registry_port.h"
#include "platform/shell_port.h"
#include "platform/system_port.h"
#include "platform/timer_port.h"
#include "platform/trace_port.h"
#include "platform/watch_port.h"

namespace mvx {

// Every outside thing the program touches, handed to the core in one piece.
struct Ports {
  TimerPort& timers;
  ClockPort& clock;
  PromptPort& prompts;
  RegistryPort& registry;
  ProfilePort& profile;
  FilePort& files;
  InstancePort& instance;
  TracePort& trace;
  DesktopPort& desktop;
  SystemPort& system;
  HelpPort& help;
  NotifyIconPort& notifyIcon;
  ShellPort& shell;
  DialogPort& dialogs;
  PicturePort& pictures;
  WatchPort& watches;
  MonitorPort& monitors;
  HotkeyPort& hotkeys;
};

}  // namespace mvx
