#include "PngWriter.h"

#include "Checksums.h"
#include "KernelHandles.h"
#include "Win32Error.h"

#include <algorithm>
#include <stdexcept>

namespace {

constexpr std::size_t kMaxStoredBlock = 65535;

void AppendBigEndian(std::vector<std::uint8_t>& out, std::uint32_t value) {
    out.push_back(static_cast<std::uint8_t>(value >> 24));
    out.push_back(static_cast<std::uint8_t>(value >> 16));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
    out.push_back(static_cast<std::uint8_t>(value));
}

void AppendChunk(std::vector<std::uint8_t>& out, const char (&type)[5],
                 const std::vector<std::uint8_t>& data) {
    AppendBigEndian(out, static_cast<std::uint32_t>(data.size()));
    const std::size_t typeStart = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    // The chunk's CRC covers its type and data, not its length.
    AppendBigEndian(out, Crc32(out.data() + typeStart, out.size() - typeStart));
}

// Each row is preceded by its filter type, 0: the row as it is.
std::vector<std::uint8_t> Scanlines(const RgbImage& image) {
    const std::size_t rowBytes = static_cast<std::size_t>(image.width) * 3;
    std::vector<std::uint8_t> raw;
    raw.reserve((rowBytes + 1) * static_cast<std::size_t>(image.height));
    for (int y = 0; y < image.height; ++y) {
        raw.push_back(0);
        const auto row = image.pixels.begin() + static_cast<std::ptrdiff_t>(rowBytes * y);
        raw.insert(raw.end(), row, row + static_cast<std::ptrdiff_t>(rowBytes));
    }
    return raw;
}

std::vector<std::uint8_t> StoredZlibStream(const std::vector<std::uint8_t>& raw) {
    // Deflate, 32 KiB window, no preset dictionary; 0x7801 is a multiple of 31 as zlib requires.
    std::vector<std::uint8_t> stream = {0x78, 0x01};
    std::size_t offset = 0;
    do {
        const std::size_t length = std::min(kMaxStoredBlock, raw.size() - offset);
        const bool last = offset + length == raw.size();
        stream.push_back(last ? 1 : 0);  // BFINAL, and BTYPE 00: stored
        stream.push_back(static_cast<std::uint8_t>(length));
        stream.push_back(static_cast<std::uint8_t>(length >> 8));
        stream.push_back(static_cast<std::uint8_t>(~length));
        stream.push_back(static_cast<std::uint8_t>(~length >> 8));
        stream.insert(stream.end(), raw.begin() + static_cast<std::ptrdiff_t>(offset),
                      raw.begin() + static_cast<std::ptrdiff_t>(offset + length));
        offset += length;
    } while (offset < raw.size());
    AppendBigEndian(stream, Adler32(raw.data(), raw.size()));
    return stream;
}

}  // namespace

std::vector<std::uint8_t> EncodePng(const RgbImage& image) {
    if (image.width <= 0 || image.height <= 0 ||
        image.pixels.size() != static_cast<std::size_t>(image.width) * image.height * 3) {
        throw std::invalid_argument("the image's size does not match its pixels");
    }
    std::vector<std::uint8_t> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

    std::vector<std::uint8_t> header;
    AppendBigEndian(header, static_cast<std::uint32_t>(image.width));
    AppendBigEndian(header, static_cast<std::uint32_t>(image.height));
    // Bit depth 8, colour type 2 (truecolour), deflate, adaptive filtering, no interlace.
    header.insert(header.end(), {8, 2, 0, 0, 0});
    AppendChunk(png, "IHDR", header);
    AppendChunk(png, "IDAT", StoredZlibStream(Scanlines(image)));
    AppendChunk(png, "IEND", {});
    return png;
}

void SavePng(const RgbImage& image, const std::wstring& path) {
    const std::vector<std::uint8_t> png = EncodePng(image);
    OwnedKernelHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                       FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        ThrowLastError("CreateFileW of " + Utf8(path));
    }
    DWORD written = 0;
    if (!WriteFile(file.get(), png.data(), static_cast<DWORD>(png.size()), &written, nullptr) ||
        written != png.size()) {
        ThrowLastError("WriteFile of " + Utf8(path));
    }
}
