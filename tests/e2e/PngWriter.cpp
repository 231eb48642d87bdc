#include "PngWriter.h"

#include "Win32Error.h"

#include <objbase.h>
#include <wincodec.h>

#include <cstdio>
#include <stdexcept>
#include <utility>
#include <vector>

namespace {

// Owns one COM interface pointer.
template <typename Interface>
class ComOwner {
public:
    ComOwner() = default;
    ~ComOwner() {
        if (pointer_ != nullptr) {
            pointer_->Release();
        }
    }
    ComOwner(const ComOwner&) = delete;
    ComOwner& operator=(const ComOwner&) = delete;

    Interface* get() const { return pointer_; }
    Interface* operator->() const { return pointer_; }
    Interface** Receive() { return &pointer_; }

private:
    Interface* pointer_ = nullptr;
};

// COM on the calling thread for as long as the picture takes; a thread that already has it
// keeps it.
class ComApartment {
public:
    ComApartment() : initialized_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_MULTITHREADED))) {}
    ~ComApartment() {
        if (initialized_) {
            CoUninitialize();
        }
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

private:
    bool initialized_;
};

void Check(HRESULT result, const std::string& what) {
    if (FAILED(result)) {
        char code[16];
        std::snprintf(code, sizeof code, "0x%08lX", static_cast<unsigned long>(result));
        throw std::runtime_error(what + " failed: " + code);
    }
}

}  // namespace

void SavePng(const RgbImage& image, const std::wstring& path) {
    if (image.width <= 0 || image.height <= 0 ||
        image.pixels.size() != static_cast<std::size_t>(image.width) * image.height * 3) {
        throw std::invalid_argument("the image's size does not match its pixels");
    }
    // The encoder takes blue, green, red.
    std::vector<BYTE> bgr(image.pixels.begin(), image.pixels.end());
    for (std::size_t i = 0; i < bgr.size(); i += 3) {
        std::swap(bgr[i], bgr[i + 2]);
    }

    ComApartment apartment;
    ComOwner<IWICImagingFactory> factory;
    Check(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                           IID_IWICImagingFactory, reinterpret_cast<void**>(factory.Receive())),
          "CoCreateInstance of the imaging factory");
    ComOwner<IWICStream> stream;
    Check(factory->CreateStream(stream.Receive()), "CreateStream");
    Check(stream->InitializeFromFilename(path.c_str(), GENERIC_WRITE),
          "InitializeFromFilename of " + Utf8(path));
    ComOwner<IWICBitmapEncoder> encoder;
    Check(factory->CreateEncoder(GUID_ContainerFormatPng, nullptr, encoder.Receive()),
          "CreateEncoder for PNG");
    Check(encoder->Initialize(stream.get(), WICBitmapEncoderNoCache), "the encoder's Initialize");

    ComOwner<IWICBitmapFrameEncode> frame;
    ComOwner<IPropertyBag2> frameOptions;
    Check(encoder->CreateNewFrame(frame.Receive(), frameOptions.Receive()), "CreateNewFrame");
    Check(frame->Initialize(frameOptions.get()), "the frame's Initialize");
    const auto width = static_cast<UINT>(image.width);
    const auto height = static_cast<UINT>(image.height);
    Check(frame->SetSize(width, height), "SetSize");
    WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
    Check(frame->SetPixelFormat(&format), "SetPixelFormat");
    if (format != GUID_WICPixelFormat24bppBGR) {
        throw std::runtime_error("the PNG encoder does not take 24-bit pixels");
    }
    Check(frame->WritePixels(height, width * 3, static_cast<UINT>(bgr.size()), bgr.data()),
          "WritePixels");
    Check(frame->Commit(), "the frame's Commit");
    Check(encoder->Commit(), "the encoder's Commit");
}
