#pragma once
// The two checksums a PNG file carries: CRC-32 on each chunk, Adler-32 on the zlib stream.

#include <cstddef>
#include <cstdint>

// Continues a running CRC-32 when given the value returned for the bytes before.
std::uint32_t Crc32(const std::uint8_t* bytes, std::size_t count, std::uint32_t crc = 0);
std::uint32_t Adler32(const std::uint8_t* bytes, std::size_t count, std::uint32_t adler = 1);
