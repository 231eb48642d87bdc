#pragma once
// An image as rows of 8-bit red, green and blue triples, top row first, without padding.

#include <cstdint>
#include <vector>

struct RgbImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> pixels;  // width * height * 3 bytes
};
