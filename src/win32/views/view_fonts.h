#pragma once
#include <windows.h>

#include <map>
#include <string>
#include <tuple>
#include <utility>

namespace mvx::win32 {

// The fonts of a window's controls, made once per height and weight and
// freed with the window. The face is "MS Sans Serif" where the system has
// it, else the system's message font, so the design's sizes still fit.
class ViewFonts {
 public:
  ViewFonts() = default;
  ~ViewFonts();
  ViewFonts(const ViewFonts&) = delete;
  ViewFonts& operator=(const ViewFonts&) = delete;

  // face empty: the design's face.
  HFONT Get(int height, bool bold, const std::string& face = {}, bool underline = false);
  const std::string& Face();
  // Trades the fonts made so far with another set, so that the old ones can
  // outlive the switch of the controls to new ones.
  void Swap(ViewFonts& other) noexcept {
    face_.swap(other.face_);
    fonts_.swap(other.fonts_);
  }

 private:
  std::string face_;
  std::map<std::tuple<int, bool, std::string, bool>, HFONT> fonts_;
};

}  // namespace mvx::win32
