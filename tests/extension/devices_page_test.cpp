// The display-devices page: its template follows the adapter's mode and the
// enabled arrangements, its boxes offer the devices the switches allow and
// put a choice right that the arrangement does not list, its slider names
// the rotation settings, Apply is on exactly while a choice differs from
// the adapter's state, and its button opens the advanced sheet over it.
#include <gtest/gtest.h>

#include <functional>

#include "devices_page.h"
#include "devices_page_driving.h"
#include "pages_fixture.h"

using devicespage::DualMonitor;
using devicespage::MoveSlider;
using devicespage::OneDisplay;
using sheetdriving::ApplyEnabled;
using sheetdriving::ChooseData;
using sheetdriving::SelectedData;
using testsupport::ResourceString;

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

struct OemKey {
    const char* section;
    const char* key;
    int value;
};

class DevicesPage : public ExtensionPages {
protected:
    // Shows the page for a scenario with the OEM keys set.
    HWND Open(const std::string& scenario, std::initializer_list<OemKey> keys)
    {
        // The records are built afresh for the scenario's displays once no
        // service of this process holds them.
        ReleaseHardware();
        Load(scenario);
        for (const OemKey& key : keys)
            SetOem(key.section, key.key, key.value);
        OpenDisplayProperties();
        return ShowDevicesPage();
    }
    HWND Sheet(HWND page) const { return GetParent(page); }
    // Dual view and dual application are offered on Windows NT 4.0 and 2000 only.
    bool DualArrangementsOffered() { return Header().enableDualView && Header().enableDualApp; }
};

bool Shown(HWND page, int id)
{
    return IsWindowVisible(GetDlgItem(page, id)) != FALSE;
}

bool Enabled(HWND page, int id)
{
    return IsWindowEnabled(GetDlgItem(page, id)) != FALSE;
}

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

