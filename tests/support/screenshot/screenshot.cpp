#include "screenshot.h"

#include "handles.h"
#include "message_pump.h"

namespace testsupport {

bool SaveRectPng(const RECT& rect, const std::string& path)
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

    CWindowDC screen(nullptr);
    CDCHandle memory(CreateCompatibleDC(screen));
    void* bits = nullptr;
    CBitmapHandle bitmap(CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!memory || !bitmap)
        return false;
    {
        CSelectObject selected(memory, bitmap);
        if (!BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY))
            return false;
        GdiFlush();
    }
    std::vector<uint32_t> pixels;
    const uint32_t* p = static_cast<const uint32_t*>(bits);
    pixels.reserve(static_cast<size_t>(width) * height);
    for (size_t i = 0; i < static_cast<size_t>(width) * height; ++i)
        pixels.push_back(p[i] & 0xFFFFFF);  // BGRA in memory is 0x00RRGGBB as a word
    return WritePng(path, width, height, pixels);
}

bool SaveScreenPng(const std::string& path)
{
    const RECT screen = { 0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN) };
    return SaveRectPng(screen, path);
}

bool SaveWindowPng(HWND hwnd, const std::string& path)
{
    RECT rect;
    if (!GetWindowRect(hwnd, &rect))
        return false;
    // Wine copies what windows paint to the screen a moment later, while
    // messages are processed: repaint, then let it reach the screen.
    RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
    PumpMessages(100);
    return SaveRectPng(rect, path);
}

} // namespace testsupport
