// CDispCtrl: the display-devices page that the extension adds to Display
// Properties.  It opens the advanced sheet (button 1252); like every page of
// the extension it counts as shown while it is the active page
// (CExtensionPage).
#pragma once

#include "extension_page.h"
#include "resource_ids.h"
#include "shared_records.h"

// The page's template: the dual-monitor one in dual-monitor mode, else the
// one whose controls offer exactly the header's enabled arrangements (dual
// application, dual view, rotation).  The page, the gallery and the tests
// all choose with this function.
constexpr UINT DevicesPageTemplate(bool dualMonitorMode, const HardwareHeader& header)
{
    if (dualMonitorMode)
        return IDD_DEVICES_DUALMON;
    // Indexed by DA * 4 + DV * 2 + RT.
    constexpr UINT kTemplates[8] = {
        IDD_DEVICES_PLAIN, IDD_DEVICES_RT, IDD_DEVICES_DV, IDD_DEVICES_DV_RT,
        IDD_DEVICES_DA, IDD_DEVICES_DA_RT, IDD_DEVICES_DA_DV, IDD_DEVICES_DA_DV_RT,
    };
    return kTemplates[(header.enableDualApp ? 4 : 0) + (header.enableDualView ? 2 : 0) +
                      (header.enableRotation ? 1 : 0)];
}

class CDispCtrl : public CExtensionPage {
public:
    explicit CDispCtrl(const std::string& deviceName);

protected:
    bool OnCommand(UINT id, UINT code, HWND control) override;

private:
    static const CommandEntry<CDispCtrl> kCommands[];

    void OnAdvanced();
};
