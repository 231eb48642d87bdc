#pragma once
// Pictures of windows, taken from the screen as a user would see them.

#include "RgbImage.h"

#include <windows.h>

#include <string>

// The window's outer rectangle, caption and frame included, as it is on the screen now.
RgbImage CaptureWindow(HWND window);

// Captures the window into fileName (a PNG) in the pictures folder and returns its path.
std::wstring SaveWindowPicture(HWND window, const std::wstring& fileName);
