#pragma once
#include <cstdint>
#include <string>

#include "platform/ports.h"

namespace mvx {

// The maker's web server, where one redirect script picks the page.
inline constexpr const char* kWebServer = "http://www.kestrane.com";
// The address shown on the splash window.
inline constexpr const char* kMakerWebAddress = "www.kestrane.com";

// The address of the page with this key: home, imglib, order, feedback,
// apphome, tutorial, splash.
std::string PageAddress(const std::string& pageKey);

// The browser program named by an open command line: the quoted path when
// the line starts with a double quote, else the text before the first
// blank (none when there is no blank).
std::string BrowserFromCommandLine(const std::string& commandLine);

// The program that opens ".html" files, from HKLM\SOFTWARE\Classes; empty
// when none is registered or its file is not there.
std::string FindBrowserPath(RegistryPort& registry, FilePort& files);

// Starts the browser on the program's web pages.
class TWebLinks {
 public:
  TWebLinks(PromptPort& prompts, ShellPort& shell) : prompts_(prompts), shell_(shell) {}
  std::string BrowserPath;
  // True when the browser was started; window is the one it starts for.
  bool OpenWebPage(const std::string& address, std::uintptr_t window);

 private:
  PromptPort& prompts_;
  ShellPort& shell_;
};

}  // namespace mvx
