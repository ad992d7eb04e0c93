#include "rotation.h"

#include <algorithm>

#include "base_exception.h"
#include "hardware.h"
#include "os_service.h"
#include "resource_ids.h"
#include "service_registry.h"

namespace {

bool IsPortrait(UINT code)
{
    return code == kRotation90 || code == kRotation270;
}

// The platform's orientation value for a rotation code; the system takes
// it with a mode change only where it knows the field (OS class 6).
DWORD OrientationOf(UINT code, const HardwareHeader* header)
{
    if (!header || header->osClass != kOSWinXPServicePack)
        return DMDO_DEFAULT;
    switch (code) {
    case kRotation90: return DMDO_90;
    case kRotation270: return DMDO_270;
    case kRotation180: return DMDO_180;
    default: return DMDO_DEFAULT;
    }
}

} // namespace

CRotation* CRotation::Acquire()
{
    return AcquireService<CRotation>("CRotation");
}

void CRotation::SetRotation(UINT code)
{
    code &= 0xFF;
    const DisplayRecord* display = m_pHardware->GetCurrentDisplay();
    const HardwareHeader* header = m_pHardware->GetHeader(FALSE);
    // Refused before the driver hears of it: no desktop shape belongs to
    // an unknown code.
    if (code > kRotation180)
        ThrowServiceError(IDS_ERR_ARGUMENT_RANGE, 0);
    if (display->rotation == code)
        return;

    m_pHardware->SetDriverRotation(code);
    // The driver has turned the picture; read back the resolution it left.
    m_pHardware->RefreshModeList(display->deviceName);
    m_pHardware->RefreshDisplayState();

    const DWORD width = static_cast<DWORD>(display->width);
    const DWORD height = static_cast<DWORD>(display->height);
    const DWORD smaller = std::min(width, height);
    const DWORD larger = std::max(width, height);
    if (IsPortrait(code))
        m_pHardware->ChangeDisplayMode(display->deviceName, smaller, larger, OrientationOf(code, header));
    else
        m_pHardware->ChangeDisplayMode(display->deviceName, larger, smaller, OrientationOf(code, header));
}
