#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace mvx {

// The name a picture pasted from the clipboard is offered under, made unique.
inline constexpr std::string_view kClipboardFileName = "Clipboard.bmp";

// The n-th name the program tries for a file it takes into its data
// directory under a name of its own: "v<n> of <fileName>".
std::string UniqueNameCandidate(std::int64_t n, std::string_view fileName);
// Whether name is one of those names for fileName (letters A to Z in either case).
bool IsUniqueNameOf(std::string_view name, std::string_view fileName);

}  // namespace mvx
