#include "primary_displays.h"

namespace tray {

namespace {

void SelectAndRefreshPrimaries(CHardware& hardware)
{
    ForEachPrimaryDisplay(hardware, [&hardware](UINT a, UINT d) {
        hardware.SelectDisplay(a, d);
        hardware.RefreshDisplayState();
        return true;
    });
}

} // namespace

void RefreshPrimaryDisplays(CHardware& hardware)
{
    CSelectAgainOnFailure selection(hardware);
    if (AfxRunQuietly([&hardware] { SelectAndRefreshPrimaries(hardware); }))
        return;
    hardware.RebuildIfChanged();
    SelectAndRefreshPrimaries(hardware);
}

void SelectPrimaryDisplaysAgain(CHardware& hardware)
{
    hardware.RebuildIfChanged();
    ForEachPrimaryDisplay(hardware, [&hardware](UINT a, UINT d) {
        hardware.SelectDisplay(a, d);
        return true;
    });
}

CSelectAgainOnFailure::~CSelectAgainOnFailure()
{
    if (std::uncaught_exceptions() <= m_failures)
        return;
    AfxRunQuietly([this] {
        if (!m_hardware.GetDisplayDC())
            m_hardware.SelectDisplay(m_adapter, m_display);
    });
}

} // namespace tray
