#pragma once
#include "control/remote_command.h"
#include "platform/instance_port.h"

namespace mvx {

// The main window's class, by which a second start finds the running instance.
inline constexpr const char* kMainWindowClass = "TFrmMain";

// A second start hands its command to the running instance and waits for
// the answer; an instance still starting is asked again until it has
// started. Writes one line of the outcome; returns the exit code: 0 when
// the command was carried out, 1 otherwise.
int HandOverCommand(InstancePort& instance, const RemoteCommand& command);

// The exit code and line of a command line that names a command wrongly.
int ReportInvalidCommand(InstancePort& instance, const CommandLine& line);

}  // namespace mvx
