#pragma once
// Pictures of windows as PNG files, encoded by the system's imaging component.

#include "RgbImage.h"

#include <string>

void SavePng(const RgbImage& image, const std::wstring& path);
