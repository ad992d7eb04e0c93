#include "dual_view.h"

#include "hardware.h"
#include "os_service.h"
#include "service_registry.h"

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
        const UINT pair = WithPartnerOutput(mask);
        m_pHardware->SetDisplayDevices(pair);
        // The user may have undone the change in the keep-or-undo dialog:
        // then dual view, which needs the two devices, is not requested.
        m_pHardware->RefreshDisplayState();
        if (m_pHardware->GetCurrentDisplay()->deviceMask != pair)
            return 0;
    }
    const UINT sizeCode = m_pHardware->Settings()->GetDualViewSecSize(0) & 0xFF;
    return m_pHardware->EnableDualViewMode(sizeCode, 1);
}
