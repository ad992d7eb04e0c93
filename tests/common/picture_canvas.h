// What the picture-control tests draw on and compare with.
//
//   PictureCanvas  a 32-bit DIB section in a memory context, filled with one
//                  colour, whose pixels a test reads directly
//   Picture        the expected pixels of a test picture (test_bitmaps.h)
//   Mismatches     compares a canvas with what each pixel should be
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

#include "handles.h"

// Colours are 0xRRGGBB, as in test_bitmaps.h.
class PictureCanvas {
public:
    PictureCanvas(int width, int height, uint32_t background);
    PictureCanvas(const PictureCanvas&) = delete;
    PictureCanvas& operator=(const PictureCanvas&) = delete;

    HDC Dc() const { return m_dc; }
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    uint32_t Pixel(int x, int y) const;
    // Copies this canvas's size from (x, y) of `source`.
    bool CopyFrom(HDC source, int x, int y);

private:
    int m_width;
    int m_height;
    uint32_t* m_bits = nullptr;
    CDCHandle m_dc;
    CBitmapHandle m_bitmap;
    CSelectObject m_selection;
};

struct Picture {
    template <size_t H, size_t W>
    Picture(const uint32_t (&pixels)[H][W]) : pixels(&pixels[0][0]), width(W), height(H) {}
    uint32_t At(int x, int y) const { return pixels[y * width + x]; }

    const uint32_t* pixels;
    int width;
    int height;
};

// Every pixel of `canvas` against `expected(x, y)`: "" when all match,
// otherwise the first few that do not.
std::string Mismatches(const PictureCanvas& canvas, const std::function<uint32_t(int x, int y)>& expected);

// What drawing `picture` transparently with its top-left corner at `origin`
// and clipped to `clip` leaves on a canvas of colour `background`.
std::function<uint32_t(int x, int y)> DrawnOver(const Picture& picture, POINT origin, const RECT& clip, uint32_t background);
