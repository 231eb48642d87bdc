#include "Checksums.h"
#include "PngWriter.h"

#include <gtest/gtest.h>

#include <objbase.h>
#include <wincodec.h>

#include <optional>
#include <string_view>
#include <utility>

namespace {

std::vector<std::uint8_t> Bytes(std::string_view text) {
    return {text.begin(), text.end()};
}

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

    Interface* operator->() const { return pointer_; }
    Interface** Receive() { return &pointer_; }

private:
    Interface* pointer_ = nullptr;
};

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

// Reads a PNG back with the system's own decoder, which shares nothing with the encoder.
std::optional<RgbImage> DecodeWithImagingComponent(std::vector<std::uint8_t> png) {
    ComApartment apartment;
    ComOwner<IWICImagingFactory> factory;
    ComOwner<IWICStream> stream;
    ComOwner<IWICBitmapDecoder> decoder;
    ComOwner<IWICBitmapFrameDecode> frame;
    UINT width = 0;
    UINT height = 0;
    WICPixelFormatGUID format{};
    if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                IID_IWICImagingFactory,
                                reinterpret_cast<void**>(factory.Receive()))) ||
        FAILED(factory->CreateStream(stream.Receive())) ||
        FAILED(stream->InitializeFromMemory(png.data(), static_cast<DWORD>(png.size()))) ||
        FAILED(factory->CreateDecoderFromStream(
            stream.operator->(), nullptr, WICDecodeMetadataCacheOnDemand, decoder.Receive())) ||
        FAILED(decoder->GetFrame(0, frame.Receive())) || FAILED(frame->GetSize(&width, &height)) ||
        FAILED(frame->GetPixelFormat(&format)) || format != GUID_WICPixelFormat24bppBGR) {
        return std::nullopt;
    }
    std::vector<std::uint8_t> bgr(static_cast<std::size_t>(width) * height * 3);
    if (FAILED(frame->CopyPixels(nullptr, width * 3, static_cast<UINT>(bgr.size()), bgr.data()))) {
        return std::nullopt;
    }
    RgbImage image{static_cast<int>(width), static_cast<int>(height), std::move(bgr)};
    for (std::size_t i = 0; i < image.pixels.size(); i += 3) {
        std::swap(image.pixels[i], image.pixels[i + 2]);
    }
    return image;
}

}  // namespace

TEST(Checksums, Crc32GivesTheStandardCheckValue) {
    const std::vector<std::uint8_t> check = Bytes("123456789");
    EXPECT_EQ(Crc32(check.data(), check.size()), 0xCBF43926u);
}

TEST(Checksums, Crc32ResumesFromTheValueOfThePrecedingBytes) {
    const std::vector<std::uint8_t> check = Bytes("123456789");
    const std::uint32_t head = Crc32(check.data(), 4);
    EXPECT_EQ(Crc32(check.data() + 4, check.size() - 4, head), 0xCBF43926u);
}

TEST(Checksums, Adler32OfAShortText) {
    const std::vector<std::uint8_t> text = Bytes("Wikipedia");
    EXPECT_EQ(Adler32(text.data(), text.size()), 0x11E60398u);
    EXPECT_EQ(Adler32(nullptr, 0), 1u);
}

TEST(Checksums, Adler32WrapsItsSumsAtTheModulus) {
    const std::vector<std::uint8_t> ones(100000, 0xFF);
    EXPECT_EQ(Adler32(ones.data(), ones.size()), 0x149A302Cu);
}

TEST(PngWriter, EncodesATinyImageAsAReferenceEncoderDoes) {
    // One pixel wide, two high, written by an independent encoder with zlib at level 0.
    const std::vector<std::uint8_t> reference = {
        0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A, 0x00, 0x00, 0x00, 0x0D, 0x49,
        0x48, 0x44, 0x52, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00, 0x02, 0x08, 0x02,
        0x00, 0x00, 0x00, 0x16, 0xE3, 0x21, 0x70, 0x00, 0x00, 0x00, 0x13, 0x49, 0x44,
        0x41, 0x54, 0x78, 0x01, 0x01, 0x08, 0x00, 0xF7, 0xFF, 0x00, 0xC0, 0x40, 0x10,
        0x00, 0x01, 0x02, 0x03, 0x07, 0x22, 0x01, 0x17, 0xD2, 0x0A, 0x89, 0xA4, 0x00,
        0x00, 0x00, 0x00, 0x49, 0x45, 0x4E, 0x44, 0xAE, 0x42, 0x60, 0x82};
    const RgbImage image{1, 2, {0xC0, 0x40, 0x10, 0x01, 0x02, 0x03}};
    EXPECT_EQ(EncodePng(image), reference);
}

TEST(PngWriter, ImageLargerThanOneStoredBlockDecodesToTheSamePixels) {
    RgbImage image{160, 150, {}};
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            image.pixels.push_back(static_cast<std::uint8_t>(x * 7 + y));
            image.pixels.push_back(static_cast<std::uint8_t>(y * 3));
            image.pixels.push_back(static_cast<std::uint8_t>(x ^ y));
        }
    }
    const std::optional<RgbImage> decoded = DecodeWithImagingComponent(EncodePng(image));
    ASSERT_TRUE(decoded.has_value());
    EXPECT_EQ(decoded->width, image.width);
    EXPECT_EQ(decoded->height, image.height);
    EXPECT_EQ(decoded->pixels, image.pixels);
}

TEST(PngWriter, RefusesPixelsThatDoNotFillTheImage) {
    const RgbImage image{2, 2, std::vector<std::uint8_t>(9)};
    EXPECT_THROW(EncodePng(image), std::invalid_argument);
}