TEST_F(DevicesPage, OffersTheCombinationsTheSwitchesAllow)
{
    struct Case {
        const char* name;
        std::string scenario;
        int crt, tv, secondaryPanel;  // switches
        std::vector<int> offered;     // item data of the combination box
        LRESULT selected;
    };
    const Case cases[] = {
        { "all enabled", OneDisplay(3), 1, 1, 1, { 1, 2, 4, 8, 9, 3, 5, 10, 12 }, 3 },
        { "CRT off", OneDisplay(5), 0, 1, 1, { 1, 4, 8, 9, 5, 12 }, 5 },
        { "TV off", OneDisplay(9), 1, 0, 1, { 1, 2, 8, 9, 3, 10 }, 9 },
        { "no secondary panel", OneDisplay(1), 1, 1, 0, { 1, 2, 4, 3, 5 }, 1 },
        // Each monitor shows one device.
        { "dual-monitor mode", DualMonitor(3), 1, 1, 1, { 1, 2, 4, 8 }, 1 },
        // A pair the arrangement does not list falls back to LCD and CRT...
        { "CRT and TV", OneDisplay(6), 1, 1, 1, { 1, 2, 4, 8, 9, 3, 5, 10, 12 }, 3 },
        // ... which shows no selection where the CRT is not offered.
        { "CRT and TV, CRT off", OneDisplay(6), 0, 1, 1, { 1, 4, 8, 9, 5, 12 }, -1 },
        { "no device", OneDisplay(0), 1, 1, 1, { 1, 2, 4, 8, 9, 3, 5, 10, 12 }, 3 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        HWND page = Open(c.scenario, { { "OEM", "EnableCRT", c.crt }, { "OEM", "EnableTV", c.tv },
                                       { "OEM", "EnableSecondaryPanel", c.secondaryPanel } });
        HWND box = GetDlgItem(page, IDC_DEVICES_COMBINATION);
        EXPECT_EQ(c.offered, ComboItemData(box));
        EXPECT_EQ(c.selected, SelectedData(box));
        EXPECT_TRUE(Shown(page, IDC_DEVICES_COMBINATION));
        EXPECT_FALSE(Shown(page, IDC_DEVICES_FIRST));
        CloseDisplayProperties();
    }
    // Names as the user reads them.
    HWND page = Open(OneDisplay(3), {});
    EXPECT_EQ(ResourceString(IDS_DEVICE_LCD) + " + " + ResourceString(IDS_DEVICE_CRT),
              sheetdriving::SelectedText(GetDlgItem(page, IDC_DEVICES_COMBINATION)));
}

TEST_F(DevicesPage, PairBoxesOfferTheEnabledDevicesAndFollowTheDeviceTheUserChanged)
{
    using Step = std::function<void(HWND page)>;
    struct Case {
        const char* name;
        int mode;       // of the loaded state, devices LCD and CRT
        int enableCrt;
        Step step;
        std::vector<int> firstOffered;
        std::vector<int> secondOffered;
        LRESULT first;  // selected afterwards
        LRESULT second;
    };
    const auto choose = [](int boxId, int data) {
        return [=](HWND page) { ASSERT_TRUE(ChooseData(page, boxId, data)); };
    };
    const Case cases[] = {
        { "dual view as loaded", 1, 1, [](HWND) {}, { 1 }, { 2, 4, 8 }, 1, 2 },
        { "dual view without CRT", 1, 0, [](HWND) {}, { 1 }, { 4, 8 }, 1, -1 },
        { "dual application as loaded", 2, 1, [](HWND) {}, { 1, 2, 4, 8 }, { 2, 4, 8, 1 }, 1, 2 },
        // (CRT, CRT) is not listed: the second follows the new first.
        { "first changed", 2, 1, choose(IDC_DEVICES_FIRST, 2), { 1, 2, 4, 8 }, { 2, 4, 8, 1 }, 2, 1 },
        // (LCD, LCD) is not listed: the first follows the new second.
        { "second changed", 2, 1, choose(IDC_DEVICES_SECOND, 1), { 1, 2, 4, 8 }, { 2, 4, 8, 1 }, 2, 1 },
        { "listed pair kept", 2, 1, choose(IDC_DEVICES_FIRST, 4), { 1, 2, 4, 8 }, { 2, 4, 8, 1 }, 4, 2 },
        // From a single device: the LCD keeps its place and gets the first partner.
        { "dual view chosen", 0, 1, [](HWND page) { testsupport::PressButton(page, IDC_DEVICES_DUALVIEW); },
          { 1 }, { 2, 4, 8 }, 1, 2 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        HWND page = Open(OneDisplay(c.mode == 0 ? 1 : 3, c.mode),
                         { { "OEM", "EnableDualView", 1 }, { "OEM", "EnableDualApp", 1 }, { "OEM", "EnableCRT", c.enableCrt } });
        if (!DualArrangementsOffered()) {
            CloseDisplayProperties();
            GTEST_SKIP() << "this Windows version has no dual view or dual application";
        }
        c.step(page);
        testsupport::FlushEvents();
        EXPECT_TRUE(Shown(page, IDC_DEVICES_FIRST));
        EXPECT_FALSE(Shown(page, IDC_DEVICES_COMBINATION));
        EXPECT_EQ(c.firstOffered, ComboItemData(GetDlgItem(page, IDC_DEVICES_FIRST)));
        EXPECT_EQ(c.secondOffered, ComboItemData(GetDlgItem(page, IDC_DEVICES_SECOND)));
        EXPECT_EQ(c.first, SelectedData(GetDlgItem(page, IDC_DEVICES_FIRST)));
        EXPECT_EQ(c.second, SelectedData(GetDlgItem(page, IDC_DEVICES_SECOND)));
        EXPECT_EQ(ResourceString(IDS_DEVICES_FIRST_DUAL), testsupport::ItemText(page, IDC_DEVICES_FIRST_LABEL));
        CloseDisplayProperties();
    }
}

TEST_F(DevicesPage, SliderNamesTheEnabledRotationSettings)
{
    const std::string plain = ResourceString(IDS_ROTATION_LABEL_NONE);
    const std::string rt90 = " " + ResourceString(IDS_ROTATION_LABEL_90);
    const std::string rt180 = ResourceString(IDS_ROTATION_LABEL_180);
    const std::string rt270 = ResourceString(IDS_ROTATION_LABEL_270);
    using testsupport::FormatResource;
    struct Case {
        int rt90, rt180, rt270;
        std::string text;
    };
    const Case cases[] = {
        { 1, 1, 1, FormatResource(IDS_FMT_ROTATION_4, plain.c_str(), rt90.c_str(), rt180.c_str(), rt270.c_str()) },
        { 1, 0, 0, FormatResource(IDS_FMT_ROTATION_2, plain.c_str(), rt90.c_str()) },
        { 0, 1, 0, FormatResource(IDS_FMT_ROTATION_2, plain.c_str(), rt180.c_str()) },
        { 0, 0, 1, FormatResource(IDS_FMT_ROTATION_2, plain.c_str(), rt270.c_str()) },
        { 1, 1, 0, FormatResource(IDS_FMT_ROTATION_3, plain.c_str(), rt90.c_str(), rt180.c_str()) },
        { 1, 0, 1, FormatResource(IDS_FMT_ROTATION_3, plain.c_str(), rt90.c_str(), rt270.c_str()) },
        { 0, 1, 1, FormatResource(IDS_FMT_ROTATION_3, plain.c_str(), rt180.c_str(), rt270.c_str()) },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("RT90 " + std::to_string(c.rt90) + " RT180 " + std::to_string(c.rt180) + " RT270 " +
                     std::to_string(c.rt270));
        HWND page = Open(OneDisplay(3), { { "OEM", "EnableRotation", 1 }, { "Rotation", "EnableRT90", c.rt90 },
                                          { "Rotation", "EnableRT180", c.rt180 }, { "Rotation", "EnableRT270", c.rt270 } });
        EXPECT_EQ(c.text, testsupport::ItemText(page, IDC_DEVICES_ROTATION_TEXT));
        EXPECT_EQ(c.rt90 + c.rt180 + c.rt270, SendDlgItemMessageA(page, IDC_DEVICES_ROTATION, TBM_GETRANGEMAX, 0, 0));
        CloseDisplayProperties();
    }
}

TEST_F(DevicesPage, PrimaryBoxIsOfferedOnlyUnderTheMakersSwitch)
{
    struct Case {
        const char* name;
        std::string scenario;
        int demo;
        bool shown;
        bool enabled;
        UINT checked;
    };
    const Case cases[] = {
        // The box shows the display's primary-device flag wherever it is.
        { "plain", OneDisplay(3), 0, false, false, BST_CHECKED },
        { "dual monitor", DualMonitor(3), 0, false, false, BST_CHECKED },
        { "dual monitor, switch set", DualMonitor(3), 1, true, true, BST_CHECKED },
        // The scan of the adapter's monitors finds the other one rotated.
        { "dual monitor, other monitor rotated", DualMonitor(3, 1), 1, true, false, BST_CHECKED },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        HWND page = Open(c.scenario, { { "OEM", "RazoroDemo", c.demo }, { "OEM", "EnableRotation", 1 } });
        EXPECT_EQ(c.shown, Shown(page, IDC_DEVICES_PRIMARY));
        EXPECT_EQ(c.enabled, Enabled(page, IDC_DEVICES_PRIMARY));
        EXPECT_EQ(c.checked, IsDlgButtonChecked(page, IDC_DEVICES_PRIMARY));
        CloseDisplayProperties();
    }
}

TEST_F(DevicesPage, ApplyIsOnExactlyWhileAChoiceDiffersFromTheAdapter)
{
    using Step = std::function<void(HWND page)>;
    const auto combination = [](int data) {
        return [=](HWND page) { ASSERT_TRUE(ChooseData(page, IDC_DEVICES_COMBINATION, data)); };
    };
    const auto slider = [](int position) { return [=](HWND page) { MoveSlider(page, position); }; };
    const auto primary = [](UINT check) {
        return [=](HWND page) {
            CheckDlgButton(page, IDC_DEVICES_PRIMARY, check);
            SendMessageA(page, WM_COMMAND, MAKEWPARAM(IDC_DEVICES_PRIMARY, BN_CLICKED),
                         reinterpret_cast<LPARAM>(GetDlgItem(page, IDC_DEVICES_PRIMARY)));
        };
    };
    struct Case {
        const char* name;
        std::string scenario;
        std::vector<std::pair<Step, bool>> steps;  // a step, then whether Apply is on
    };
    const Case cases[] = {
        { "devices", OneDisplay(3), { { combination(1), true }, { combination(3), false } } },
        { "rotation", OneDisplay(3), { { slider(1), true }, { slider(0), false } } },
        { "devices and rotation", OneDisplay(3),
          { { slider(3), true }, { combination(2), true }, { slider(0), true }, { combination(3), false } } },
        { "primary monitor", DualMonitor(3), { { primary(BST_UNCHECKED), true }, { primary(BST_CHECKED), false } } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        HWND page = Open(c.scenario, { { "OEM", "EnableRotation", 1 }, { "OEM", "RazoroDemo", 1 } });
        EXPECT_FALSE(ApplyEnabled(Sheet(page)));
        int step = 0;
        for (const auto& [action, applyOn] : c.steps) {
            SCOPED_TRACE("step " + std::to_string(++step));
            action(page);
            EXPECT_EQ(applyOn, ApplyEnabled(Sheet(page)));
        }
        CloseDisplayProperties();
    }
}
