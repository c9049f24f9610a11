#include "win32/views/picture_view.h"

#include "win32/views/scene_bitmaps.h"

#include <windowsx.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "win32/adapters/win32_picture.h"
#include "win32/views/shared_images.h"

namespace mvx::win32 {

namespace {

constexpr const char* kPictureClass = "MurovexPicture";
constexpr const char* kMessagePanelClass = "MurovexMessagePanel";
constexpr const char* kSplitterClass = "MurovexSplitter";
constexpr UINT kSetPicture = WM_APP + 20;

// The classes carry no cursor: each window sets its own as the mouse comes
// over it (CursorOver), so that a cursor is loaded only once it is needed.
void Register(const char* name, WNDPROC proc, int background, int extraBytes) {
  WNDCLASSEXA wc{};
  HINSTANCE instance = GetModuleHandleA(nullptr);
  if (GetClassInfoExA(instance, name, &wc)) return;
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = proc;
  wc.hInstance = instance;
  wc.hbrBackground = background >= 0 ? GetSysColorBrush(background) : nullptr;
  wc.cbWndExtra = extraBytes;
  wc.lpszClassName = name;
  if (RegisterClassExA(&wc) == 0) throw std::runtime_error(std::string("Unable to register the window class ") + name);
}

// The parent chain sets the cursor first, as it would over a class cursor;
// else the window's own shows.
LRESULT CursorOver(HWND window, WPARAM wParam, LPARAM lParam, LPCSTR cursor) {
  if (DefWindowProcA(window, WM_SETCURSOR, wParam, lParam)) return TRUE;
  if (LOWORD(lParam) != HTCLIENT) return FALSE;
  SetCursor(SystemCursor(cursor));
  return TRUE;
}

// A click reaches the form's view as a static control's click does.
void NotifyClicked(HWND window) {
  SendMessageA(GetParent(window), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(window), STN_CLICKED),
               reinterpret_cast<LPARAM>(window));
}

// ---- picture

struct PictureState {
  // Shared with the model: the picture is freed once both let go of it.
  std::shared_ptr<const LoadedPicture> picture;
  HBITMAP bitmap = nullptr;  // the picture's own
  PictureScene scene;
  // Owned: the picture turned and repeated as the scene says, made when
  // first drawn; null while the picture's own bitmap is drawn as it is.
  HBITMAP drawn = nullptr;
  bool drawnMade = false;
};

PictureState* PictureOf(HWND window) {
  return reinterpret_cast<PictureState*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

void ForgetDrawn(PictureState& state) {
  if (state.drawn != nullptr) DeleteObject(state.drawn);
  state.drawn = nullptr;
  state.drawnMade = false;
}

// The bitmap drawn into each place: the picture's own, or a turned and
// repeated copy of it made once.
HBITMAP DrawnBitmap(PictureState& state) {
  if (state.drawnMade) return state.drawn != nullptr ? state.drawn : state.bitmap;
  state.drawnMade = true;
  const PictureScene& scene = state.scene;
  HBITMAP turned = scene.turn == PictureTurn{} ? nullptr : TurnedBitmap(state.bitmap, scene.turn);
  HBITMAP one = turned != nullptr ? turned : state.bitmap;
  if (scene.across > 1 || scene.down > 1) {
    state.drawn = RepeatedBitmap(one, scene.across, scene.down);
    if (turned != nullptr) DeleteObject(turned);
  } else {
    state.drawn = turned;
  }
  return state.drawn != nullptr ? state.drawn : state.bitmap;
}

// The scene on a bitmap of the window's size, then onto the window at once,
// so that the colour under the picture never shows on its own. The scene's
// units are mapped onto the window by the system, which keeps the places'
// shared edges shared.
void DrawScene(HDC dc, SIZE size, PictureState& state) {
  const PictureScene& scene = state.scene;
  HBRUSH background = CreateSolidBrush(static_cast<COLORREF>(scene.color));
  const RECT client{0, 0, size.cx, size.cy};
  FillRect(dc, &client, background);
  DeleteObject(background);
  HBITMAP bitmap = state.bitmap != nullptr ? DrawnBitmap(state) : nullptr;
  const SIZE from = BitmapSize(bitmap);
  if (from.cx <= 0 || from.cy <= 0 || scene.places.empty()) return;
  SetMapMode(dc, MM_ANISOTROPIC);
  SetWindowExtEx(dc, scene.extentWidth, scene.extentHeight, nullptr);
  SetViewportExtEx(dc, size.cx, size.cy, nullptr);
  SetStretchBltMode(dc, HALFTONE);
  SetBrushOrgEx(dc, 0, 0, nullptr);
  HDC source = CreateCompatibleDC(dc);
  HGDIOBJ old = SelectObject(source, bitmap);
  for (const PixelRect& place : scene.places) {
    StretchBlt(dc, place.left, place.top, place.Width(), place.Height(), source, 0, 0, from.cx, from.cy, SRCCOPY);
  }
  SelectObject(source, old);
  DeleteDC(source);
  SetMapMode(dc, MM_TEXT);
}

void PaintPicture(HWND window, PictureState& state) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(window, &ps);
  RECT client{};
  GetClientRect(window, &client);
  HDC memory = CreateCompatibleDC(dc);
  HBITMAP canvas = CreateCompatibleBitmap(dc, std::max(1L, client.right), std::max(1L, client.bottom));
  HGDIOBJ old = SelectObject(memory, canvas);
  DrawScene(memory, {client.right, client.bottom}, state);
  BitBlt(dc, 0, 0, client.right, client.bottom, memory, 0, 0, SRCCOPY);
  SelectObject(memory, old);
  DeleteObject(canvas);
  DeleteDC(memory);
  EndPaint(window, &ps);
}

// Takes the model's picture and scene; what was made for the picture or the
// scene before is let go when either changed.
void Show(PictureState& state, const TImage& image) {
  const PictureScene& scene = image.Scene();
  if (image.Picture() != state.picture || scene.turn != state.scene.turn || scene.across != state.scene.across ||
      scene.down != state.scene.down) {
    ForgetDrawn(state);
  }
  const auto* decoded = dynamic_cast<const Win32Picture*>(image.Picture().get());
  state.bitmap = decoded != nullptr ? decoded->Bitmap() : nullptr;
  state.picture = image.Picture();
  state.scene = scene;
}

LRESULT CALLBACK PictureProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
  PictureState* state = PictureOf(window);
  switch (message) {
    case WM_SETCURSOR:
      return CursorOver(window, wParam, lParam, IDC_HAND);
    case WM_NCCREATE:
      SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(new (std::nothrow) PictureState));
      break;
    case WM_NCDESTROY:
      if (state != nullptr) {
        ForgetDrawn(*state);
        delete state;
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
      }
      break;
    case kSetPicture:
      if (state == nullptr) return 0;
      Show(*state, *reinterpret_cast<const TImage*>(lParam));
      InvalidateRect(window, nullptr, FALSE);
      UpdateWindow(window);
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT:
      if (state == nullptr) break;
      PaintPicture(window, *state);
      return 0;
    case WM_LBUTTONUP:
      NotifyClicked(window);
      return 0;
    default:
      break;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

// ---- message panel

struct MessagePanelState {
  COLORREF color = RGB(0, 0, 0);
  COLORREF fontColor = RGB(0, 0, 0);
  std::string face;
  HFONT font = nullptr;  // owned: the given font in this panel's face
};

MessagePanelState* PanelOf(HWND window) {
  return reinterpret_cast<MessagePanelState*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

void SetPanelFont(MessagePanelState& state, HFONT given) {
  LOGFONTA font{};
  if (given == nullptr || GetObjectA(given, sizeof font, &font) == 0) return;
  if (!state.face.empty()) lstrcpynA(font.lfFaceName, state.face.c_str(), LF_FACESIZE);
  HFONT made = CreateFontIndirectA(&font);
  if (made == nullptr) return;
  if (state.font != nullptr) DeleteObject(state.font);
  state.font = made;
}

void PaintPanel(HWND window, const MessagePanelState& state) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(window, &ps);
  RECT client{};
  GetClientRect(window, &client);
  HBRUSH background = CreateSolidBrush(state.color);
  FillRect(dc, &client, background);
  DeleteObject(background);
  char text[512] = {};
  GetWindowTextA(window, text, sizeof text);
  HGDIOBJ old = state.font != nullptr ? SelectObject(dc, state.font) : nullptr;
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, state.fontColor);
  DrawTextA(dc, text, -1, &client, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  if (old != nullptr) SelectObject(dc, old);
  EndPaint(window, &ps);
}

// A change of text or font shows at once: the panel tells what happens
// during a load that keeps the message loop waiting.
void RepaintNow(HWND window) {
  InvalidateRect(window, nullptr, TRUE);
  UpdateWindow(window);
}

LRESULT CALLBACK MessagePanelProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
  MessagePanelState* state = PanelOf(window);
  switch (message) {
    case WM_SETCURSOR:
      return CursorOver(window, wParam, lParam, IDC_ARROW);
    case WM_NCCREATE:
      SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(new (std::nothrow) MessagePanelState));
      break;
    case WM_NCDESTROY:
      if (state != nullptr) {
        if (state->font != nullptr) DeleteObject(state->font);
        delete state;
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
      }
      break;
    case WM_SETFONT:
      if (state == nullptr) return 0;
      SetPanelFont(*state, reinterpret_cast<HFONT>(wParam));
      if (LOWORD(lParam) != 0) RepaintNow(window);
      return 0;
    case WM_GETFONT:
      return state != nullptr ? reinterpret_cast<LRESULT>(state->font) : 0;
    case WM_SETTEXT: {
      const LRESULT result = DefWindowProcA(window, message, wParam, lParam);
      RepaintNow(window);
      return result;
    }
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT:
      if (state == nullptr) break;
      PaintPanel(window, *state);
      return 0;
    case WM_LBUTTONUP:
      NotifyClicked(window);
      return 0;
    default:
      break;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

// ---- splitter: where the user took hold of it, and the drag not yet reported

constexpr int kGrabOffset = 0;
constexpr int kPendingDrag = static_cast<int>(sizeof(LONG_PTR));

int TopInParent(HWND window) {
  RECT rc{};
  GetWindowRect(window, &rc);
  MapWindowPoints(HWND_DESKTOP, GetParent(window), reinterpret_cast<POINT*>(&rc), 2);
  return rc.top;
}

LRESULT CALLBACK SplitterProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
  switch (message) {
    case WM_SETCURSOR:
      return CursorOver(window, wParam, lParam, IDC_SIZENS);
    case WM_LBUTTONDOWN:
      SetWindowLongPtrA(window, kGrabOffset, GET_Y_LPARAM(lParam));
      SetCapture(window);
      return 0;
    case WM_MOUSEMOVE: {
      if (GetCapture() != window) break;
      POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
      MapWindowPoints(window, GetParent(window), &at, 1);
      const int delta = at.y - static_cast<int>(GetWindowLongPtrA(window, kGrabOffset)) - TopInParent(window);
      if (delta == 0) return 0;
      SetWindowLongPtrA(window, kPendingDrag, delta);
      SendMessageA(GetParent(window), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(window), kSplitterDragged),
                   reinterpret_cast<LPARAM>(window));
      return 0;
    }
    case WM_LBUTTONUP:
      if (GetCapture() == window) ReleaseCapture();
      return 0;
    default:
      break;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

ControlWindowClass PictureWindowClass() {
  Register(kPictureClass, PictureProc, -1, 0);
  return {kPictureClass, WS_CLIPSIBLINGS, 0};
}

ControlWindowClass MessagePanelWindowClass() {
  Register(kMessagePanelClass, MessagePanelProc, -1, 0);
  return {kMessagePanelClass, WS_CLIPSIBLINGS, 0};
}

ControlWindowClass SplitterWindowClass() {
  Register(kSplitterClass, SplitterProc, COLOR_BTNSHADOW, 2 * static_cast<int>(sizeof(LONG_PTR)));
  return {kSplitterClass, 0, 0};
}

// The picture lies on the message panel, so it goes above it.
void SetUpPicture(HWND window) {
  SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void SetUpMessagePanel(const TMessagePanel& panel, HWND window) {
  MessagePanelState* state = PanelOf(window);
  if (state == nullptr) return;
  state->color = static_cast<COLORREF>(panel.Color);
  state->fontColor = static_cast<COLORREF>(panel.FontColor);
  state->face = panel.FontName;
  SetPanelFont(*state, state->font);  // the font it was given, now in the panel's face
}

void ApplyPicture(const TImage& image, HWND window) {
  SendMessageA(window, kSetPicture, 0, reinterpret_cast<LPARAM>(&image));
}

int TakeSplitterDrag(HWND window) {
  const auto delta = static_cast<int>(GetWindowLongPtrA(window, kPendingDrag));
  SetWindowLongPtrA(window, kPendingDrag, 0);
  return delta;
}

}  // namespace mvx::win32
