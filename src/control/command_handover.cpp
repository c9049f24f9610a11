#include "control/command_handover.h"

namespace mvx {

namespace {

// A picture taken in with its question may wait for the user for a while.
constexpr std::uint32_t kAnswerTimeoutMs = 5 * 60 * 1000;
// The instance holds the mutex before its window exists and answers only
// once its start-up is done.
constexpr std::uint32_t kRetryPauseMs = 200;
constexpr int kStartRetries = 150;

}  // namespace

int HandOverCommand(InstancePort& instance, const RemoteCommand& command) {
  const std::vector<std::uint8_t> bytes = EncodeCommand(command);
  std::optional<CommandAnswer> answer;
  for (int attempt = 0; attempt < kStartRetries; ++attempt) {
    if (attempt > 0) instance.Pause(kRetryPauseMs);
    const std::uintptr_t window = instance.FindTopWindowOfClass(kMainWindowClass);
    if (window == 0) continue;
    const std::optional<std::intptr_t> result = instance.SendCopyData(window, kCommandTag, bytes, kAnswerTimeoutMs);
    answer = result ? std::optional(static_cast<CommandAnswer>(*result)) : std::nullopt;
    if (answer != CommandAnswer::Starting) break;
  }
  instance.WriteOutputLine(AnswerLine(command, answer));
  return answer == CommandAnswer::Done ? 0 : 1;
}

int ReportInvalidCommand(InstancePort& instance, const CommandLine& line) {
  instance.WriteOutputLine("Murovex: " + line.error);
  return 1;
}

}  // namespace mvx
