#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace mvx {

// What another start of the program can ask of the running one.
enum class CommandVerb { Next, Previous, Pause, Resume, Set, Add, Close };

struct RemoteCommand {
  CommandVerb verb = CommandVerb::Next;
  std::vector<std::string> paths;  // full paths: one for Set, one or more for Add
  bool operator==(const RemoteCommand&) const = default;
};

// The command line, as far as it names a command.
struct CommandLine {
  enum class Kind { None, Command, Invalid };
  Kind kind = Kind::None;
  RemoteCommand command;
  std::string error;  // for Invalid: what was wrong, in a line
};

// The arguments after the program's name. A first argument "/next",
// "/previous", "/pause", "/resume", "/close", "/set" or "/add" (in any
// letter case) names a command; any other is none, as is no argument.
// Paths are taken from currentDir when not full, and must then name a file
// a picture can be (CheckPicturePath).
CommandLine ParseCommandLine(const std::vector<std::string>& args, std::string_view currentDir);

// The full path of a path given on the command line, "." and ".." parts
// resolved and "/" read as "\"; empty when there is none ("X:name", ".."
// above the root).
std::string FullPathFrom(std::string_view path, std::string_view currentDir);

// The command as it goes to the running instance in WM_COPYDATA: the
// verb's name and each path, in UTF-8, separated by zero bytes.
inline constexpr std::uint32_t kCommandTag = 0x4D565843;
inline constexpr std::size_t kLongestCommand = 1 << 20;
std::vector<std::uint8_t> EncodeCommand(const RemoteCommand& command);
// Another process's bytes, checked before anything is done with them: at
// most kLongestCommand bytes, a known verb with the paths it takes, each
// path well-formed UTF-8 without control characters, a full path of at
// most 259 UTF-16 units. Anything else gives nullopt.
std::optional<RemoteCommand> DecodeCommand(const std::uint8_t* data, std::size_t size);

// The running instance's answer, the result of WM_COPYDATA.
enum class CommandAnswer : std::intptr_t { Refused = 0, Done = 1, Failed = 2, Starting = 3 };

// The line the second start writes for an answer; nullopt: none came.
std::string AnswerLine(const RemoteCommand& command, std::optional<CommandAnswer> answer);

}  // namespace mvx
