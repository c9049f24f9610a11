// How long the window stays unanswered while the preview shows a large
// picture, and the memory that takes, for a 12000 x 12000 PNG of 16-bit RGBA
// and a 5120 x 2880 JPEG. Each figure comes from a process of its own that
// makes a window of the preview's size and shows the picture in it:
// - "preview": as the program does, decoded off the window's thread
//   (Win32Pictures::LoadLater) and drawn when it arrives;
// - "on the thread": decoded on the window's thread, as a program that
//   blocks would, for comparison;
// - the floor: the same window showing nothing for as long.
// A second thread asks the window (WM_NULL) every 2 ms; the longest wait for
// an answer is the time the window stayed unanswered (target: 100 ms). The
// memory is the process's peak working set, against the floor's. Medians of three rounds.
#include <windows.h>
#include <psapi.h>
#include <wincodec.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "win32/adapters/win32_picture.h"
#include "win32/adapters/win32_ports.h"

namespace {

constexpr int kRounds = 3;
constexpr int kPreviewWidth = 376;
constexpr int kPreviewHeight = 211;
constexpr UINT kBandRows = 256;

struct Figures {
  double unansweredMs = 0;
  double totalMs = 0;
  double peakMb = 0;
};

double NowMs() {
  LARGE_INTEGER now, frequency;
  QueryPerformanceCounter(&now);
  QueryPerformanceFrequency(&frequency);
  return static_cast<double>(now.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

// The peak working set of this process (this Wine counts no private usage).
double PeakResidentMb() {
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  if (!GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters)) return -1;
  return static_cast<double>(counters.PeakWorkingSetSize) / (1024.0 * 1024.0);
}

// Writes a picture of smooth gradients through the system's encoder, a band
// of rows at a time; 16-bit RGBA for a PNG, 24-bit for a JPEG.
bool MakePicture(const std::string& path, const GUID& container, int width, int height, bool deep) {
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  IWICImagingFactory* factory = nullptr;
  IWICStream* stream = nullptr;
  IWICBitmapEncoder* encoder = nullptr;
  IWICBitmapFrameEncode* frame = nullptr;
  IPropertyBag2* options = nullptr;
  const std::wstring wide(path.begin(), path.end());
  WICPixelFormatGUID format = deep ? GUID_WICPixelFormat64bppRGBA : GUID_WICPixelFormat24bppBGR;
  const GUID wanted = format;
  bool ok = SUCCEEDED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                       reinterpret_cast<void**>(&factory))) &&
            SUCCEEDED(factory->CreateStream(&stream)) &&
            SUCCEEDED(stream->InitializeFromFilename(wide.c_str(), GENERIC_WRITE)) &&
            SUCCEEDED(factory->CreateEncoder(container, nullptr, &encoder)) &&
            SUCCEEDED(encoder->Initialize(stream, WICBitmapEncoderNoCache)) &&
            SUCCEEDED(encoder->CreateNewFrame(&frame, &options)) && SUCCEEDED(frame->Initialize(options)) &&
            SUCCEEDED(frame->SetSize(static_cast<UINT>(width), static_cast<UINT>(height))) &&
            SUCCEEDED(frame->SetPixelFormat(&format)) && IsEqualGUID(format, wanted);
  const UINT pixelBytes = deep ? 8 : 3;
  const UINT stride = (static_cast<UINT>(width) * pixelBytes + 3) & ~3u;
  std::vector<BYTE> band(static_cast<std::size_t>(stride) * kBandRows);
  for (UINT top = 0; ok && top < static_cast<UINT>(height); top += kBandRows) {
    const UINT rows = std::min<UINT>(kBandRows, static_cast<UINT>(height) - top);
    for (UINT r = 0; r < rows; ++r) {
      const double y = static_cast<double>(top + r) / height;
      for (int x = 0; x < width; ++x) {
        const double fx = static_cast<double>(x) / width;
        const double channels[4] = {fx, y, (fx + y) / 2, 1.0};
        BYTE* p = band.data() + static_cast<std::size_t>(r) * stride + static_cast<std::size_t>(x) * pixelBytes;
        if (deep) {
          for (int c = 0; c < 4; ++c) {
            const auto v = static_cast<unsigned>(channels[c] * 65535);
            p[2 * c] = static_cast<BYTE>(v & 0xFF);
            p[2 * c + 1] = static_cast<BYTE>(v >> 8);
          }
        } else {
          p[0] = static_cast<BYTE>(channels[2] * 255);
          p[1] = static_cast<BYTE>(channels[1] * 255);
          p[2] = static_cast<BYTE>(channels[0] * 255);
        }
      }
    }
    ok = SUCCEEDED(frame->WritePixels(rows, stride, stride * rows, band.data()));
  }
  ok = ok && SUCCEEDED(frame->Commit()) && SUCCEEDED(encoder->Commit());
  for (IUnknown* object : {static_cast<IUnknown*>(options), static_cast<IUnknown*>(frame),
                           static_cast<IUnknown*>(encoder), static_cast<IUnknown*>(stream),
                           static_cast<IUnknown*>(factory)}) {
    if (object != nullptr) object->Release();
  }
  if (!ok) DeleteFileA(path.c_str());
  return ok;
}

