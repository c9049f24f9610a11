// A change of wallpaper on two 3840 x 2160 monitors side by side, each
// showing its own 5120 x 2880 JPEG filled: both headers read, the desktop
// picture composed and written through the atomic writer. Its floor is the
// decoding of the same two pictures to the monitors' size through the imaging
// component and nothing else. Both are timed in the same run in paired
// rounds (order swapped every round); the median of the ratios is the
// figure. Then the peak working set of one change and of one floor, each in
// a process of its own, and the composed picture's bytes as BMP, PNG and
// JPEG: size, time to encode and write, and PSNR against the drawn pixels.
//
//   bench_monitors.exe first.jpg second.jpg work-folder
#include <windows.h>
#include <psapi.h>
#include <wincodec.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "app/atomic_file.h"
#include "app/picture_header.h"
#include "monitors/monitor_layout.h"
#include "win32/adapters/win32_picture.h"
#include "win32/adapters/win32_ports.h"

namespace mvx {
namespace {

constexpr int kRounds = 7;
const std::vector<Monitor> kMonitors = {{{0, 0, 3840, 2160}, true}, {{3840, 0, 7680, 2160}, false}};

struct Setup {
  std::string pictures[2];
  std::string folder;
  std::string Composed() const { return folder + "\\Murovex Desktop.bmp"; }
};

double Now() {
  LARGE_INTEGER frequency, count;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&count);
  return static_cast<double>(count.QuadPart) / static_cast<double>(frequency.QuadPart);
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

double PeakMegabytes() {
  PROCESS_MEMORY_COUNTERS counters{};
  GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
  return static_cast<double>(counters.PeakWorkingSetSize) / (1024.0 * 1024.0);
}

std::optional<ByteBlock> Compose(win32::Win32Files& files, const Setup& setup) {
  std::vector<MonitorPicture> shown;
  for (const std::string& path : setup.pictures) {
    std::string head;
    if (!files.ReadHead(path, kPictureHeadBytes, head)) return std::nullopt;
    const auto header = ParsePictureHeader(head);
    if (!header) return std::nullopt;
    shown.push_back({path, {header->width, header->height}, header->orientation, DisplayMode::Fill});
  }
  win32::Win32Monitors monitors;
  return monitors.ComposeDesktop(ComposeDesktop(kMonitors, shown, 0x00402010));
}

bool Change(const Setup& setup) {
  win32::Win32Files files;
  const std::optional<ByteBlock> bytes = Compose(files, setup);
  return bytes && ReplaceFileAtomically(files, setup.Composed(), bytes->View()).ok();
}

bool Floor(const Setup& setup) {
  for (const std::string& path : setup.pictures) {
    if (win32::DecodePictureFile(path, {3840, 2160}) == nullptr) return false;
  }
  return true;
}

// One change or one floor in this process; its peak working set beside the
// peak before it.
int Once(const Setup& setup, bool change) {
  const double before = PeakMegabytes();
  const bool done = change ? Change(setup) : Floor(setup);
  std::printf("  peak working set, %-22s %7.1f MB (%.1f MB before it)\n", change ? "one change:" : "one floor (decode):",
              PeakMegabytes(), before);
  return done ? 0 : 1;
}

int InChild(const std::string& args) {
  char self[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  std::string line = std::string(1, '"').append(self).append("\" ").append(args);
  STARTUPINFOA start{};
  start.cb = sizeof start;
  PROCESS_INFORMATION process{};
  if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &start, &process)) return 1;
  WaitForSingleObject(process.hProcess, INFINITE);
  DWORD code = 1;
  GetExitCodeProcess(process.hProcess, &code);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return static_cast<int>(code);
}

// The pixels of a picture file as 24-bit BGR rows, top-down.
std::vector<BYTE> Pixels(IWICImagingFactory* factory, const std::wstring& path, UINT& width, UINT& height) {
  std::vector<BYTE> pixels;
  IWICBitmapDecoder* decoder = nullptr;
  IWICBitmapFrameDecode* frame = nullptr;
  IWICFormatConverter* converter = nullptr;
  if (SUCCEEDED(factory->CreateDecoderFromFilename(path.c_str(), nullptr, GENERIC_READ, WICDecodeMetadataCacheOnDemand,
                                                   &decoder)) &&
      SUCCEEDED(decoder->GetFrame(0, &frame)) && SUCCEEDED(frame->GetSize(&width, &height)) &&
      SUCCEEDED(factory->CreateFormatConverter(&converter)) &&
      SUCCEEDED(converter->Initialize(frame, GUID_WICPixelFormat24bppBGR, WICBitmapDitherTypeNone, nullptr, 0.0,
                                      WICBitmapPaletteTypeCustom))) {
    pixels.resize(std::size_t{width} * height * 3);
    if (FAILED(converter->CopyPixels(nullptr, width * 3, static_cast<UINT>(pixels.size()), pixels.data()))) {
      pixels.clear();
    }
  }
  if (converter != nullptr) converter->Release();
  if (frame != nullptr) frame->Release();
  if (decoder != nullptr) decoder->Release();
  return pixels;
}

double Psnr(const std::vector<BYTE>& a, const std::vector<BYTE>& b) {
  if (a.size() != b.size() || a.empty()) return 0;
  double sum = 0;
  for (std::size_t i = 0; i < a.size(); ++i) {
    const double d = static_cast<double>(a[i]) - static_cast<double>(b[i]);
    sum += d * d;
  }
  const double mse = sum / static_cast<double>(a.size());
  return mse == 0 ? INFINITY : 10.0 * std::log10(255.0 * 255.0 / mse);
}

// The drawn pixels encoded to path in the given format; quality 0 for none.
bool Encode(IWICImagingFactory* factory, const std::vector<BYTE>& pixels, UINT width, UINT height, const GUID& format,
            float quality, const std::wstring& path) {
  IWICStream* stream = nullptr;
  IWICBitmapEncoder* encoder = nullptr;
  IWICBitmapFrameEncode* frame = nullptr;
  IPropertyBag2* options = nullptr;
  bool done = SUCCEEDED(factory->CreateStream(&stream)) &&
              SUCCEEDED(stream->InitializeFromFilename(path.c_str(), GENERIC_WRITE)) &&
              SUCCEEDED(factory->CreateEncoder(format, nullptr, &encoder)) &&
              SUCCEEDED(encoder->Initialize(stream, WICBitmapEncoderNoCache)) &&
              SUCCEEDED(encoder->CreateNewFrame(&frame, &options));
  if (done && quality > 0) {
    PROPBAG2 option{};
    option.pstrName = const_cast<LPOLESTR>(L"ImageQuality");
    VARIANT value;
    VariantInit(&value);
    value.vt = VT_R4;
    value.fltVal = quality;
    done = SUCCEEDED(options->Write(1, &option, &value));
  }
  WICPixelFormatGUID given = GUID_WICPixelFormat24bppBGR;
  done = done && SUCCEEDED(frame->Initialize(options)) && SUCCEEDED(frame->SetSize(width, height)) &&
         SUCCEEDED(frame->SetPixelFormat(&given)) && IsEqualGUID(given, GUID_WICPixelFormat24bppBGR) &&
         SUCCEEDED(frame->WritePixels(height, width * 3, static_cast<UINT>(pixels.size()),
                                      const_cast<BYTE*>(pixels.data()))) &&
         SUCCEEDED(frame->Commit()) && SUCCEEDED(encoder->Commit());
  if (options != nullptr) options->Release();
  if (frame != nullptr) frame->Release();
  if (encoder != nullptr) encoder->Release();
  if (stream != nullptr) stream->Release();
  return done;
}

std::wstring Wide(const std::string& s) { return std::wstring(s.begin(), s.end()); }

double FileMegabytes(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return 0;
  return static_cast<double>((std::uint64_t{data.nFileSizeHigh} << 32) | data.nFileSizeLow) / (1024.0 * 1024.0);
}

void CompareFormats(const Setup& setup) {
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  IWICImagingFactory* factory = nullptr;
  if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                              reinterpret_cast<void**>(&factory)))) {
    std::printf("bench_monitors: no imaging factory\n");
    return;
  }
  UINT width = 0, height = 0;
  const std::vector<BYTE> drawn = Pixels(factory, Wide(setup.Composed()), width, height);
  std::printf("the composed %ux%u desktop as a file        size      encode+write   PSNR\n", width, height);
  {
    // The BMP is the drawn pixels behind a header: its cost is the write.
    win32::Win32Files files;
    ByteBlock bytes;
    files.ReadBlock(setup.Composed(), bytes);
    const std::string path = setup.folder + "\\composed.bmp";
    const double start = Now();
    const bool done = ReplaceFileAtomically(files, path, bytes.View()).ok();
    const double ms = (Now() - start) * 1000;
    std::printf("  %-32s %8.1f MB  %9.0f ms  lossless%s\n", "BMP (the atomic writer)", FileMegabytes(path), ms,
                done ? "" : "  (write failed)");
    DeleteFileA(path.c_str());
  }
  struct Format {
    const char* name;
    GUID id;
    float quality;
    const char* file;
  } formats[] = {{"PNG", GUID_ContainerFormatPng, 0, "composed.png"},
                 {"JPEG quality 0.90", GUID_ContainerFormatJpeg, 0.90f, "composed-90.jpg"},
                 {"JPEG quality 0.95", GUID_ContainerFormatJpeg, 0.95f, "composed-95.jpg"}};
  for (const Format& f : formats) {
    const std::string path = setup.folder + "\\" + f.file;
    DeleteFileA(path.c_str());
    const double start = Now();
    const bool done = Encode(factory, drawn, width, height, f.id, f.quality, Wide(path));
    const double ms = (Now() - start) * 1000;
    UINT w = 0, h = 0;
    const double psnr = done ? Psnr(drawn, Pixels(factory, Wide(path), w, h)) : 0;
    std::printf("  %-32s %8.1f MB  %9.0f ms  %6.1f dB%s\n", f.name, FileMegabytes(path), ms, psnr,
                done ? "" : "  (encoder failed)");
    DeleteFileA(path.c_str());
  }
  factory->Release();
  CoUninitialize();
}

}  // namespace
}  // namespace mvx

