#pragma once
#include <windows.h>

#include <shlobj.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace mvx::testing {

// A drop handle as the shell hands it over with WM_DROPFILES: a movable
// block with a DROPFILES header and the names one after another, each
// ending in a null, the list ending in one more. Narrow names are taken as
// they are, wide names (fWide) as UTF-16.
template <class Char>
HGLOBAL MakeDropHandle(const std::vector<std::basic_string<Char>>& names) {
  std::basic_string<Char> list;
  for (const auto& name : names) {
    list += name;
    list.push_back(Char{});
  }
  list.push_back(Char{});
  const std::size_t bytes = sizeof(DROPFILES) + list.size() * sizeof(Char);
  HGLOBAL handle = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes);
  auto* header = static_cast<DROPFILES*>(GlobalLock(handle));
  header->pFiles = sizeof(DROPFILES);
  header->fWide = sizeof(Char) == 2 ? TRUE : FALSE;
  std::memcpy(header + 1, list.data(), list.size() * sizeof(Char));
  GlobalUnlock(handle);
  return handle;
}

inline std::uintptr_t MakeDrop(const std::vector<std::string>& names) {
  return reinterpret_cast<std::uintptr_t>(MakeDropHandle(names));
}

}  // namespace mvx::testing
