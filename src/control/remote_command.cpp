#include "control/remote_command.h"

#include <array>
#include <utility>

#include "app/paths.h"
#include "inventory/entry_rules.h"

namespace mvx {

namespace {

constexpr std::array<std::pair<CommandVerb, const char*>, 7> kVerbs{{
    {CommandVerb::Next, "next"},
    {CommandVerb::Previous, "previous"},
    {CommandVerb::Pause, "pause"},
    {CommandVerb::Resume, "resume"},
    {CommandVerb::Set, "set"},
    {CommandVerb::Add, "add"},
    {CommandVerb::Close, "close"},
}};

std::optional<CommandVerb> VerbOf(std::string_view name) {
  for (const auto& [verb, text] : kVerbs) {
    if (name == text) return verb;
  }
  return std::nullopt;
}

const char* VerbName(CommandVerb verb) {
  for (const auto& [known, text] : kVerbs) {
    if (known == verb) return text;
  }
  return "";
}

bool TakesPaths(CommandVerb verb) {
  return verb == CommandVerb::Set || verb == CommandVerb::Add;
}

// The number of paths a verb takes is right.
bool PathCountFits(CommandVerb verb, std::size_t count) {
  if (verb == CommandVerb::Set) return count == 1;
  if (verb == CommandVerb::Add) return count >= 1;
  return count == 0;
}

// Well-formed UTF-8: no stray or missing continuation byte, no overlong
// form, no surrogate, nothing beyond U+10FFFF; and no control character.
bool IsCleanUtf8(std::string_view text) {
  for (std::size_t i = 0; i < text.size();) {
    const auto lead = static_cast<unsigned char>(text[i]);
    if (lead < 0x20 || lead == 0x7F) return false;
    if (lead < 0x80) {
      ++i;
      continue;
    }
    std::size_t length = 0;
    std::uint32_t code = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
      length = 2;
      code = lead & 0x1Fu;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
      length = 3;
      code = lead & 0x0Fu;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
      length = 4;
      code = lead & 0x07u;
    } else {
      return false;
    }
    if (i + length > text.size()) return false;
    for (std::size_t k = 1; k < length; ++k) {
      const auto next = static_cast<unsigned char>(text[i + k]);
      if ((next & 0xC0u) != 0x80u) return false;
      code = (code << 6) | (next & 0x3Fu);
    }
    if ((length == 3 && code < 0x800) || (length == 4 && (code < 0x10000 || code > 0x10FFFF))) return false;
    if (code >= 0xD800 && code <= 0xDFFF) return false;
    i += length;
  }
  return true;
}

bool IsCommandPath(std::string_view path) {
  return IsCleanUtf8(path) && CheckPicturePath(path) == EntryFault::None;
}

bool IsDriveRoot(std::string_view path) {
  return path.size() >= 3 && ((path[0] | 0x20) >= 'a' && (path[0] | 0x20) <= 'z') && path[1] == ':' &&
         path[2] == '\\';
}

// Joins the parts after the root, each "." dropped and each ".." taking
// the part before it away; empty when a ".." would climb above the root.
std::string Resolve(std::string_view root, std::string_view rest) {
  std::vector<std::string_view> parts;
  while (!rest.empty()) {
    const std::size_t cut = rest.find('\\');
    const std::string_view part = rest.substr(0, cut);
    rest = cut == std::string_view::npos ? std::string_view() : rest.substr(cut + 1);
    if (part.empty() || part == ".") continue;
    if (part == "..") {
      if (parts.empty()) return {};
      parts.pop_back();
      continue;
    }
    parts.push_back(part);
  }
  std::string full(root);
  for (std::size_t i = 0; i < parts.size(); ++i) {
    if (i > 0) full += '\\';
    full += parts[i];
  }
  return full;
}

}  // namespace

std::string FullPathFrom(std::string_view path, std::string_view currentDir) {
  std::string given(path);
  for (char& c : given) {
    if (c == '/') c = '\\';
  }
  const std::string current = StripTrailingBackslashes(currentDir);
  // A folder is no picture.
  if (given.empty() || given.back() == '\\') return {};
  std::string joined;
  if (given.rfind("\\\\", 0) == 0) {
    // \\server\share\...: the server and the share stay as they are.
    const std::size_t server = given.find('\\', 2);
    const std::size_t share = server == std::string::npos ? server : given.find('\\', server + 1);
    if (share == std::string::npos || server == 2 || share == server + 1) return {};
    return Resolve(given.substr(0, share + 1), std::string_view(given).substr(share + 1));
  }
  if (IsDriveRoot(given)) {
    joined = given;
  } else if (given.size() >= 2 && given[1] == ':') {
    return {};  // a drive's own current folder is not known here
  } else if (!given.empty() && given[0] == '\\') {
    if (!IsDriveRoot(current + "\\")) return {};
    joined = current.substr(0, 2) + given;
  } else {
    joined = current + "\\" + given;
  }
  if (!IsDriveRoot(joined)) return {};
  return Resolve(joined.substr(0, 3), std::string_view(joined).substr(3));
}

