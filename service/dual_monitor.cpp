#include "dual_monitor.h"

#include "base_exception.h"
#include "display_seam.h"
#include "hardware.h"
#include "optional_user32.h"
#include "os_service.h"
#include "resource_ids.h"
#include "service_registry.h"

namespace {

const int kAnyDevice = -1;

bool IsDeviceCode(int device)
{
    return device == kOutputLcd || device == kOutputCrt || device == kOutputTv || device == kOutputSecondaryPanel;
}

// Makes the system re-read the display settings stored in the registry,
// with the extended call where the system has it.
void ReloadDisplaySettings(COSService& settings)
{
    const auto changeDisplaySettingsEx = OptionalChangeDisplaySettingsEx(settings);
    if (changeDisplaySettingsEx.Get())
        changeDisplaySettingsEx.Get()(nullptr, nullptr, nullptr, 0, nullptr);
    else
        display::ChangeDisplaySettings(nullptr, 0);
}

// Runs `body`; when it throws, runs `undo` (whose own errors are dropped,
// so that the first failure is the one reported) and passes the error on.
template <class Body, class Undo>
void UndoOnFailure(Body&& body, Undo&& undo)
{
    try {
        body();
    } catch (...) {
        try {
            undo();
        } catch (CException* e) {
            e->Delete();
        } catch (...) {
        }
        throw;
    }
}

} // namespace

CDualMonitor* CDualMonitor::Acquire()
{
    return AcquireService<CDualMonitor>("CDualMonitor");
}

void CDualMonitor::SwapDualMonPrimary()
{
    m_pHardware->RefreshDisplayState();
    // Only a swap that was made is undone: a refused toggle changed nothing.
    m_pHardware->SetDualMonitorSwapped(m_pHardware->GetCurrentAdapter()->dualMonitorSwapped ? 0 : 1);
    UndoOnFailure(
        [this] {
            if (m_pHardware->GetCurrentDisplay()->mode != kModeDualMonitor)
                ThrowServiceError(IDS_ERR_DUALMON_NOT_ON, 0);
            ReapplyDisplayModes();
        },
        [this] { UndoSwap(); });
}

void CDualMonitor::UndoSwap()
{
    m_pHardware->SetDualMonitorSwapped(m_pHardware->GetCurrentAdapter()->dualMonitorSwapped ? 0 : 1);
}

void CDualMonitor::ReapplyDisplayModes()
{
    m_pHardware->GetHeader(TRUE);
    DWORD adapterIndex = 0, displayIndex = 0;
    m_pHardware->GetSelectedDisplay(&adapterIndex, &displayIndex);
    const AdapterRecord* adapter = m_pHardware->GetAdapter(adapterIndex, TRUE);

    COSService& settings = *m_pHardware->Settings();
    ReloadDisplaySettings(settings);
    for (UINT d = 0; d < adapter->displayCount; ++d) {
        const DisplayRecord* display = m_pHardware->GetDisplay(adapterIndex, d, TRUE);
        m_pHardware->RefreshModeList(display->deviceName);
        DEVMODEA current = {};
        current.dmSize = sizeof(current);
        if (!display::EnumDisplaySettings(display->deviceName, ENUM_CURRENT_SETTINGS, &current))
            ThrowServiceError(IDS_ERR_DUALMON_SETTINGS, static_cast<int>(d));
        m_pHardware->ChangeDisplayMode(display->deviceName, current.dmPelsWidth, current.dmPelsHeight,
                                       current.dmDisplayOrientation);
    }
    ReloadDisplaySettings(settings);
}

void CDualMonitor::ReadOutputsOfDisplays(int& primary, int& secondary)
{
    DWORD adapterIndex = 0, displayIndex = 0;
    m_pHardware->GetSelectedDisplay(&adapterIndex, &displayIndex);
    const AdapterRecord* adapter = m_pHardware->GetAdapter(adapterIndex, TRUE);
    // Each display must be selected to be asked; a failure on the way must
    // not leave this process without the display it had selected.
    const auto reselect = [&] { m_pHardware->SelectDisplay(adapterIndex, displayIndex); };
    UndoOnFailure(
        [&] {
            for (UINT d = 0; d < adapter->displayCount; ++d) {
                m_pHardware->SelectDisplay(adapterIndex, d);
                m_pHardware->RefreshDisplayState();
                const DisplayRecord* display = m_pHardware->GetCurrentDisplay();
                (display->primary ? primary : secondary) = display->deviceMask;
            }
        },
        reselect);
    reselect();
}

void CDualMonitor::SetDualMonDevices(int first, int second)
{
    m_pHardware->RefreshDisplayState();
    int primary = first;
    int secondary = second;
    if (!IsDeviceCode(first))
        first = kAnyDevice;
    if (!IsDeviceCode(second))
        second = kAnyDevice;
    if (m_pHardware->GetCurrentDisplay()->mode != kModeDualMonitor)
        ThrowServiceError(IDS_ERR_DUALMON_NOT_ON, 0);

    ReadOutputsOfDisplays(primary, secondary);
    if (first == kAnyDevice)
        first = primary == second ? secondary : primary;
    if (second == kAnyDevice)
        second = secondary == first ? primary : secondary;
    if (first == second)
        second = first == secondary ? primary : secondary;
    // Without two displays to ask, a device can stay unresolved: no such
    // mask goes to the driver.
    if (!IsDeviceCode(first) || !IsDeviceCode(second) || first == second)
        ThrowServiceError(IDS_ERR_DUALMON_NO_PAIR, 0);

    m_pHardware->SetDisplayDevices(static_cast<UINT>(first | second));

    const int order = m_pHardware->GetPairOrder(static_cast<UINT>(first), static_cast<UINT>(second));
    const bool swapped = m_pHardware->GetCurrentAdapter()->dualMonitorSwapped != 0;
    if ((order == 1 && !swapped) || (order == 0 && swapped))
        SwapDualMonPrimary();
}
