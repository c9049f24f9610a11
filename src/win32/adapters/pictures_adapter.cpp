#include <wincodec.h>

#include <algorithm>
#include <cstdint>

#include "win32/adapters/late_libraries.h"
#include "win32/adapters/win32_picture.h"
#include "win32/adapters/com_objects.h"
#include "win32/adapters/win32_ports.h"

namespace mvx::win32 {

namespace {

// The held size: the natural size, or scaled down to fit kMaxHeldSide.
PictureSize HeldSize(UINT width, UINT height) {
  const std::uint64_t longest = std::max(width, height);
  if (longest <= static_cast<std::uint64_t>(Win32Picture::kMaxHeldSide)) {
    return {static_cast<int>(width), static_cast<int>(height)};
  }
  auto scaled = [&](UINT side) {
    return static_cast<int>(std::max<std::uint64_t>(1, side * std::uint64_t{Win32Picture::kMaxHeldSide} / longest));
  };
  return {scaled(width), scaled(height)};
}

HBITMAP TopDownBitmap(PictureSize size, void** bits) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = size.width;
  info.bmiHeader.biHeight = -size.height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  return CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, bits, nullptr, 0);
}

// The file, opened as a reader that lets every other program go on reading,
// writing and deleting it: the decoder reads through this handle.
class SharedFile {
 public:
  explicit SharedFile(const std::string& path)
      : handle_(CreateFileW(WideFromUtf8(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                            nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)) {}
  ~SharedFile() {
    if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
  }
  SharedFile(const SharedFile&) = delete;
  SharedFile& operator=(const SharedFile&) = delete;
  HANDLE Get() const { return handle_; }

 private:
  HANDLE handle_;
};

// Rows are copied a band at a time, so that an abandoned decode stops soon.
constexpr UINT kBandRows = 128;

}  // namespace

DecodedPicture DecodePictureFile(const std::string& path, PictureSize size, const std::function<bool()>& abandoned) {
  const ComScope com;
  ComRef<IWICImagingFactory> factory;
  if (FAILED(late::CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                    reinterpret_cast<void**>(factory.put())))) {
    return {nullptr, PictureLoadFault::NotDecoded};
  }
  const SharedFile file(path);
  if (file.Get() == INVALID_HANDLE_VALUE) return {nullptr, PictureLoadFault::NotOpened};
  ComRef<IWICBitmapDecoder> decoder;
  ComRef<IWICBitmapFrameDecode> frame;
  if (FAILED(factory->CreateDecoderFromFileHandle(reinterpret_cast<ULONG_PTR>(file.Get()), nullptr,
                                                  WICDecodeMetadataCacheOnDemand, decoder.put())) ||
      FAILED(decoder->GetFrame(0, frame.put()))) {
    return {nullptr, PictureLoadFault::NotDecoded};
  }
  UINT width = 0, height = 0;
  if (FAILED(frame->GetSize(&width, &height)) || width == 0 || height == 0) {
    return {nullptr, PictureLoadFault::NotDecoded};
  }
  if (std::uint64_t{width} * height > kMaxPixels) return {nullptr, PictureLoadFault::TooLarge};
  // The factory's converter rather than WICConvertBitmapSource, so that the
  // imaging library is loaded by COM when a picture is first decoded.
  ComRef<IWICFormatConverter> converted;
  if (FAILED(factory->CreateFormatConverter(converted.put())) ||
      FAILED(converted->Initialize(frame.get(), GUID_WICPixelFormat32bppBGR, WICBitmapDitherTypeNone, nullptr, 0.0,
                                   WICBitmapPaletteTypeCustom))) {
    return {nullptr, PictureLoadFault::NotDecoded};
  }
  const bool sized = size.width > 0 && size.height > 0 && size.width <= static_cast<int>(width) &&
                     size.height <= static_cast<int>(height);
  const PictureSize held = sized ? size : HeldSize(width, height);
  IWICBitmapSource* source = converted.get();
  ComRef<IWICBitmapScaler> scaler;
  if (held.width != static_cast<int>(width) || held.height != static_cast<int>(height)) {
    if (FAILED(factory->CreateBitmapScaler(scaler.put())) ||
        FAILED(scaler->Initialize(converted.get(), static_cast<UINT>(held.width), static_cast<UINT>(held.height),
                                  WICBitmapInterpolationModeFant))) {
      return {nullptr, PictureLoadFault::NotDecoded};
    }
    source = scaler.get();
  }
  void* bits = nullptr;
  HBITMAP bitmap = TopDownBitmap(held, &bits);
  if (bitmap == nullptr) return {nullptr, PictureLoadFault::TooLarge};
  auto picture =
      std::make_shared<const Win32Picture>(bitmap, PictureSize{static_cast<int>(width), static_cast<int>(height)});
  const UINT stride = static_cast<UINT>(held.width) * 4;
  for (UINT top = 0; top < static_cast<UINT>(held.height); top += kBandRows) {
    if (abandoned && abandoned()) return {nullptr, PictureLoadFault::NotDecoded};
    const UINT rows = std::min<UINT>(kBandRows, static_cast<UINT>(held.height) - top);
    const WICRect band{0, static_cast<INT>(top), held.width, static_cast<INT>(rows)};
    if (FAILED(source->CopyPixels(&band, stride, stride * rows, static_cast<BYTE*>(bits) + std::size_t{stride} * top))) {
      return {nullptr, PictureLoadFault::NotDecoded};
    }
  }
  return {std::move(picture), PictureLoadFault::None};
}

std::shared_ptr<const Win32Picture> DecodePictureFile(const std::string& path) {
  return DecodePictureFile(path, PictureSize{});
}

std::shared_ptr<const Win32Picture> DecodePictureFile(const std::string& path, PictureSize size) {
  return DecodePictureFile(path, size, nullptr).picture;
}

std::shared_ptr<const LoadedPicture> Win32Pictures::Load(const std::string& path) {
  return DecodePictureFile(path);
}

}  // namespace mvx::win32