CommandLine ParseCommandLine(const std::vector<std::string>& args, std::string_view currentDir) {
  CommandLine line;
  if (args.empty() || args[0].size() < 2 || args[0][0] != '/') return line;
  const std::optional<CommandVerb> verb = VerbOf(LowerAZ(std::string_view(args[0]).substr(1)));
  if (!verb) return line;
  line.kind = CommandLine::Kind::Invalid;
  const std::vector<std::string> rest(args.begin() + 1, args.end());
  if (!PathCountFits(*verb, rest.size())) {
    line.error = *verb == CommandVerb::Set   ? "/set takes one picture: /set PATH"
                 : *verb == CommandVerb::Add ? "/add takes one picture or more: /add PATH..."
                                             : args[0] + " takes nothing after it";
    return line;
  }
  for (const std::string& given : rest) {
    const std::string full = FullPathFrom(given, currentDir);
    if (full.empty() || !IsCommandPath(full)) {
      line.error = "not a path a picture can have: " + given;
      return line;
    }
    line.command.paths.push_back(full);
  }
  line.kind = CommandLine::Kind::Command;
  line.command.verb = *verb;
  return line;
}

std::vector<std::uint8_t> EncodeCommand(const RemoteCommand& command) {
  std::string text = VerbName(command.verb);
  for (const std::string& path : command.paths) {
    text += '\0';
    text += path;
  }
  return std::vector<std::uint8_t>(text.begin(), text.end());
}

std::optional<RemoteCommand> DecodeCommand(const std::uint8_t* data, std::size_t size) {
  if (data == nullptr || size == 0 || size > kLongestCommand) return std::nullopt;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  std::vector<std::string_view> parts;
  for (std::size_t start = 0;;) {
    const std::size_t cut = text.find('\0', start);
    parts.push_back(text.substr(start, cut == std::string_view::npos ? cut : cut - start));
    if (cut == std::string_view::npos) break;
    start = cut + 1;
  }
  const std::optional<CommandVerb> verb = VerbOf(parts.front());
  if (!verb || !PathCountFits(*verb, parts.size() - 1)) return std::nullopt;
  RemoteCommand command;
  command.verb = *verb;
  for (std::size_t i = 1; i < parts.size(); ++i) {
    if (!IsCommandPath(parts[i])) return std::nullopt;
    command.paths.emplace_back(parts[i]);
  }
  return command;
}

std::string AnswerLine(const RemoteCommand& command, std::optional<CommandAnswer> answer) {
  const std::string verb = std::string("/") + VerbName(command.verb);
  if (!answer) return "Murovex: " + verb + ": no answer from the running Murovex.";
  switch (*answer) {
    case CommandAnswer::Done:
      switch (command.verb) {
        case CommandVerb::Next:
        case CommandVerb::Previous:
          return "Murovex: the wallpaper has changed.";
        case CommandVerb::Pause:
          return "Murovex: the slideshow is paused.";
        case CommandVerb::Resume:
          return "Murovex: the slideshow runs.";
        case CommandVerb::Set:
          return "Murovex: " + command.paths.front() + " is the wallpaper.";
        case CommandVerb::Add:
          return "Murovex: " + std::to_string(command.paths.size()) +
                 (command.paths.size() == 1 ? " picture is" : " pictures are") + " in the list.";
        case CommandVerb::Close:
          return "Murovex: closing.";
      }
      break;
    case CommandAnswer::Failed:
      if (TakesPaths(command.verb)) return "Murovex: " + verb + ": not every picture could be taken.";
      return "Murovex: " + verb + ": no picture to change to.";
    case CommandAnswer::Starting:
      return "Murovex: " + verb + ": the running Murovex did not finish starting.";
    case CommandAnswer::Refused:
      break;
  }
  return "Murovex: " + verb + ": the running Murovex refused the command.";
}

}  // namespace mvx
