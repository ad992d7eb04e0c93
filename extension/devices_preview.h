// CDevicesPreview: the picture of the display-devices page that shows the
// chosen devices in the chosen arrangement: a grey sunken area with one
// picture of a device, or two side by side.  It is drawn off screen and
// copied in one piece, so that a repaint does not flicker.
#pragma once

#include <windows.h>

#include "device_choices.h"

class CDevicesPreview {
public:
    // The area in the page's client coordinates; the pictures are centred
    // in it, alone or each in its half.
    void SetArea(const RECT& area);
    const RECT& Area() const { return m_area; }

    // Draws the preview onto `dc` at the area.  With `twoImages` and a
    // second device the two devices' pictures are shown, else the first
    // device's alone.
    void Draw(HDC dc, int arrangement, const DeviceChoice& choice, bool twoImages) const;

private:
    RECT m_area = {};
    RECT m_single = {};
    RECT m_first = {};
    RECT m_second = {};
};
