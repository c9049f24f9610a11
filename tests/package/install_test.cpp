// The per-user installer and its uninstaller under Wine, in a fresh prefix,
// driven from outside as a user's silent install would run them.
//
// Run by CTest with MUROVEX_SETUP naming the installer and MUROVEX_VERSION
// the version it must register.
#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "e2e/app_folder.h"
#include "e2e/process.h"
#include "e2e/pump.h"
#include "win32/shell_reads.h"

namespace mvx::e2e {
namespace {

using namespace std::chrono_literals;
using testing::VersionText;

constexpr const char* kUninstallKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Murovex";
// Quiet: not a first run, no splash, no change of the wallpaper; and a line
// of the user's own that the program does not know.
constexpr const char* kUserSettings =
    "[General]\r\nStartWithWindows=0\r\nVerbose=0\r\n[Slideshow]\r\nChangeOnStartup=0\r\n[Mine]\r\nNote=kept\r\n";

std::string Env(const char* name) {
  const char* value = std::getenv(name);
  return value == nullptr ? std::string() : std::string(value);
}

bool Exists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string ShellFolder(int csidl) {
  char path[MAX_PATH] = {};
  return SUCCEEDED(SHGetFolderPathA(nullptr, csidl | CSIDL_FLAG_CREATE, nullptr, SHGFP_TYPE_CURRENT, path)) ? path : "";
}

std::optional<std::string> RegText(const char* name) {
  char value[1024] = {};
  DWORD size = sizeof value;
  if (RegGetValueA(HKEY_CURRENT_USER, kUninstallKey, name, RRF_RT_REG_SZ, nullptr, value, &size) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  return std::string(value);
}

std::optional<DWORD> RegNumber(const char* name) {
  DWORD value = 0;
  DWORD size = sizeof value;
  if (RegGetValueA(HKEY_CURRENT_USER, kUninstallKey, name, RRF_RT_REG_DWORD, nullptr, &value, &size) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  return value;
}

bool UninstallEntryExists() {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, kUninstallKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  RegCloseKey(key);
  return true;
}

// The target of a shell link, as the shell reads it.
std::string LinkTarget(const std::string& link) {
  std::string target;
  IShellLinkA* shellLink = nullptr;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                              reinterpret_cast<void**>(&shellLink)))) {
    return target;
  }
  IPersistFile* file = nullptr;
  if (SUCCEEDED(shellLink->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
    std::wstring wide(link.begin(), link.end());
    char path[MAX_PATH] = {};
    if (SUCCEEDED(file->Load(wide.c_str(), STGM_READ)) && SUCCEEDED(shellLink->GetPath(path, MAX_PATH, nullptr, 0))) {
      target = path;
    }
    file->Release();
  }
  shellLink->Release();
  return target;
}

bool InstanceRunning() {
  HANDLE mutex = OpenMutexA(SYNCHRONIZE, FALSE, "Murovex");
  if (mutex == nullptr) return false;
  CloseHandle(mutex);
  return true;
}

class Installer : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(setup_.empty()) << "MUROVEX_SETUP names no installer";
    ASSERT_TRUE(Exists(setup_)) << setup_;
    ASSERT_FALSE(version_.empty()) << "MUROVEX_VERSION is not set";
    ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
  }
  void TearDown() override { CoUninitialize(); }

  // Runs the installer silently; its exit code.
  std::optional<DWORD> InstallSilently() {
    Process setup(setup_, "/S", setup_.substr(0, setup_.find_last_of('\\')));
    return setup.WaitForExit(90s);
  }

  const std::string setup_ = WindowsPath(Env("MUROVEX_SETUP"));
  const std::string version_ = Env("MUROVEX_VERSION");
  const std::string dir_ = Env("LOCALAPPDATA") + "\\Programs\\Murovex";
  const std::string programsLink_ = ShellFolder(CSIDL_PROGRAMS) + "\\Murovex.lnk";
  const std::string startupLinks_[2] = {ShellFolder(CSIDL_STARTUP) + "\\Murovex Tray Icon.lnk",
                                        ShellFolder(CSIDL_COMMON_STARTUP) + "\\Murovex Tray Icon.lnk"};
};

