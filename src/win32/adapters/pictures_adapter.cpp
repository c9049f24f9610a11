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

}  // namespace

std::shared_ptr<const Win32Picture> DecodePictureFile(const std::string& path) {
  return DecodePictureFile(path, PictureSize{});
}

std::shared_ptr<const Win32Picture> DecodePictureFile(const std::string& path, PictureSize size) {
  const ComScope com;
  ComRef<IWICImagingFactory> factory;
  if (FAILED(late::CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                              reinterpret_cast<void**>(factory.put())))) {
    return nullptr;
  }
  ComRef<IWICBitmapDecoder> decoder;
  ComRef<IWICBitmapFrameDecode> frame;
  if (FAILED(factory->CreateDecoderFromFilename(WideFromUtf8(path).c_str(), nullptr, GENERIC_READ,
                                                WICDecodeMetadataCacheOnDemand, decoder.put())) ||
      FAILED(decoder->GetFrame(0, frame.put()))) {
    return nullptr;
  }
  UINT width = 0, height = 0;
  if (FAILED(frame->GetSize(&width, &height)) || width == 0 || height == 0 ||
      std::uint64_t{width} * height > kMaxPixels) {
    return nullptr;
  }
  // The factory's converter rather than WICConvertBitmapSource, so that the
  // imaging library is loaded by COM when a picture is first decoded.
  ComRef<IWICFormatConverter> converted;
  if (FAILED(factory->CreateFormatConverter(converted.put())) ||
      FAILED(converted->Initialize(frame.get(), GUID_WICPixelFormat32bppBGR, WICBitmapDitherTypeNone, nullptr, 0.0,
                                   WICBitmapPaletteTypeCustom))) {
    return nullptr;
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
      return nullptr;
    }
    source = scaler.get();
  }
  void* bits = nullptr;
  HBITMAP bitmap = TopDownBitmap(held, &bits);
  if (bitmap == nullptr) return nullptr;
  const UINT stride = static_cast<UINT>(held.width) * 4;
  const UINT bytes = stride * static_cast<UINT>(held.height);
  if (FAILED(source->CopyPixels(nullptr, stride, bytes, static_cast<BYTE*>(bits)))) {
    DeleteObject(bitmap);
    return nullptr;
  }
  return std::make_shared<const Win32Picture>(bitmap, PictureSize{static_cast<int>(width), static_cast<int>(height)});
}

std::shared_ptr<const LoadedPicture> Win32Pictures::Load(const std::string& path) {
  return DecodePictureFile(path);
}

}  // namespace mvx::win32
