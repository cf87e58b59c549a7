// SPDX-License-Identifier: MIT
// Pictures on Windows: decoded by the desktop's own decoder, the Windows Imaging
// Component, converted to 32-bit BGR rows (the layer's 0x00RRGGBB pixels).
#include <iostream>

#include "platform/files/places.h"
#include "platform/loop/system.h"

// After the layer's headers: the desktop's headers define some of their names as macros.
#include <windows.h>

#include <wincodec.h>  // after windows.h, whose types it uses

namespace platform {
namespace {

// Releases a COM interface when it goes out of scope.
template <class T>
class Com {
 public:
  Com() = default;
  ~Com() {
    if (p_) p_->Release();
  }
  Com(const Com&) = delete;
  Com& operator=(const Com&) = delete;
  T** Out() { return &p_; }
  T* operator->() const { return p_; }
  T* Get() const { return p_; }

 private:
  T* p_ = nullptr;
};

// The decoder's factory, made on first use on the UI thread and kept for the run.
IWICImagingFactory* Factory() {
  static IWICImagingFactory* factory = [] {
    // S_FALSE or RPC_E_CHANGED_MODE: COM is already started on this thread, which will do.
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    IWICImagingFactory* made = nullptr;
    if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                IID_IWICImagingFactory, reinterpret_cast<void**>(&made))))
      std::cerr << "Cannot start the picture decoder\n";
    return made;
  }();
  return factory;
}

gfx::Surface Decode(const std::filesystem::path& path) {
  IWICImagingFactory* factory = Factory();
  Com<IWICBitmapDecoder> decoder;
  Com<IWICBitmapFrameDecode> frame;
  Com<IWICBitmapSource> converted;
  UINT width = 0, height = 0;
  if (!factory ||
      FAILED(factory->CreateDecoderFromFilename(path.c_str(), nullptr, GENERIC_READ,
                                                WICDecodeMetadataCacheOnDemand, decoder.Out())) ||
      FAILED(decoder->GetFrame(0, frame.Out())) ||
      FAILED(WICConvertBitmapSource(GUID_WICPixelFormat32bppBGR, frame.Get(), converted.Out())) ||
      FAILED(converted->GetSize(&width, &height)) || width == 0 || height == 0)
    return {};
  gfx::Surface picture(static_cast<int>(width), static_cast<int>(height));
  const UINT stride = static_cast<UINT>(picture.stride()) * 4;
  if (FAILED(converted->CopyPixels(nullptr, stride, stride * height,
                                   reinterpret_cast<BYTE*>(picture.row(0)))))
    return {};
  for (int y = 0; y < picture.height(); ++y) {
    gfx::Pixel* row = picture.row(y);
    for (int x = 0; x < picture.width(); ++x) row[x] &= 0x00FFFFFF;
  }
  return picture;
}

}  // namespace

gfx::Surface LoadPicture(const std::string& name) {
  const std::filesystem::path path = AssetFolder() / "resources" / name;
  gfx::Surface picture = Decode(path);
  if (picture.empty()) std::cerr << "Cannot load picture " << path.string() << "\n";
  return picture;
}

}  // namespace platform
