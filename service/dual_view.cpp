#include "dual_view.h"

#include "hardware.h"
#include "os_service.h"
#include "service_registry.h"

namespace {

int CountOutputs(UINT mask)
{
    int count = 0;
    for (UINT output : { kOutputLcd, kOutputCrt, kOutputTv, kOutputSecondaryPanel })
        count += (mask & output) ? 1 : 0;
    return count;
}

} // namespace

CDualView* CDualView::Acquire()
{
    return AcquireService<CDualView>("CDualView");
}

int CDualView::SetDualView(BOOL on)
{
    if (!on)
        return m_pHardware->DisableDualViewMode();

    m_pHardware->RefreshDisplayState();
    const UINT mask = m_pHardware->GetCurrentDisplay()->deviceMask;
    if (CountOutputs(mask) < 2) {
        // The LCD panel is the partner of any single device; when it is the
        // one already active, the CRT joins it.
        const UINT added = (mask & kOutputLcd) ? kOutputCrt : kOutputLcd;
        m_pHardware->SetDisplayDevices(mask | added);
        // The user may have undone the change in the keep-or-undo dialog:
        // then dual view, which needs the two devices, is not requested.
        m_pHardware->RefreshDisplayState();
        if (m_pHardware->GetCurrentDisplay()->deviceMask != (mask | added))
            return 0;
    }
    const UINT sizeCode = m_pHardware->Settings()->GetDualViewSecSize(0) & 0xFF;
    return m_pHardware->EnableDualViewMode(sizeCode, 1);
}
