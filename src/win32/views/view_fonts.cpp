#include "win32/views/view_fonts.h"

#include <cstring>

namespace mvx::win32 {

namespace {

constexpr const char* kDesignFace = "MS Sans Serif";

// Whether the system gives the face asked for rather than a substitute.
bool FaceExists(const char* face) {
  LOGFONTA lf{};
  lf.lfHeight = -11;
  std::strncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
  HFONT font = CreateFontIndirectA(&lf);
  if (font == nullptr) return false;
  // A memory DC: the screen's own would cost round trips to the windowing system.
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, font);
  char actual[LF_FACESIZE] = {};
  GetTextFaceA(dc, LF_FACESIZE, actual);
  SelectObject(dc, old);
  DeleteDC(dc);
  DeleteObject(font);
  return lstrcmpiA(actual, face) == 0;
}

std::string MessageFontFace() {
  NONCLIENTMETRICSA metrics{};
  metrics.cbSize = sizeof metrics;
  if (!SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) return kDesignFace;
  return metrics.lfMessageFont.lfFaceName;
}

}  // namespace

ViewFonts::~ViewFonts() {
  for (auto& [key, font] : fonts_) DeleteObject(font);
}

const std::string& ViewFonts::Face() {
  if (face_.empty()) face_ = FaceExists(kDesignFace) ? kDesignFace : MessageFontFace();
  return face_;
}

HFONT ViewFonts::Get(int height, bool bold, const std::string& face, bool underline) {
  const auto key = std::make_tuple(height, bold, face, underline);
  auto it = fonts_.find(key);
  if (it != fonts_.end()) return it->second;
  LOGFONTA lf{};
  lf.lfHeight = height;
  lf.lfWeight = bold ? FW_BOLD : FW_NORMAL;
  lf.lfUnderline = underline ? TRUE : FALSE;
  lf.lfCharSet = DEFAULT_CHARSET;
  std::strncpy(lf.lfFaceName, face.empty() ? Face().c_str() : face.c_str(), LF_FACESIZE - 1);
  HFONT font = CreateFontIndirectA(&lf);
  fonts_[key] = font;
  return font;
}

}  // namespace mvx::win32
