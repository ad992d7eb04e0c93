// The walk over every display of every adapter that the tray program makes
// to reach the system's primary display (one per adapter at most), and the
// refresh of their records before the menu or a command reads them.
#pragma once

#include <exception>

#include "hardware.h"

namespace tray {

// Calls `visit(adapter, display)` for each display record whose `primary`
// is set, in adapter and display order; `visit` returns false to stop the
// walk.  Counts and records are read through the hardware service, which
// refuses records outside the shared block.
template <class Visit>
void ForEachPrimaryDisplay(CHardware& hardware, Visit visit)
{
    const HardwareHeader* header = hardware.GetHeader(FALSE);
    const UINT adapters = header ? header->adapterCount : 0;
    for (UINT a = 0; a < adapters; ++a) {
        const UINT displays = hardware.GetAdapter(a, FALSE)->displayCount;
        for (UINT d = 0; d < displays; ++d) {
            if (hardware.GetDisplay(a, d, FALSE)->primary && !visit(a, d))
                return;
        }
    }
}

// Selects each primary display and brings its record up to date; the last
// of them stays selected, so that GetCurrentDisplay gives the record the
// menu and the commands act on.  A walk that fails may have met records of
// displays the system no longer has (one renamed, added or removed): the
// records are built afresh where that is so, and the walk is made once
// more.  The error of that second walk passes on, after the display that was
// selected before is selected again where this process is left without one.
void RefreshPrimaryDisplays(CHardware& hardware);

// Builds the records afresh where they describe displays the system no
// longer has, and selects each primary display again, the last of them
// staying selected; their state is not read.  For a request to the driver
// that failed through a display this process selected before the system's
// displays changed.
void SelectPrimaryDisplaysAgain(CHardware& hardware);

// Selects the display that was selected before again when the scope is left
// by an exception and the process has none selected (a selection that failed
// leaves none), so that it is selected before the error's box is shown:
// while the box waits for the user, the hot keys and the power watch of this
// process go on working on it.  A failure to select it is passed over.
class CSelectAgainOnFailure {
public:
    explicit CSelectAgainOnFailure(CHardware& hardware) : m_hardware(hardware), m_failures(std::uncaught_exceptions())
    {
        m_hardware.GetSelectedDisplay(&m_adapter, &m_display);
    }
    ~CSelectAgainOnFailure();
    CSelectAgainOnFailure(const CSelectAgainOnFailure&) = delete;
    CSelectAgainOnFailure& operator=(const CSelectAgainOnFailure&) = delete;

private:
    CHardware& m_hardware;
    int m_failures;
    DWORD m_adapter = 0;
    DWORD m_display = 0;
};

} // namespace tray
