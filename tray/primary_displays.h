// The walk over every display of every adapter that the tray program makes
// to reach the system's primary display (one per adapter at most).
#pragma once

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

} // namespace tray
