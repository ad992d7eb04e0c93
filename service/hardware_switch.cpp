// CHardware: switching the outputs that show the selected display, and the
// checks that go with it.
#include "hardware.h"

#include <cstring>

#include "base_exception.h"
#include "confirm_display_dialog.h"
#include "resource_ids.h"

namespace {

// Permitted pairs of outputs; the order decides ties.
struct OutputPair {
    uint8_t first, second;
};
const OutputPair kPermittedPairs[] = {
    { kOutputLcd, kOutputCrt },
    { kOutputLcd, kOutputTv },
    { kOutputLcd, kOutputSecondaryPanel },
    { kOutputCrt, kOutputTv },
    { kOutputSecondaryPanel, kOutputCrt },
    { kOutputSecondaryPanel, kOutputTv },
};

// The error reported when the driver refuses a switch to `mask`.
UINT SwitchError(UINT mask)
{
    switch (mask & 0xFF) {
    case 1: return IDS_ERR_SWITCH_LCD;
    case 2: return IDS_ERR_SWITCH_CRT;
    case 4: return IDS_ERR_SWITCH_TV;
    case 8: return IDS_ERR_SWITCH_SECPANEL;
    case 3: return IDS_ERR_SWITCH_LCD_CRT;
    case 5: return IDS_ERR_SWITCH_LCD_TV;
    case 9: return IDS_ERR_SWITCH_LCD_SECPANEL;
    case 10: return IDS_ERR_SWITCH_CRT_SECPANEL;
    case 12: return IDS_ERR_SWITCH_TV_SECPANEL;
    default: return IDS_ERR_SWITCH_OTHER;
    }
}

} // namespace

BOOL CHardware::IsModeLargerThanPanel(BOOL requireDevices)
{
    RefreshDisplayState();
    const DisplayRecord* d = GetCurrentDisplay();
    const AdapterRecord* a = GetCurrentAdapter();
    if (requireDevices && d->deviceMask == 0)
        return FALSE;
    if (d->height > d->width)
        return a->panelWidth < d->height || a->panelHeight < d->width;
    return a->panelWidth < d->width || a->panelHeight < d->height;
}

namespace {

// Function 5's answer to "is this output connected?".
template <class Hardware>
int AskAttached(Hardware& hardware, driver::SubFunction output)
{
    const DriverRequestBlock request = driver::MakeRequestBlock(output);
    try {
        DriverRequestBlock reply;
        hardware.DriverRequest(&request, &reply);
        return driver::ReadField<int32_t>(reply.bytes, driver::block::kAttached);
    } catch (CBaseException* e) {
        // A driver that cannot tell must not block a switch.
        e->Delete();
        return 1;
    }
}

} // namespace

int CHardware::IsCrtAttached()
{
    return AskAttached(*this, driver::kSubCrtAttached);
}

int CHardware::IsTvAttached()
{
    return AskAttached(*this, driver::kSubTvAttached);
}

int CHardware::GetPairOrder(UINT first, UINT second)
{
    for (const OutputPair& pair : kPermittedPairs) {
        if (pair.first == first && pair.second == second)
            return 0;
        if (pair.second == first && pair.first == second)
            return 1;
    }
    return -1;
}

void CHardware::SetDisplayDevices(UINT mask)
{
    const HardwareHeader* h = GetHeader(FALSE);
    const DisplayRecord* d = GetCurrentDisplay();
    RefreshDisplayState();
    const uint8_t old = d->deviceMask;
    mask &= 0xFF;

    if (d->rotation != kRotationNone && (old & (kOutputCrt | kOutputTv)) && IsModeLargerThanPanel(FALSE)) {
        if (mask & kOutputLcd)
            ThrowServiceError(IDS_ERR_LCD_TOO_SMALL, 0);
        if (mask & kOutputSecondaryPanel)
            ThrowServiceError(IDS_ERR_SECPANEL_TOO_SMALL, 0);
    }
    if ((mask & kOutputCrt) && h->crtDetection && IsCrtAttached() == 0)
        ThrowServiceError(IDS_ERR_NO_CRT, 0);
    if ((mask & kOutputTv) && h->tvDetection && IsTvAttached() == 0)
        ThrowServiceError(IDS_ERR_NO_TV, 0);

    Switch(mask, 0);
    if (h->dsMessage) {
        // Should this process end while the user decides, the guardian
        // undoes the switch.
        CSwitchGuard::CPending pending(m_switchGuard, DeviceName(*d), old);
        CConfirmDisplayDialog confirm(&pending);
        if (confirm.DoModal() != IDOK)
            Switch(old, 0);
    }
}

BOOL CHardware::UndoAbandonedSwitch()
{
    std::string deviceName;
    UINT previousMask = 0;
    bool undo = false;
    if (!m_switchGuard.TakeAbandoned(deviceName, previousMask, undo))
        return FALSE;
    // Kept by the user before the process ended: only the hot keys are left
    // to come back.
    if (!undo)
        return TRUE;
    DWORD adapter = 0, display = 0;
    GetSelectedDisplay(&adapter, &display);
    const bool wasSelected = static_cast<bool>(m_displayDC);
    SelectDisplayByName(deviceName.c_str());
    Switch(previousMask, 0);
    if (wasSelected)
        SelectDisplay(adapter, display);
    return TRUE;
}

int CHardware::SetDisplayDevicesDirect(UINT mask)
{
    try {
        SendEscape(driver::kFnSwitchOutputs, nullptr, mask & 0xFF, 1);
    } catch (CBaseException* e) {
        e->Delete();
        ThrowServiceError(IDS_ERR_SWITCH_OTHER, 0);
    }
    return 0;
}

void CHardware::Switch(UINT mask, DWORD modeWord)
{
    try {
        SendEscape(driver::kFnSwitchOutputs, nullptr, mask & 0xFF, modeWord);
    } catch (CBaseException* e) {
        e->Delete();
        ThrowServiceError(SwitchError(mask), driver::kFnSwitchOutputs);
    }
}

void CHardware::ReduceToOneOutput(DisplayRecord& d, const AdapterRecord& a)
{
    for (const OutputPair& pair : kPermittedPairs) {
        if ((d.deviceMask & pair.first) && (d.deviceMask & pair.second)) {
            const bool swapped = a.dualMonitorSwapped != 0;
            const bool primary = d.primary != 0;
            d.deviceMask = primary != swapped ? pair.first : pair.second;
            return;
        }
    }
    ThrowServiceError(IDS_ERR_DUALMON_NO_PAIR, 0);
}
