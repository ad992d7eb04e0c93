// CTransparentBitmap: a picture control that draws a bitmap of the resource
// library with one key colour, magenta, left transparent, so that pictures
// drawn on a magenta background blend into the dialog behind them.
//
// In a dialog it is bound to an SS_BITMAP static control (DDX_Control or
// SubclassDlgItem) and paints itself while transparent drawing is on; while
// it is off, the static control paints as usual.  Without a window it only
// holds a picture: construct it with the bitmap's id and call Draw.
#pragma once

#include <windows.h>

#include "handles.h"
#include "static.h"

class CTransparentBitmap : public CStatic {
public:
    // Loads bitmap `id` from the module's resource handle; -1 loads nothing.
    explicit CTransparentBitmap(int id = -1);

    // Replaces the owned bitmap by bitmap `id` of the module's resource
    // handle (none when it cannot be loaded).
    void LoadPicture(UINT id);

    // On: the control draws its picture transparently from now on.  With
    // id -1 the picture is the bitmap the static control shows (from its
    // template or STM_SETIMAGE), otherwise bitmap `id` is loaded.
    // Off: the static control paints as usual; the owned bitmap is kept.
    void SetTransparentDrawing(bool on, int id = -1);

    // Draws the owned bitmap into `rect` of `dc`, read from its top-left
    // corner and not scaled; where the picture has the key colour, and where
    // `rect` reaches beyond the picture, `dc` keeps what it shows.
    void Draw(HDC dc, const RECT& rect) const;

    HBITMAP GetOwnedBitmap() const { return m_bitmap; }
    // The owned bitmap's size; 0 x 0 without one.
    SIZE GetBitmapSize() const;

protected:
    bool OnPaint() override;

private:
    // Has the parent repaint what lies under a shown control, then the control.
    void RedrawOverBackground() const;

    bool m_drawingOn = false;
    CBitmapHandle m_bitmap;
    COLORREF m_keyColour = RGB(255, 0, 255);  // magenta
};
