// CStatic: a static control (text or picture) bound to an object.
#pragma once

#include "wnd.h"

class CStatic : public CWnd {
public:
    // Shows `bitmap` (the control must have SS_BITMAP); returns the previous one.
    HBITMAP SetBitmap(HBITMAP bitmap) const
    { return reinterpret_cast<HBITMAP>(SendMessage(STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap))); }
    HBITMAP GetBitmap() const
    { return reinterpret_cast<HBITMAP>(SendMessage(STM_GETIMAGE, IMAGE_BITMAP, 0)); }
};
