#pragma once
// Windows only: pictures written by the system's own encoders, for tests
// that need a JPEG or a TIFF file (formats too involved to write by hand).
// clang-format off
#include <windows.h>
#include <wincodec.h>
// clang-format on

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>

namespace mvx::testing {

struct Rgb {
  std::uint8_t red, green, blue;
};

// Encodes a picture of the given size in a container format (e.g.
// GUID_ContainerFormatJpeg) to path, each pixel's colour given by colourAt;
// false when the system could not.
inline bool EncodePicture(const GUID& container, const std::string& path, int width, int height,
                          const std::function<Rgb(int x, int y)>& colourAt) {
  const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  const std::wstring widePath(path.begin(), path.end());
  IWICImagingFactory* factory = nullptr;
  IWICStream* stream = nullptr;
  IWICBitmapEncoder* encoder = nullptr;
  IWICBitmapFrameEncode* frame = nullptr;
  IPropertyBag2* options = nullptr;
  bool ok = SUCCEEDED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                       reinterpret_cast<void**>(&factory))) &&
            SUCCEEDED(factory->CreateStream(&stream)) &&
            SUCCEEDED(stream->InitializeFromFilename(widePath.c_str(), GENERIC_WRITE)) &&
            SUCCEEDED(factory->CreateEncoder(container, nullptr, &encoder)) &&
            SUCCEEDED(encoder->Initialize(stream, WICBitmapEncoderNoCache)) &&
            SUCCEEDED(encoder->CreateNewFrame(&frame, &options)) && SUCCEEDED(frame->Initialize(options)) &&
            SUCCEEDED(frame->SetSize(static_cast<UINT>(width), static_cast<UINT>(height)));
  WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
  ok = ok && SUCCEEDED(frame->SetPixelFormat(&format)) && IsEqualGUID(format, GUID_WICPixelFormat24bppBGR);
  const UINT stride = (static_cast<UINT>(width) * 3 + 3) & ~3u;
  std::string pixels(static_cast<std::size_t>(stride) * static_cast<UINT>(height), '\0');
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const Rgb c = colourAt(x, y);
      const std::size_t at = static_cast<std::size_t>(y) * stride + static_cast<std::size_t>(x) * 3;
      pixels[at] = static_cast<char>(c.blue);
      pixels[at + 1] = static_cast<char>(c.green);
      pixels[at + 2] = static_cast<char>(c.red);
    }
  }
  ok = ok &&
       SUCCEEDED(frame->WritePixels(static_cast<UINT>(height), stride, static_cast<UINT>(pixels.size()),
                                    reinterpret_cast<BYTE*>(pixels.data()))) &&
       SUCCEEDED(frame->Commit()) && SUCCEEDED(encoder->Commit());
  for (IUnknown* object : std::initializer_list<IUnknown*>{options, frame, encoder, stream, factory}) {
    if (object != nullptr) object->Release();
  }
  if (SUCCEEDED(com)) CoUninitialize();
  return ok;
}

}  // namespace mvx::testing
