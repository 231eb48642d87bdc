#pragma once
// A PNG encoder for pictures of windows: truecolour, no filtering, and deflate's stored blocks,
// so that no compression library is needed.

#include "RgbImage.h"

#include <cstdint>
#include <string>
#include <vector>

std::vector<std::uint8_t> EncodePng(const RgbImage& image);
void SavePng(const RgbImage& image, const std::wstring& path);
