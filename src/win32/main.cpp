#include <exception>
#include <string>

#include "app/application.h"
#include "app/entry.h"
#include "app/paths.h"
#include "app/system_folders.h"
#include "control/command_handover.h"
#include "ui/frm_main.h"
#include "ui/frm_tray.h"
#include "ui/splash.h"
#include "ui/version_info.h"
#include "ui/web_links.h"
#include "win32/adapters/handle_waiter.h"
#include "win32/adapters/win32_ports.h"
#include "win32/views/common_controls.h"
#include "win32/views/form_view.h"
#include "win32/views/main_window.h"
#include "win32/views/splash_window.h"
#include "win32/views/tray_window.h"

namespace {

using namespace mvx;

// The main window's keys first, keyboard navigation between its controls
// next, then the rest. The thread sleeps here while nothing happens: timers
// run only while something is due, and the system's change notifications
// come as messages (win32/adapters/handle_waiter.h).
void RunMessageLoop(win32::MainWindow& mainWindow) {
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    if (mainWindow.PreviewKey(msg)) continue;
    HWND dialog = mainWindow.Window();
    if (dialog != nullptr && IsDialogMessageA(dialog, &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

int Run(win32::Win32Ports& ports, const SystemFolders& folders) {
  // Read before anything changes the current folder, which relative paths start from.
  const CommandLine command = ParseCommandLine(ports.system.CommandLineArgs(), ports.files.CurrentDirectory());
  const InstanceClaim claim = ClaimSingleInstance(ports.instance, command.kind == CommandLine::Kind::None);
  if (!claim.run) {
    // The running instance shows itself, or carries the command out.
    if (command.kind == CommandLine::Kind::Invalid) return ReportInvalidCommand(ports.instance, command);
    if (command.kind == CommandLine::Kind::Command) return HandOverCommand(ports.instance, command.command);
    return 0;
  }

  // Found once, before anything else of the running instance: the browser
  // for the web links and the program's own version texts. A second start,
  // which only asks the first to show itself, needs neither.
  TWebLinks links(ports.prompts, ports.shell);
  links.BrowserPath = FindBrowserPath(ports.registry, ports.files);
  VersionTable versions;
  versions.Read(ports.system, folders.programPath);

  TApplication app(ports.ports);
  TFrmSplash splashForm(ports.ports, links);
  win32::SplashWindow splashWindow(splashForm, app);
  TSplashScreen splash(ports.ports, splashForm, ChangeFileExt(folders.programPath, ".INI"));
  app.Guard([&] { splash.BeginSplash(); });

  app.SetTitle("Murovex");
  app.HelpFile = "mvx.hlp";
  app.ShowMainForm = false;
  ports.prompts.app = &app;

  TFrmTray tray(ports.ports);
  win32::TrayWindow trayWindow(tray, tray.TrayIcon1, ports.notifyIcon, app);
  app.Guard([&] { tray.FormCreate(); });

  TFrmMain frmMain(ports.ports, app, folders, tray);
  frmMain.msgMyWindowMessageHandle = claim.restoreMessage;
  frmMain.Splash = &splash;
  frmMain.Links = &links;
  frmMain.Versions = &versions;
  if (command.kind == CommandLine::Kind::Command) frmMain.remote.atStart = command.command;
  win32::MainWindow mainWindow(frmMain, app);
  mainWindow.PassShellNewsTo(trayWindow.Window());
  // Started to show the main window at once: its controls' library loads
  // meanwhile, while the settings and the picture list are read. Not
  // before the first windows: a library loading on another thread while
  // this one loads the windowing libraries for them can deadlock.
  if (TFrmMain::ShowsAtStart(ports.system.CommandLineArgs())) win32::RegisterCommonControlsAhead();
  ports.prompts.owner = frmMain.Handle;
  ports.dialogs.owner = frmMain.Handle;
  win32::Win32Timers::onError = [&](const std::exception& e) { app.HandleException(e, frmMain.Handle); };
  win32::HandleWaiter::onError = win32::Win32Timers::onError;
  app.Guard([&] { frmMain.FormCreate(); }, frmMain.Handle);
  app.Guard([&] { splash.EndSplash(); });

  RunMessageLoop(mainWindow);

  win32::Win32Timers::onError = nullptr;
  win32::HandleWaiter::onError = nullptr;
  mainWindow.Destroy();
  app.Guard([&] { tray.FormClose(); });
  return 0;  // the tray window takes the icon away as it goes
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  win32::Win32System system;
  const SystemFolders folders = ComputeSystemFolders(system);
  win32::Win32Ports ports(folders.programDir + "\\help");
  try {
    return Run(ports, folders);
  } catch (const std::exception& e) {
    ports.prompts.Show(std::string("Exception: ") + e.what(), "Murovex", PromptKind::Error, PromptButtons::Ok);
  } catch (...) {
    ports.prompts.Show("Exception: unknown error", "Murovex", PromptKind::Error, PromptButtons::Ok);
  }
  return 1;
}
