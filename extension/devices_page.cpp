#include "devices_page.h"

#include "additional_properties.h"
#include "base_exception.h"

namespace {

// The template for the adapter's state now.  Dual-monitor mode is asked of
// the driver; when it cannot say, the page is built for the other modes,
// which is the better guess than no page at all.
UINT CurrentDevicesPageTemplate()
{
    CHardware* hardware = ExtensionHardware();
    bool dualMonitorMode = false;
    AfxRunQuietly([&] { dualMonitorMode = hardware->IsDualMonitorMode() != FALSE; });
    return DevicesPageTemplate(dualMonitorMode, *hardware->GetHeader(FALSE));
}

} // namespace

const CommandEntry<CDispCtrl> CDispCtrl::kCommands[] = {
    { IDC_DEVICES_ADVANCED, BN_CLICKED, &CDispCtrl::OnAdvanced },
};

CDispCtrl::CDispCtrl(const std::string& deviceName) : CExtensionPage(CurrentDevicesPageTemplate(), deviceName) {}

bool CDispCtrl::OnCommand(UINT id, UINT code, HWND control)
{
    return DispatchCommand(this, kCommands, id, code) || CExtensionPage::OnCommand(id, code, control);
}

void CDispCtrl::OnAdvanced()
{
    // Another sheet of this process may have selected its own device since
    // this page became active: the advanced sheet works on this page's.
    SelectOwnDisplay();
    // What the sheet's pages did is theirs to show; its result is not used.
    CAdditionalProperties sheet(this);
    sheet.DoModal();
}