std::shared_ptr<const mvx::win32::Win32Picture> shown;

void Draw(HWND window) {
  if (!shown) return;
  HDC dc = GetDC(window);
  HDC source = CreateCompatibleDC(dc);
  HGDIOBJ old = SelectObject(source, shown->Bitmap());
  BITMAP info{};
  GetObjectA(shown->Bitmap(), sizeof info, &info);
  SetStretchBltMode(dc, HALFTONE);
  StretchBlt(dc, 0, 0, kPreviewWidth, kPreviewHeight, source, 0, 0, info.bmWidth, std::abs(info.bmHeight), SRCCOPY);
  SelectObject(source, old);
  DeleteDC(source);
  ReleaseDC(window, dc);
}

// One showing in this process: "preview", "thread" or "floor".
Figures ShowOnce(const std::string& how, const std::string& path) {
  HWND window = CreateWindowExA(0, "STATIC", "bench_preview", WS_OVERLAPPED | WS_VISIBLE, 0, 0, kPreviewWidth,
                                kPreviewHeight, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  std::atomic<bool> done{false};
  std::atomic<bool> askerDone{false};
  std::atomic<long long> longestUs{0};
  std::thread asker([&] {
    while (!done) {
      const double from = NowMs();
      DWORD_PTR result = 0;
      SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, 60000, &result);
      const auto us = static_cast<long long>((NowMs() - from) * 1000);
      if (us > longestUs) longestUs = us;
      Sleep(2);
    }
    askerDone = true;
  });
  mvx::win32::Win32Pictures pictures;
  const double start = NowMs();
  bool finished = false;
  if (how == "preview") {
    pictures.LoadLater(path, [&](mvx::PictureLoad loaded) {
      shown = std::static_pointer_cast<const mvx::win32::Win32Picture>(loaded.picture);
      Draw(window);
      finished = true;
    });
  } else if (how == "thread") {
    shown = mvx::win32::DecodePictureFile(path);
    Draw(window);
    finished = true;
  }
  const double floorUntil = start + 1000;
  for (;;) {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    if (how == "floor" ? NowMs() >= floorUntil : finished) break;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
  }
  Figures figures;
  figures.totalMs = NowMs() - start;
  done = true;
  // The asker's last question is answered here.
  while (!askerDone) {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    Sleep(1);
  }
  asker.join();
  figures.unansweredMs = static_cast<double>(longestUs) / 1000.0;
  figures.peakMb = PeakResidentMb();
  if (how != "floor" && !shown) figures.totalMs = -1;  // the picture was not shown
  DestroyWindow(window);
  return figures;
}