// One path through a user's life with the package, since each step needs the
// state the one before left: install, run, install again over it, uninstall.
TEST_F(Installer, InstallsRunsUpgradesInPlaceAndUninstallsLeavingTheUsersPictures) {
  ASSERT_EQ(InstallSilently(), std::optional<DWORD>(0));
  const std::string exe = dir_ + "\\murovex.exe";
  for (const char* name : {"murovex.exe", "uninstall.exe", "README.txt", "help\\index.html", "licences\\LICENSE.txt",
                           "licences\\mingw-w64-runtime.txt", "licences\\gcc-runtime.txt"}) {
    EXPECT_TRUE(Exists(dir_ + "\\" + name)) << name;
  }
  EXPECT_TRUE(_stricmp(LinkTarget(programsLink_).c_str(), exe.c_str()) == 0) << LinkTarget(programsLink_);
  EXPECT_EQ(RegText("DisplayName"), std::optional<std::string>("Murovex"));
  EXPECT_EQ(RegText("DisplayVersion"), std::optional<std::string>(version_));
  EXPECT_EQ(RegText("Publisher"), std::optional<std::string>("Kestrane Software"));
  EXPECT_EQ(RegText("DisplayIcon"), std::optional<std::string>(exe + ",0"));
  EXPECT_EQ(RegText("UninstallString"), std::optional<std::string>("\"" + dir_ + "\\uninstall.exe\""));
  // The one version number, as the program's version resource carries it.
  EXPECT_EQ(VersionText(exe, "ProductVersion"), "Version " + version_);
  EXPECT_EQ(VersionText(exe, "FileVersion"), version_ + ".0");
  const std::optional<DWORD> size = RegNumber("EstimatedSize");
  ASSERT_TRUE(size);
  WIN32_FILE_ATTRIBUTE_DATA exeData = {};
  ASSERT_TRUE(GetFileAttributesExA(exe.c_str(), GetFileExInfoStandard, &exeData));
  EXPECT_GE(*size, exeData.nFileSizeLow / 1024) << "the size in KB covers at least the program";

  // The user's settings and pictures, put where the program keeps them.
  WriteWholeFile(dir_ + "\\murovex.INI", kUserSettings);
  CreateDirectoryA((dir_ + "\\Images").c_str(), nullptr);
  WriteWholeFile(dir_ + "\\Images\\Mine.bmp", "the user's picture");

  // The installed program starts from there and writes beside itself.
  {
    Process murovex(exe, "", dir_);
    ASSERT_TRUE(murovex.WaitForIdle(30s)) << "the installed program did not start";
    EXPECT_TRUE(PumpUntil([&] { return Exists(dir_ + "\\Images\\GDB.CDS"); }, 10s));
    EXPECT_TRUE(InstanceRunning());
    // A second install closes it through "ShutdownMurovex" and keeps the user's files.
    ASSERT_EQ(InstallSilently(), std::optional<DWORD>(0));
    EXPECT_TRUE(murovex.WaitForExit(1s)) << "the running program was not closed";
  }
  EXPECT_NE(ReadBytes(dir_ + "\\murovex.INI").find("[Mine]\r\nNote=kept"), std::string::npos);
  EXPECT_EQ(ReadBytes(dir_ + "\\Images\\Mine.bmp"), "the user's picture");
  EXPECT_TRUE(Exists(exe));

  // Uninstalling closes the running program, removes what was installed,
  // both Startup shortcuts and the entry, and keeps the user's files.
  for (const std::string& link : startupLinks_) WriteWholeFile(link, "a shortcut");
  Process murovex(exe, "", dir_);
  ASSERT_TRUE(murovex.WaitForIdle(30s));
  {
    Process uninstall(dir_ + "\\uninstall.exe", "/S", dir_);
    ASSERT_EQ(uninstall.WaitForExit(30s), std::optional<DWORD>(0));
  }
  // The uninstaller runs on from a copy of itself, so its end is seen in what it removes.
  EXPECT_TRUE(PumpUntil([&] { return !Exists(dir_ + "\\uninstall.exe"); }, 60s));
  EXPECT_TRUE(murovex.WaitForExit(1s)) << "the running program was not closed";
  for (const char* name : {"murovex.exe", "README.txt", "help", "licences"}) {
    EXPECT_FALSE(Exists(dir_ + "\\" + name)) << name;
  }
  EXPECT_FALSE(Exists(programsLink_));
  for (const std::string& link : startupLinks_) EXPECT_FALSE(Exists(link)) << link;
  EXPECT_FALSE(UninstallEntryExists());
  EXPECT_NE(ReadBytes(dir_ + "\\murovex.INI").find("[Mine]\r\nNote=kept"), std::string::npos);
  EXPECT_EQ(ReadBytes(dir_ + "\\Images\\Mine.bmp"), "the user's picture");
  EXPECT_TRUE(Exists(dir_ + "\\Images\\GDB.CDS"));
}

}  // namespace
}  // namespace mvx::e2e
