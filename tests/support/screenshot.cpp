#include "screenshot.h"

namespace testsupport {

static bool CaptureRect(const RECT& rect, const std::string& path)
{
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    if (width <= 0 || height <= 0)
        return false;

    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;

    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    bool ok = false;
    if (memory && bitmap) {
        HGDIOBJ old = SelectObject(memory, bitmap);
        ok = BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY) != FALSE;
        GdiFlush();
        SelectObject(memory, old);
    }
    std::vector<uint32_t> pixels;
    if (ok) {
        const uint32_t* p = static_cast<const uint32_t*>(bits);
        pixels.reserve(static_cast<size_t>(width) * height);
        for (size_t i = 0; i < static_cast<size_t>(width) * height; ++i)
            pixels.push_back(p[i] & 0xFFFFFF);  // BGRA in memory is 0x00RRGGBB as a word
    }
    if (bitmap)
        DeleteObject(bitmap);
    if (memory)
        DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return ok && WritePng(path, width, height, pixels);
}

bool SaveRectPng(const RECT& rect, const std::string& path)
{
    return CaptureRect(rect, path);
}

bool SaveScreenPng(const std::string& path)
{
    const RECT screen = { 0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN) };
    return CaptureRect(screen, path);
}

bool SaveWindowPng(HWND hwnd, const std::string& path)
{
    RECT rect;
    if (!GetWindowRect(hwnd, &rect))
        return false;
    RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
    return CaptureRect(rect, path);
}

} // namespace testsupport