// Runs one showing in a fresh process, so that each peak is its own.
Figures InChild(const std::string& how, const std::string& path) {
  char self[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  HANDLE readEnd = nullptr, writeEnd = nullptr;
  CreatePipe(&readEnd, &writeEnd, &inherit, 0);
  SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = writeEnd;
  startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
  std::string command = "\"";
  command.append(self).append("\" --child ").append(how).append(" \"").append(path).append("\"");
  PROCESS_INFORMATION process{};
  Figures figures{-1, -1, -1};
  if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process)) {
    CloseHandle(readEnd);
    CloseHandle(writeEnd);
    return figures;
  }
  CloseHandle(writeEnd);
  std::string out;
  char buffer[256];
  DWORD read = 0;
  while (ReadFile(readEnd, buffer, sizeof buffer, &read, nullptr) && read > 0) out.append(buffer, read);
  WaitForSingleObject(process.hProcess, INFINITE);
  CloseHandle(process.hProcess);
  CloseHandle(process.hThread);
  CloseHandle(readEnd);
  std::sscanf(out.c_str(), "%lf %lf %lf", &figures.unansweredMs, &figures.totalMs, &figures.peakMb);
  return figures;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 4 && std::string(argv[1]) == "--child") {
    const Figures f = ShowOnce(argv[2], argv[3]);
    std::printf("%.1f %.1f %.1f\n", f.unansweredMs, f.totalMs, f.peakMb);
    return 0;
  }
  char temp[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, temp);
  struct Picture {
    std::string name;
    GUID container;
    int width, height;
    bool deep;
  } pictures[] = {
      {"murovex-bench-12000x12000-rgba16.png", GUID_ContainerFormatPng, 12000, 12000, true},
      {"murovex-bench-5120x2880.jpg", GUID_ContainerFormatJpeg, 5120, 2880, false},
  };
  std::printf("bench_preview: the window's longest unanswered time and the peak memory while the preview\n"
              "shows a picture; medians of %d rounds, each showing in a process of its own\n\n",
              kRounds);
  std::vector<double> floorMs, floorMb;
  for (int r = 0; r < kRounds; ++r) {
    const Figures f = InChild("floor", "-");
    floorMs.push_back(f.unansweredMs);
    floorMb.push_back(f.peakMb);
  }
  std::printf("%-38s %10s %10s %10s %12s\n", "", "unanswered", "shown in", "peak", "over floor");
  std::printf("%-38s %8.1f ms %10s %7.0f MB\n", "floor: the window showing nothing", Median(floorMs), "-",
              Median(floorMb));
  bool met = true;
  for (const Picture& p : pictures) {
    const std::string path = std::string(temp) + p.name;
    if (GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES &&
        !MakePicture(path, p.container, p.width, p.height, p.deep)) {
      std::printf("bench_preview: could not write %s\n", path.c_str());
      return 1;
    }
    for (const char* how : {"preview", "thread"}) {
      std::vector<double> ms, total, mb;
      for (int r = 0; r < kRounds; ++r) {
        const Figures f = InChild(how, path);
        ms.push_back(f.unansweredMs);
        total.push_back(f.totalMs);
        mb.push_back(f.peakMb);
      }
      const std::string label = std::to_string(p.width) + "x" + std::to_string(p.height) +
                                (p.deep ? " PNG" : " JPEG") + (std::string(how) == "preview" ? ", preview" :
                                                                                                 ", on the thread");
      std::printf("%-38s %8.1f ms %7.0f ms %7.0f MB %+9.0f MB\n", label.c_str(), Median(ms), Median(total), Median(mb),
                  Median(mb) - Median(floorMb));
      if (std::string(how) == "preview" && (Median(ms) > 100 || Median(total) < 0)) met = false;
    }
  }
  std::printf("\ntarget: the preview's window never unanswered over 100 ms: %s\n", met ? "met" : "NOT MET");
  return met ? 0 : 1;
}
