#include "devices_preview.h"

#include "framework.h"
#include "resource_ids.h"
#include "transparent_bitmap.h"

namespace {

const COLORREF kPreviewBackground = RGB(100, 100, 100);

// A picture-sized square whose left edge is at `left`, centred vertically
// in an area `height` high (area coordinates).
RECT PictureRect(int left, int height)
{
    const int top = (height - IDB_PREVIEW_SIZE) / 2;
    return { left, top, left + IDB_PREVIEW_SIZE, top + IDB_PREVIEW_SIZE };
}

void DrawPicture(HDC dc, UINT pictureId, const RECT& rect)
{
    const CTransparentBitmap picture(static_cast<int>(pictureId));
    picture.Draw(dc, rect);
}

} // namespace

void CDevicesPreview::SetArea(const RECT& area)
{
    m_area = area;
    const int w = area.right - area.left;
    const int h = area.bottom - area.top;
    const int firstLeft = (w / 2 - IDB_PREVIEW_SIZE) / 2;
    m_single = PictureRect((w - IDB_PREVIEW_SIZE) / 2, h);
    m_first = PictureRect(firstLeft, h);
    m_second = PictureRect(w / 2 + firstLeft, h);
}

void CDevicesPreview::Draw(HDC dc, int arrangement, const DeviceChoice& choice, bool twoImages) const
{
    const int w = m_area.right - m_area.left;
    const int h = m_area.bottom - m_area.top;
    if (w <= 0 || h <= 0)
        return;
    const CDCHandle memory(CreateCompatibleDC(dc));
    const CBitmapHandle canvas(CreateCompatibleBitmap(dc, w, h));
    if (!memory || !canvas)
        return;
    const CSelectObject selection(memory, canvas);

    RECT all = { 0, 0, w, h };
    const CBrushHandle background(CreateSolidBrush(kPreviewBackground));
    FillRect(memory, &all, background);
    DrawEdge(memory, &all, EDGE_SUNKEN, BF_LEFT | BF_BOTTOM);
    DrawEdge(memory, &all, EDGE_SUNKEN, BF_TOP | BF_RIGHT);

    if (twoImages && choice.second) {
        DrawPicture(memory, FirstPreviewPicture(arrangement, choice.first), m_first);
        DrawPicture(memory, SecondPreviewPicture(arrangement, choice.second), m_second);
    } else {
        DrawPicture(memory, FirstPreviewPicture(arrangement, choice.first), m_single);
    }
    BitBlt(dc, m_area.left, m_area.top, w, h, memory, 0, 0, SRCCOPY);
}
