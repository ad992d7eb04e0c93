#include "transparent_bitmap.h"

#include <algorithm>

#include "winapp.h"

namespace {

// Raster operation "destination AND NOT source".
constexpr DWORD kDestinationAndNotSource = 0x220326;

// Mono-to-colour blits turn 0 bits into a context's text colour and 1 bits
// into its background colour: black and white for the time of a scope, so
// that a mask means the same on any context a caller hands in.
class CMaskColours {
public:
    explicit CMaskColours(HDC dc)
        : m_dc(dc), m_text(SetTextColor(dc, RGB(0, 0, 0))), m_background(SetBkColor(dc, RGB(255, 255, 255))) {}
    ~CMaskColours()
    {
        SetBkColor(m_dc, m_background);
        SetTextColor(m_dc, m_text);
    }
    CMaskColours(const CMaskColours&) = delete;
    CMaskColours& operator=(const CMaskColours&) = delete;

private:
    HDC m_dc;
    COLORREF m_text;
    COLORREF m_background;
};

} // namespace

CTransparentBitmap::CTransparentBitmap(int id)
{
    if (id != -1)
        LoadPicture(static_cast<UINT>(id));
}

void CTransparentBitmap::LoadPicture(UINT id)
{
    m_bitmap.Reset();  // the old picture goes first, also when the new one fails
    m_bitmap.Reset(::LoadBitmapA(AfxGetResourceHandle(), MAKEINTRESOURCEA(id)));
    RedrawOverBackground();
}

void CTransparentBitmap::SetTransparentDrawing(bool on, int id)
{
    m_drawingOn = on;
    if (on && id == -1) {
        // The static control keeps the image it shows and frees it, or not,
        // as its system does: some free the image they loaded from their
        // template when they are destroyed, Wine's never does.  Owning a copy
        // means no handle is ever deleted twice, nothing is taken from under
        // the control, and what the control frees or keeps is as without us.
        HBITMAP shown = GetBitmap();
        m_bitmap.Reset(shown ? static_cast<HBITMAP>(CopyImage(shown, IMAGE_BITMAP, 0, 0, 0)) : nullptr);
    } else if (on) {
        LoadPicture(static_cast<UINT>(id));
        return;
    }
    RedrawOverBackground();
}

SIZE CTransparentBitmap::GetBitmapSize() const
{
    BITMAP info = {};
    if (!m_bitmap || !GetObjectA(m_bitmap, sizeof(info), &info))
        return { 0, 0 };
    return { info.bmWidth, info.bmHeight };
}

void CTransparentBitmap::Draw(HDC dc, const RECT& rect) const
{
    // Nothing is read beyond the picture: the rest of the rectangle stays.
    const SIZE picture = GetBitmapSize();
    const int w = std::min<int>(rect.right - rect.left, picture.cx);
    const int h = std::min<int>(rect.bottom - rect.top, picture.cy);
    if (w <= 0 || h <= 0)
        return;

    const CDCHandle source(CreateCompatibleDC(dc));
    const CDCHandle colour(CreateCompatibleDC(dc));
    const CDCHandle mask(CreateCompatibleDC(dc));
    const CBitmapHandle colourBitmap(CreateCompatibleBitmap(dc, w, h));
    const CBitmapHandle maskBitmap(CreateBitmap(w, h, 1, 1, nullptr));
    if (!source || !colour || !mask || !colourBitmap || !maskBitmap)
        return;
    // Declared after the bitmaps and contexts: undone before they are freed.
    const CSelectObject sourceSelection(source, m_bitmap);
    const CSelectObject colourSelection(colour, colourBitmap);
    const CSelectObject maskSelection(mask, maskBitmap);

    BitBlt(colour, 0, 0, w, h, source, 0, 0, SRCCOPY);
    // Colour to mono: pixels of the background colour become 1, the rest 0.
    const COLORREF background = SetBkColor(colour, m_keyColour);
    BitBlt(mask, 0, 0, w, h, colour, 0, 0, SRCCOPY);
    SetBkColor(colour, background);

    const CMaskColours targetColours(dc);
    BitBlt(dc, rect.left, rect.top, w, h, mask, 0, 0, SRCAND);             // opaque pixels turn black
    BitBlt(colour, 0, 0, w, h, mask, 0, 0, kDestinationAndNotSource);      // key pixels turn black
    BitBlt(dc, rect.left, rect.top, w, h, colour, 0, 0, SRCPAINT);         // opaque pixels appear
}

bool CTransparentBitmap::OnPaint()
{
    if (!m_drawingOn)
        return false;  // the static control paints as usual
    const CPaintDC dc(m_hWnd);
    RECT client;
    GetClientRect(&client);
    Draw(dc, client);
    return true;
}

void CTransparentBitmap::RedrawOverBackground() const
{
    // Where the picture is transparent the control paints nothing, so the
    // parent has to repaint what lies under the control first.
    HWND parent = m_hWnd ? GetParent() : nullptr;
    if (!parent)
        return;
    RECT area;
    GetWindowRect(m_hWnd, &area);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&area), 2);
    RedrawWindow(parent, &area, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}
