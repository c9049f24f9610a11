#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>

#include "control/keys_page.h"
#include "control/remote_command.h"
#include "forms/timer.h"
#include "platform/ports.h"

namespace mvx {

class TFrmMain;

// Control of the program from outside its windows: the keys that work in
// every program (the "&Keys" page) and the commands another start hands
// over, both carried out by the main window's own commands.
class RemoteControl {
 public:
  RemoteControl(TFrmMain& main, Ports& ports);

  // WM_HOTKEY with the key's id.
  void HotKey(int id);
  // WM_COPYDATA from another process: the answer to give back.
  CommandAnswer CopyData(std::uint32_t tag, const std::uint8_t* data, std::size_t size);
  // Carries a command out; true when it did what it names.
  bool Run(const RemoteCommand& command);
  // At the end of start-up: the command this start was given, once.
  void RunAtStart();

  // The command this start was given; those that only concern a running
  // instance (close, pause, resume) are none here.
  std::optional<RemoteCommand> atStart;
  KeysPage keys;

 private:
  bool SetPicture(const std::string& path);
  bool AddPictures(const std::vector<std::string>& paths);
  bool AddPicture(const std::string& path);

  TFrmMain& main_;
  Ports& ports_;
  // Closes the program once the answer to "close" has gone back.
  TTimer closeTimer_;
};

}  // namespace mvx
