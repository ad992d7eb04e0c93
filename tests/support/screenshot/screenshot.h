// Screenshots of the screen or of one window, written as PNG files.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace testsupport {

// Pixels are 0x00RRGGBB, rows from top to bottom.
bool WritePng(const std::string& path, int width, int height, const std::vector<uint32_t>& pixels);

// The whole screen.
bool SaveScreenPng(const std::string& path);

// A rectangle of the screen (screen coordinates).
bool SaveRectPng(const RECT& rect, const std::string& path);

// One window as it is shown on the screen (it must be visible and on top).
bool SaveWindowPng(HWND hwnd, const std::string& path);

} // namespace testsupport
