#include "fakes/fake_monitors.h"

namespace mvx::fakes {

std::optional<ByteBlock> FakeMonitors::ComposeDesktop(const DesktopComposition& composition) {
  composed.push_back(composition);
  std::string bytes = "BM " + std::to_string(composition.width) + "x" + std::to_string(composition.height);
  for (const MonitorPiece& piece : composition.pieces) {
    std::string head;
    if (!files_.ReadHead(piece.path, 2, head)) return std::nullopt;
    bytes += " " + piece.path;
  }
  return ByteBlock(std::string_view(bytes));
}

}  // namespace mvx::fakes