int main(int argc, char** argv) {
  using namespace mvx;
  if (argc < 4) {
    std::printf("usage: bench_monitors first.jpg second.jpg work-folder\n");
    return 2;
  }
  const Setup setup{{argv[1], argv[2]}, argv[3]};
  if (argc == 5) return Once(setup, std::string(argv[4]) == "--change");
  if (!Change(setup) || !Floor(setup)) {
    std::printf("bench_monitors: the pictures cannot be decoded or the desktop not written\n");
    return 1;
  }
  std::vector<double> floors, changes, ratios;
  for (int r = 0; r < kRounds; ++r) {
    double f = 0, c = 0;
    for (int half = 0; half < 2; ++half) {
      const bool change = (half == 0) == (r % 2 == 0);
      const double start = Now();
      change ? Change(setup) : Floor(setup);
      (change ? c : f) = Now() - start;
    }
    floors.push_back(f);
    changes.push_back(c);
    ratios.push_back(c / f);
  }
  std::printf("bench_monitors: two 3840x2160 monitors, two 5120x2880 JPEGs, %d paired rounds, medians\n", kRounds);
  std::printf("  decode both to the monitors' size (floor)  %7.0f ms\n", Median(floors) * 1000);
  std::printf("  change: compose and write the desktop      %7.0f ms\n", Median(changes) * 1000);
  std::printf("  ratio change / floor                       %7.2f (at most 1.5)\n", Median(ratios));
  std::string args;
  for (const std::string& arg : {setup.pictures[0], setup.pictures[1], setup.folder}) {
    args.append(1, '"').append(arg).append("\" ");
  }
  std::fflush(stdout);
  InChild(args + "--floor");
  InChild(args + "--change");
  CompareFormats(setup);
  DeleteFileA(setup.Composed().c_str());
  return 0;
}
