#pragma once

namespace mvx {

// The pictures of the main window's toolbar, in the order of its image strip.
enum class ToolbarImage { Sync, Set, None, Add, Move, Remove, Delete, First, Prev, Next, Last };
inline constexpr int kToolbarImageCount = static_cast<int>(ToolbarImage::Last) + 1;

}  // namespace mvx
