// The display-devices page as far as it goes now: its template follows the
// adapter's mode and the enabled arrangements, and its button opens the
// advanced sheet over it.
#include <gtest/gtest.h>

#include "devices_page.h"
#include "pages_fixture.h"

namespace {

bool HasControl(HWND dialog, int id)
{
    return GetDlgItem(dialog, id) != nullptr;
}

// What a template offers, read from its controls.
struct Offer {
    bool dualView;
    bool dualApp;
    bool rotation;
    bool devicePair;  // the first and second device boxes
};

Offer OfferOf(HWND page)
{
    return { HasControl(page, IDC_DEVICES_DUALVIEW), HasControl(page, IDC_DEVICES_DUALAPP),
             HasControl(page, IDC_DEVICES_ROTATION), HasControl(page, IDC_DEVICES_FIRST) };
}

void ExpectOffer(const Offer& expected, HWND page)
{
    const Offer offer = OfferOf(page);
    EXPECT_EQ(expected.dualView, offer.dualView);
    EXPECT_EQ(expected.dualApp, offer.dualApp);
    EXPECT_EQ(expected.rotation, offer.rotation);
    EXPECT_EQ(expected.devicePair, offer.devicePair);
    EXPECT_TRUE(HasControl(page, IDC_DEVICES_ADVANCED));
}

// What the page must offer: in dual-monitor mode one device and rotation,
// else exactly the enabled arrangements.
Offer ExpectedOffer(bool dualMonitorMode, const HardwareHeader& header)
{
    if (dualMonitorMode)
        return { false, false, true, false };
    return { header.enableDualView != 0, header.enableDualApp != 0, header.enableRotation != 0, true };
}

// A template of the resource library made into a window, to read its
// controls; page templates are child dialogs, so it gets a hidden parent.
class TemplateWindow {
public:
    explicit TemplateWindow(UINT templateId)
    {
        m_parent = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
        m_dialog = CreateDialogParamA(GetModuleHandleA("VQXRES.DLL"), MAKEINTRESOURCEA(templateId), m_parent,
                                      &TemplateWindow::Procedure, 0);
    }
    ~TemplateWindow() { DestroyWindow(m_parent); }
    TemplateWindow(const TemplateWindow&) = delete;
    TemplateWindow& operator=(const TemplateWindow&) = delete;
    HWND Handle() const { return m_dialog; }

private:
    static INT_PTR CALLBACK Procedure(HWND, UINT, WPARAM, LPARAM) { return FALSE; }
    HWND m_parent = nullptr;
    HWND m_dialog = nullptr;
};

class DevicesPage : public ExtensionPages {};

} // namespace

TEST_F(DevicesPage, EachTemplateChoiceOffersExactlyTheEnabledArrangements)
{
    ASSERT_NE(nullptr, GetModuleHandleA("VQXRES.DLL"));
    for (int bits = 0; bits < 16; ++bits) {
        HardwareHeader header = {};
        header.enableDualApp = (bits & 1) != 0;
        header.enableDualView = (bits & 2) != 0;
        header.enableRotation = (bits & 4) != 0;
        const bool dualMonitorMode = (bits & 8) != 0;
        SCOPED_TRACE("DA " + std::to_string(header.enableDualApp) + " DV " + std::to_string(header.enableDualView) +
                     " RT " + std::to_string(header.enableRotation) + " dual monitor " +
                     std::to_string(dualMonitorMode));
        const TemplateWindow page(DevicesPageTemplate(dualMonitorMode, header));
        ASSERT_NE(nullptr, page.Handle());
        ExpectOffer(ExpectedOffer(dualMonitorMode, header), page.Handle());
    }
}

TEST_F(DevicesPage, IsBuiltForTheSwitchesAndTheModeTheExtensionFound)
{
    const char kDualMonitor[] =
        "[Adapter0]\nMode=3\nDeviceMask=3\n"
        "[Device0]\nName=\\\\.\\DISPLAY1\nPrimary=1\n[Device1]\nName=\\\\.\\DISPLAY2\nPrimary=0\n";
    struct Case {
        const char* name;
        const char* scenario;
        int switches;  // EnableDualApp, EnableDualView, EnableRotation
        bool dualMonitorMode;
    };
    const Case cases[] = {
        { "all arrangements", kOneDisplay, 1, false },
        { "plain", kOneDisplay, 0, false },
        { "dual monitor", kDualMonitor, 1, true },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Load(c.scenario);
        for (const char* key : { "EnableDualApp", "EnableDualView", "EnableRotation" })
            SetOem("OEM", key, c.switches);
        OpenDisplayProperties();
        // Dual application and dual view are switched on only where the
        // system allows them; the header holds what the extension found.
        ExpectOffer(ExpectedOffer(c.dualMonitorMode, Header()), ShowDevicesPage());
        CloseDisplayProperties();
    }
}

TEST_F(DevicesPage, OpensTheAdvancedSheetOverItself)
{
    SetOem("OEM", "EnableReduceOn", 1);
    OpenDisplayProperties();
    HWND devicesPage = ShowDevicesPage();
    bool pageEnabled = true;
    WithAdvancedSheet([&](HWND) { pageEnabled = IsWindowEnabled(devicesPage) != FALSE; });
    // A modal sheet disables its parent while it runs.
    EXPECT_FALSE(pageEnabled);
    EXPECT_TRUE(IsWindowEnabled(devicesPage));
}
