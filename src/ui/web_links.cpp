#include "ui/web_links.h"

#include "app/registry_path.h"

namespace mvx {

namespace {

constexpr int kSwShowNormal = 1;

}  // namespace

std::string PageAddress(const std::string& pageKey) {
  return std::string(kWebServer) + "/cgi-bin/redir.cgi?app=mvx&ver=1.1&func=" + pageKey;
}

std::string BrowserFromCommandLine(const std::string& commandLine) {
  if (!commandLine.empty() && commandLine[0] == '"') {
    const std::size_t close = commandLine.find('"', 1);
    return close == std::string::npos ? std::string() : commandLine.substr(1, close - 1);
  }
  const std::size_t blank = commandLine.find(' ');
  return blank == std::string::npos ? std::string() : commandLine.substr(0, blank);
}

std::string FindBrowserPath(RegistryPort& registry, FilePort& files) {
  const std::string fileType =
      ReadStringAtPath(registry, kHkeyLocalMachine, {"SOFTWARE", "Classes", ".html"}, "").value_or("");
  if (fileType.empty()) return {};
  const auto command =
      ReadStringAtPath(registry, kHkeyLocalMachine, {"SOFTWARE", "Classes", fileType, "shell", "open", "command"}, "");
  if (!command) return {};
  const std::string path = BrowserFromCommandLine(*command);
  return !path.empty() && files.FileExists(path) ? path : std::string();
}

bool TWebLinks::OpenWebPage(const std::string& address, std::uintptr_t window) {
  if (BrowserPath.empty()) {
    prompts_.Show("Unable to find a web browser. Install one or try connecting manually.", "Murovex",
                  PromptKind::Warning, PromptButtons::Ok);
    return false;
  }
  const std::size_t slash = BrowserPath.rfind('\\');
  const std::string folder = slash == std::string::npos ? std::string() : BrowserPath.substr(0, slash + 1);
  return shell_.Execute(window, "", BrowserPath, "\"" + address + "\"", folder, kSwShowNormal) > 32;
}

}  // namespace mvx
