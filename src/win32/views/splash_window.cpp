#include "win32/views/splash_window.h"

#include <algorithm>

namespace mvx::win32 {

namespace {

FormWindowStyle SplashStyle() {
  FormWindowStyle style;
  style.style = WS_POPUP;
  // Not on top of everything: a question asked during start-up (the first
  // run's, say) must not hide beneath it.
  style.exStyle = WS_EX_TOOLWINDOW;
  // A start without the splash never makes its window.
  style.windowOnFirstShow = true;
  style.controlsOnFirstShow = true;
  return style;
}

RECT RectOf(const DesignRect& r) {
  return RECT{r.left, r.top, r.left + r.width, r.top + r.height};
}

int Mix(int from, int to, int step, int steps) {
  return from + (to - from) * step / std::max(steps, 1);
}

// The background picture: an evening sky over two hills, in the window's
// own colours, stretched to its place.
void PaintLandscape(HDC dc, const RECT& area) {
  const int height = area.bottom - area.top;
  const int width = area.right - area.left;
  const int horizon = area.top + height * 2 / 3;
  for (int y = area.top; y < horizon; y += 2) {
    const int step = y - area.top, steps = horizon - area.top;
    HBRUSH band =
        CreateSolidBrush(RGB(Mix(70, 250, step, steps), Mix(110, 214, step, steps), Mix(190, 170, step, steps)));
    RECT row{area.left, y, area.right, std::min(y + 2, horizon)};
    FillRect(dc, &row, band);
    DeleteObject(band);
  }
  HGDIOBJ oldPen = SelectObject(dc, GetStockObject(NULL_PEN));
  HBRUSH sun = CreateSolidBrush(RGB(255, 236, 150));
  HGDIOBJ oldBrush = SelectObject(dc, sun);
  Ellipse(dc, area.left + width * 2 / 3, horizon - 46, area.left + width * 2 / 3 + 52, horizon + 6);
  HBRUSH farHill = CreateSolidBrush(RGB(92, 128, 96));
  SelectObject(dc, farHill);
  Ellipse(dc, area.left - width / 3, horizon - 30, area.left + width * 2 / 3, horizon + height);
  HBRUSH nearHill = CreateSolidBrush(RGB(60, 104, 70));
  SelectObject(dc, nearHill);
  Ellipse(dc, area.left + width / 4, horizon - 14, area.right + width / 2, horizon + height);
  RECT ground{area.left, horizon + 18, area.right, area.bottom};
  FillRect(dc, &ground, nearHill);
  SelectObject(dc, oldBrush);
  SelectObject(dc, oldPen);
  DeleteObject(sun);
  DeleteObject(farHill);
  DeleteObject(nearHill);
}

void PaintLogo(HDC dc, const RECT& area, HFONT font) {
  HGDIOBJ old = SelectObject(dc, font);
  SetBkMode(dc, TRANSPARENT);
  RECT shadow = area;
  OffsetRect(&shadow, 2, 2);
  SetTextColor(dc, RGB(20, 30, 60));
  DrawTextA(dc, "Murovex", -1, &shadow, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
  SetTextColor(dc, RGB(255, 255, 255));
  RECT text = area;
  DrawTextA(dc, "Murovex", -1, &text, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
  SelectObject(dc, old);
}

}  // namespace

SplashWindow::SplashWindow(TFrmSplash& form, TApplication& app) : FormView(form, app, SplashStyle()) {}

SplashWindow::~SplashWindow() {
  Destroy();
  if (logoFont_ != nullptr) DeleteObject(logoFont_);
}

HBRUSH SplashWindow::LabelBackground() const {
  return static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
}

// Painted in the design's units, mapped onto the window at its scale: the
// picture, the logo and its font grow with the window.
void SplashWindow::Paint(HDC dc) {
  SetMapMode(dc, MM_ANISOTROPIC);
  SetWindowExtEx(dc, kDesignDpi, kDesignDpi, nullptr);
  SetViewportExtEx(dc, Dpi(), Dpi(), nullptr);
  RECT client{};
  GetClientRect(Window(), &client);
  DPtoLP(dc, reinterpret_cast<POINT*>(&client), 2);
  FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  FrameRect(dc, &client, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  RECT inner = client;
  InflateRect(&inner, -1, -1);
  DrawEdge(dc, &inner, BDR_SUNKENINNER, BF_RECT);
  InflateRect(&inner, -1, -1);
  DrawEdge(dc, &inner, BDR_SUNKENINNER, BF_RECT);
  const RECT picture = RectOf(TFrmSplash::Image3);
  const int saved = SaveDC(dc);
  IntersectClipRect(dc, picture.left, picture.top, picture.right, picture.bottom);
  PaintLandscape(dc, picture);
  RestoreDC(dc, saved);
  // Made when first painted: a start without the splash never needs it.
  if (logoFont_ == nullptr) {
    logoFont_ = CreateFontA(-44, 0, 0, 0, FW_BOLD, TRUE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                            CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, DEFAULT_PITCH, "Arial");
  }
  PaintLogo(dc, RectOf(TFrmSplash::Image2), logoFont_);
  RECT box = RectOf(TFrmSplash::pnlLink);
  FillRect(dc, &box, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
}

bool SplashWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (message) {
    case WM_ERASEBKGND:
      result = 1;
      return true;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(Window(), &ps);
      Paint(dc);
      EndPaint(Window(), &ps);
      result = 0;
      return true;
    }
    case WM_CTLCOLORSTATIC:
      if (ColourLink(reinterpret_cast<HWND>(lParam), reinterpret_cast<HDC>(wParam), result)) return true;
      SetBkColor(reinterpret_cast<HDC>(wParam), RGB(255, 255, 255));
      result = reinterpret_cast<LRESULT>(LabelBackground());
      return true;
    default:
      return false;
  }
}

}  // namespace mvx::win32
