#include "picture_canvas.h"

#include <cstdio>

#include "test_bitmaps.h"

namespace {

HBITMAP CreateCanvasBitmap(int width, int height, uint32_t** bits)
{
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // rows from the top
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* memory = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &memory, nullptr, 0);
    *bits = static_cast<uint32_t*>(memory);
    return bitmap;
}

std::string Hex(uint32_t colour)
{
    char text[16];
    std::snprintf(text, sizeof(text), "0x%06X", static_cast<unsigned>(colour));
    return text;
}

} // namespace

PictureCanvas::PictureCanvas(int width, int height, uint32_t background)
    : m_width(width), m_height(height),
      m_dc(CreateCompatibleDC(nullptr)),
      m_bitmap(CreateCanvasBitmap(width, height, &m_bits)),
      m_selection(m_dc, m_bitmap)
{
    if (m_bits)
        for (int i = 0; i < width * height; ++i)
            m_bits[i] = background;
}

uint32_t PictureCanvas::Pixel(int x, int y) const
{
    GdiFlush();
    return m_bits ? m_bits[y * m_width + x] & 0xFFFFFF : 0;
}

bool PictureCanvas::CopyFrom(HDC source, int x, int y)
{
    return BitBlt(m_dc, 0, 0, m_width, m_height, source, x, y, SRCCOPY) != FALSE;
}

std::string Mismatches(const PictureCanvas& canvas, const std::function<uint32_t(int x, int y)>& expected)
{
    std::string report;
    int count = 0;
    for (int y = 0; y < canvas.Height(); ++y)
        for (int x = 0; x < canvas.Width(); ++x) {
            const uint32_t drawn = canvas.Pixel(x, y);
            const uint32_t wanted = expected(x, y);
            if (drawn == wanted)
                continue;
            if (++count <= 5)
                report += "(" + std::to_string(x) + "," + std::to_string(y) + "): " + Hex(drawn) + " instead of " + Hex(wanted) + "; ";
        }
    if (count > 5)
        report += std::to_string(count - 5) + " more";
    return report;
}

std::function<uint32_t(int x, int y)> DrawnOver(const Picture& picture, POINT origin, const RECT& clip, uint32_t background)
{
    return [=](int x, int y) {
        const int px = x - origin.x, py = y - origin.y;
        const POINT at = { x, y };
        if (!PtInRect(&clip, at) || px < 0 || py < 0 || px >= picture.width || py >= picture.height)
            return background;
        const uint32_t colour = picture.At(px, py);
        return colour == testbitmaps::kKey ? background : colour;
    };
}
