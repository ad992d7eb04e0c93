#include "dual_app.h"

#include "base_exception.h"
#include "dual_app_window.h"
#include "hardware.h"
#include "os_service.h"
#include "resource_ids.h"
#include "service_registry.h"
#include "window_choice_dialog.h"

namespace {

// A chosen window and the process that owned it when it was chosen.
struct ChosenWindow {
    HWND window;
    DWORD owner;
};

ChosenWindow Choose(HWND window)
{
    return { window, WindowOwner(window) };
}

// Where the settings keep what belongs to one half of the desktop.  The
// owner is kept beside the handle because a closed window's handle can be
// given to another program's window later.
struct HalfSettings {
    DWORD (COSService::*getWindow)(DWORD);
    void (COSService::*setWindow)(DWORD);
    LONG (COSService::*getRect)(RECT*);
    void (COSService::*setRect)(const RECT*);
    const char* ownerValue;
};

const HalfSettings kFirstHalf = {
    &COSService::GetDualAppPrimaryWindow, &COSService::SetDualAppPrimaryWindow,
    &COSService::GetDualAppPrimaryRect, &COSService::SetDualAppPrimaryRect, "DualAppPrimaryProcess",
};
const HalfSettings kSecondHalf = {
    &COSService::GetDualAppSecondaryWindow, &COSService::SetDualAppSecondaryWindow,
    &COSService::GetDualAppSecondaryRect, &COSService::SetDualAppSecondaryRect, "DualAppSecondaryProcess",
};

ChosenWindow ReadWindow(COSService& settings, const HalfSettings& half)
{
    return { SettingToWindow((settings.*half.getWindow)(0)), settings.ReadRegDword(half.ownerValue, 0) };
}

void StoreWindow(COSService& settings, const HalfSettings& half, const ChosenWindow& chosen)
{
    (settings.*half.setWindow)(WindowToSetting(chosen.window));
    settings.WriteRegDword(half.ownerValue, chosen.owner);
}

// The stored rectangle of a half; false when none (or an empty one) is
// stored, so that no window is ever shrunk to nothing.
bool ReadRect(COSService& settings, const HalfSettings& half, RECT& rect)
{
    rect = RECT{};
    return (settings.*half.getRect)(&rect) == ERROR_SUCCESS && !IsRectEmpty(&rect);
}

// A stored window may be moved only while it is still the chosen one and
// still fit for a half.
bool IsUsable(const ChosenWindow& chosen)
{
    return IsSameAppWindow(chosen.window, chosen.owner) && IsSuitableAppWindow(chosen.window);
}

void Place(const ChosenWindow& chosen, const RECT& rect)
{
    if (IsSameAppWindow(chosen.window, chosen.owner))
        PlaceAppWindow(chosen.window, rect);
}

} // namespace

CDualApp* CDualApp::Acquire()
{
    return AcquireService<CDualApp>("CDualApp");
}

void CDualApp::SetDualApp(BOOL on, UINT swapped)
{
    m_pHardware->RefreshDisplayState();
    const AdapterRecord* adapter = m_pHardware->GetCurrentAdapter();
    m_pDisplay = m_pHardware->GetCurrentDisplay();
    const LONG panelWidth = adapter->panelWidth;
    const LONG panelHeight = adapter->panelHeight;

    if (!on) {
        m_pHardware->DisableDualAppMode();
        m_pHardware->ChangeDisplayMode(nullptr, panelWidth, panelHeight, 0);
        return;
    }
    if (m_pDisplay->mode == kModeDualApp)
        ThrowServiceError(IDS_ERR_DUALAPP_ALREADY_ON, 0);

    CWindowChoiceDialog dialog;
    if (dialog.DoModal() != IDOK)
        return;
    const ChosenWindow first = Choose(dialog.m_firstWindow);
    const ChosenWindow second = Choose(dialog.m_secondWindow);

    // The driver shows the two halves on two outputs.
    const UINT mask = m_pDisplay->deviceMask;
    if (CountOutputs(mask) < 2)
        m_pHardware->SetDisplayDevices(WithPartnerOutput(mask));

    m_pHardware->EnableDualAppMode(swapped & 0xFF);
    m_pHardware->ChangeDisplayMode(nullptr, 2 * panelWidth, panelHeight, 0);

    // Each half is the work area's height and one panel wide.
    RECT workArea = {};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &workArea, 0);
    const RECT firstRect = { workArea.left, workArea.top, panelWidth, workArea.bottom };
    RECT secondRect = firstRect;
    OffsetRect(&secondRect, panelWidth, 0);

    COSService& settings = *m_pHardware->Settings();
    StoreWindow(settings, kFirstHalf, first);
    (settings.*kFirstHalf.setRect)(&firstRect);
    StoreWindow(settings, kSecondHalf, second);
    (settings.*kSecondHalf.setRect)(&secondRect);

    Place(first, firstRect);
    Place(second, secondRect);
}

void CDualApp::SwapDualAppDisplays()
{
    RequireDualAppMode();
    const AdapterRecord* adapter = m_pHardware->GetCurrentAdapter();
    m_pHardware->DisableDualAppMode();
    m_pHardware->EnableDualAppMode(1);
    m_pHardware->ChangeDisplayMode(nullptr, 2 * adapter->panelWidth, adapter->panelHeight, 0);
}

void CDualApp::SwapDualAppWindows()
{
    RequireDualAppMode();
    COSService& settings = *m_pHardware->Settings();
    const ChosenWindow first = ReadWindow(settings, kFirstHalf);
    const ChosenWindow second = ReadWindow(settings, kSecondHalf);
    if (!first.window && !second.window)
        ThrowServiceError(IDS_ERR_DUALAPP_NO_WINDOWS, 0);
    for (const ChosenWindow& chosen : { first, second })
        if (chosen.window && !IsUsable(chosen))
            ThrowServiceError(IDS_ERR_DUALAPP_WINDOW_GONE, 0);

    RECT firstRect, secondRect;
    if (!ReadRect(settings, kFirstHalf, firstRect) || !ReadRect(settings, kSecondHalf, secondRect))
        ThrowServiceError(IDS_ERR_DUALAPP_NO_WINDOWS, 0);

    Place(first, secondRect);
    Place(second, firstRect);
    StoreWindow(settings, kFirstHalf, second);
    StoreWindow(settings, kSecondHalf, first);
}

void CDualApp::RequireDualAppMode()
{
    m_pHardware->RefreshDisplayState();
    if (m_pHardware->GetCurrentDisplay()->mode != kModeDualApp)
        ThrowServiceError(IDS_ERR_DUALAPP_NOT_ON, 0);
}
