// Drawing a bitmap with magenta as the transparent colour, the way the
// system's picture control does it, and loading pictures of the library.
#pragma once

#include <windows.h>

namespace gallery {

constexpr COLORREF kKeyColour = RGB(255, 0, 255);

// Draws `bitmap` (read from its top-left corner, not scaled) at (x, y) of dc,
// leaving dc untouched where the bitmap is magenta.
void DrawTransparent(HDC dc, int x, int y, HBITMAP bitmap);

// Makes static control `picture` (SS_BITMAP) draw its bitmap transparently
// over the background its dialog gives static controls.
void MakePictureTransparent(HWND picture);

// The size of a bitmap.
SIZE BitmapSize(HBITMAP bitmap);

}  // namespace gallery
