#include "transparent_draw.h"

namespace gallery {

SIZE BitmapSize(HBITMAP bitmap)
{
    BITMAP info = {};
    GetObjectA(bitmap, sizeof(info), &info);
    return { info.bmWidth, info.bmHeight };
}

void DrawTransparent(HDC dc, int x, int y, HBITMAP bitmap)
{
    const SIZE size = BitmapSize(bitmap);
    HDC source = CreateCompatibleDC(dc);
    HDC colour = CreateCompatibleDC(dc);
    HDC mask = CreateCompatibleDC(dc);
    HBITMAP colourBitmap = CreateCompatibleBitmap(dc, size.cx, size.cy);
    HBITMAP maskBitmap = CreateBitmap(size.cx, size.cy, 1, 1, nullptr);
    HGDIOBJ oldSource = SelectObject(source, bitmap);
    HGDIOBJ oldColour = SelectObject(colour, colourBitmap);
    HGDIOBJ oldMask = SelectObject(mask, maskBitmap);

    BitBlt(colour, 0, 0, size.cx, size.cy, source, 0, 0, SRCCOPY);
    const COLORREF background = SetBkColor(colour, kKeyColour);
    BitBlt(mask, 0, 0, size.cx, size.cy, colour, 0, 0, SRCCOPY);  // 1 where magenta
    SetBkColor(colour, background);
    BitBlt(dc, x, y, size.cx, size.cy, mask, 0, 0, SRCAND);
    BitBlt(colour, 0, 0, size.cx, size.cy, mask, 0, 0, 0x220326);  // colour AND NOT mask
    BitBlt(dc, x, y, size.cx, size.cy, colour, 0, 0, SRCPAINT);

    SelectObject(mask, oldMask);
    SelectObject(colour, oldColour);
    SelectObject(source, oldSource);
    DeleteObject(maskBitmap);
    DeleteObject(colourBitmap);
    DeleteDC(mask);
    DeleteDC(colour);
    DeleteDC(source);
}

namespace {

const char kOriginalProc[] = "VqxGalleryProc";

// Paints the picture's bitmap transparently over the background its dialog
// gives static controls, as the system's picture control does.
LRESULT CALLBACK TransparentPictureProc(HWND picture, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto original = reinterpret_cast<WNDPROC>(GetPropA(picture, kOriginalProc));
    if (message == WM_PAINT) {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(picture, &paint);
        RECT client;
        GetClientRect(picture, &client);
        HBRUSH brush = reinterpret_cast<HBRUSH>(SendMessageA(GetParent(picture), WM_CTLCOLORSTATIC,
                                                             reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(picture)));
        FillRect(dc, &client, brush ? brush : GetSysColorBrush(COLOR_BTNFACE));
        if (HBITMAP bitmap = reinterpret_cast<HBITMAP>(SendMessageA(picture, STM_GETIMAGE, IMAGE_BITMAP, 0)))
            DrawTransparent(dc, 0, 0, bitmap);
        EndPaint(picture, &paint);
        return 0;
    }
    if (message == WM_ERASEBKGND)
        return 1;
    if (message == WM_NCDESTROY)
        RemovePropA(picture, kOriginalProc);
    return CallWindowProcA(original, picture, message, wParam, lParam);
}

}  // namespace

void MakePictureTransparent(HWND picture)
{
    if (GetPropA(picture, kOriginalProc))
        return;
    SetPropA(picture, kOriginalProc, reinterpret_cast<HANDLE>(GetWindowLongPtrA(picture, GWLP_WNDPROC)));
    SetWindowLongPtrA(picture, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(TransparentPictureProc));
    InvalidateRect(picture, nullptr, TRUE);
}

}  // namespace gallery
