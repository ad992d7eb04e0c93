// The display-devices page applies a choice through the feature services in
// the order the arrangements need, reports a failure in one box with the
// sheet left open, shows the truth afterwards, and paints its preview.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "devices_page_driving.h"
#include "pages_fixture.h"

using devicespage::ApplyAnswering;
using devicespage::DriverChanges;
using devicespage::DualMonitor;
using devicespage::MoveSlider;
using devicespage::OneDisplay;
using devicespage::Preview;
using sheetdriving::ApplyEnabled;
using sheetdriving::ChooseData;
using testsupport::PressButton;

namespace {

using Step = std::function<void(HWND page)>;

Step Combination(int data)
{
    return [=](HWND page) { ASSERT_TRUE(ChooseData(page, IDC_DEVICES_COMBINATION, data)); };
}

Step First(int data)
{
    return [=](HWND page) { ASSERT_TRUE(ChooseData(page, IDC_DEVICES_FIRST, data)); };
}

Step Slider(int position)
{
    return [=](HWND page) { MoveSlider(page, position); };
}

Step Click(int id)
{
    return [=](HWND page) {
        PressButton(page, id);
        testsupport::FlushEvents();
    };
}

Step Both(Step a, Step b)
{
    return [=](HWND page) {
        a(page);
        b(page);
    };
}

constexpr DWORD kRgbMask = 0x00FFFFFF;
constexpr DWORD kMagenta = 0x00FF00FF;
constexpr DWORD kGrey = 0x00646464;  // RGB(100, 100, 100)
constexpr int kEdge = 2;             // the sunken edge's width

class DevicesApply : public ExtensionPages {
protected:
    void TearDown() override
    {
        for (DWORD function = 0; function < SIM_FUNCTION_COUNT; ++function)
            SimSetEscapeFault(function, 0);
        ExtensionPages::TearDown();
    }

    HWND Open(const std::string& scenario, bool dualArrangements = false)
    {
        // The records are built afresh for the scenario's displays once no
        // service of this process holds them.
        ReleaseHardware();
        Load(scenario);
        SetOem("OEM", "EnableRotation", 1);
        SetOem("OEM", "EnableDualView", dualArrangements ? 1 : 0);
        SetOem("OEM", "EnableDualApp", dualArrangements ? 1 : 0);
        OpenDisplayProperties();
        return ShowDevicesPage();
    }
};

// Where a picture of the preview lies, as the page lays them out.
enum class Place { Single, First, Second };

POINT PictureOrigin(const Preview& preview, Place place)
{
    const int top = (preview.height - IDB_PREVIEW_SIZE) / 2;
    const int firstLeft = (preview.width / 2 - IDB_PREVIEW_SIZE) / 2;
    switch (place) {
    case Place::Single: return { (preview.width - IDB_PREVIEW_SIZE) / 2, top };
    case Place::First: return { firstLeft, top };
    default: return { preview.width / 2 + firstLeft, top };
    }
}

// The picture's opaque pixels are shown as they are; where it is magenta
// the grey background shows.  Returns the number of differing pixels.
int DifferencesFrom(const Preview& preview, UINT pictureId, Place place)
{
    const Preview picture = devicespage::LoadPicture(pictureId);
    EXPECT_EQ(IDB_PREVIEW_SIZE, picture.width) << "picture " << pictureId;
    const POINT origin = PictureOrigin(preview, place);
    int differences = 0;
    for (int y = 0; y < picture.height; ++y) {
        for (int x = 0; x < picture.width; ++x) {
            const int px = origin.x + x;
            const int py = origin.y + y;
            if (px < kEdge || py < kEdge || px >= preview.width - kEdge || py >= preview.height - kEdge)
                continue;
            const DWORD source = picture.At(x, y) & kRgbMask;
            const DWORD expected = source == kMagenta ? kGrey : source;
            if (preview.At(px, py) != expected)
                ++differences;
        }
    }
    return differences;
}

} // namespace

TEST_F(DevicesApply, AppliesInTheOrderTheArrangementsNeed)
{
    struct Case {
        const char* name;
        std::string scenario;
        bool dualArrangements;  // the case needs dual view or dual application
        Step step;
        std::vector<std::string> changes;
    };
    const Case cases[] = {
        { "devices", OneDisplay(3), false, Combination(1), { "switch 1" } },
        { "plain to rotated", OneDisplay(3), false, Slider(1), { "rotate 1", "mode 768x1024" } },
        // Only the new rotation is set.
        { "rotated to rotated", OneDisplay(3, 0, 1), false, Slider(2), { "rotate 3", "mode 1024x768" } },
        { "rotated to plain with other devices", OneDisplay(3, 0, 2), false, Both(Slider(0), Combination(1)),
          { "rotate 0", "mode 1024x768", "switch 1" } },
        // The rotation ends before dual view begins.
        { "rotated to dual view", OneDisplay(3, 0, 1), true, Click(IDC_DEVICES_DUALVIEW),
          { "rotate 0", "mode 1024x768", "dual view on" } },
        // The CRT first and the LCD second is the swapped pair.
        { "dual application, swapped pair", OneDisplay(3), true,
          Both(Click(IDC_DEVICES_DUALAPP), First(2)), { "switch 3", "dual app on, swapped 1", "mode 1600x600" } },
        { "dual application, pair in order", OneDisplay(1), true, Click(IDC_DEVICES_DUALAPP),
          { "switch 3", "dual app on, swapped 0", "mode 1600x600" } },
        { "dual application to dual view", OneDisplay(3, 2), true, Click(IDC_DEVICES_DUALVIEW),
          { "dual app off", "mode 800x600", "dual view on" } },
        // The dual monitor service chooses the pair: this primary monitor on
        // the TV, the other one keeps the CRT; the swap that puts the TV
        // first applies each monitor's mode again.
        { "dual-monitor devices", DualMonitor(3), false, Combination(4),
          { "switch 6", "swap 1", "mode 1024x768", "mode 1024x768" } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        HWND page = Open(c.scenario, c.dualArrangements);
        if (c.dualArrangements && !(Header().enableDualView && Header().enableDualApp)) {
            CloseDisplayProperties();
            continue;  // dual view and dual application exist on Windows NT 4.0 and 2000 only
        }
        HWND sheet = GetParent(page);
        c.step(page);
        ASSERT_TRUE(ApplyEnabled(sheet));
        SimClearJournal();
        EXPECT_EQ(std::vector<std::string>(), ApplyAnswering(sheet));
        EXPECT_EQ(c.changes, DriverChanges(Journal()));
        EXPECT_FALSE(ApplyEnabled(sheet));
        CloseDisplayProperties();
    }
}

TEST_F(DevicesApply, AFallbackTheSwitchesDoNotOfferChangesNoDevices)
{
    // CRT and TV, a pair no combination lists, with the CRT switched off:
    // LCD and CRT, the fallback, is not offered either.
    ReleaseHardware();
    Load(OneDisplay(6));
    SetOem("OEM", "EnableRotation", 1);
    SetOem("OEM", "EnableCRT", 0);
    OpenDisplayProperties();
    HWND page = ShowDevicesPage();
    HWND sheet = GetParent(page);
    EXPECT_EQ(-1, sheetdriving::SelectedData(GetDlgItem(page, IDC_DEVICES_COMBINATION)));
    EXPECT_FALSE(ApplyEnabled(sheet));
    Slider(1)(page);
    ASSERT_TRUE(ApplyEnabled(sheet));
    SimClearJournal();
    EXPECT_EQ(std::vector<std::string>(), ApplyAnswering(sheet));
    EXPECT_EQ((std::vector<std::string>{ "rotate 1", "mode 768x1024" }), DriverChanges(Journal()));
    CloseDisplayProperties();
}

TEST_F(DevicesApply, AFailedStepIsShownOnceAndTheSheetStaysOpen)
{
    struct Case {
        const char* name;
        std::string scenario;
        DWORD failingFunction;
        Step step;
        std::vector<std::string> changes;
        std::string box;
    };
    const Case cases[] = {
        { "rotation refused", OneDisplay(3), SIM_FN_ROTATE, Slider(1), { "rotate 1 refused" },
          "VQXPAGE: " + testsupport::ResourceString(454, 10) },
        // The devices are not switched after the rotation failed to end.
        { "later steps skipped", OneDisplay(3, 0, 1), SIM_FN_ROTATE, Both(Slider(0), Combination(1)),
          { "rotate 0 refused" }, "VQXPAGE: " + testsupport::ResourceString(454, 10) },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        HWND page = Open(c.scenario);
        HWND sheet = GetParent(page);
        const LRESULT loadedPosition = SendDlgItemMessageA(page, IDC_DEVICES_ROTATION, TBM_GETPOS, 0, 0);
        c.step(page);
        ASSERT_TRUE(SimSetEscapeFault(c.failingFunction, SIM_STATUS_INVALID));
        SimClearJournal();
        EXPECT_EQ(std::vector<std::string>{ c.box }, ApplyAnswering(sheet));
        EXPECT_EQ(c.changes, DriverChanges(Journal()));
        SimSetEscapeFault(c.failingFunction, 0);
        // The sheet stays, showing the adapter's state again.
        EXPECT_TRUE(IsWindow(sheet));
        EXPECT_EQ(page, reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0)));
        EXPECT_EQ(loadedPosition, SendDlgItemMessageA(page, IDC_DEVICES_ROTATION, TBM_GETPOS, 0, 0));
        EXPECT_EQ(3, sheetdriving::SelectedData(GetDlgItem(page, IDC_DEVICES_COMBINATION)));
        EXPECT_FALSE(ApplyEnabled(sheet));
        CloseDisplayProperties();
    }
}

TEST_F(DevicesApply, AnAdapterThatCannotBeReadLeavesTheControlsOff)
{
    Load(OneDisplay(3));
    // After the extension's check, before the page reads the adapter.
    OpenDisplayProperties([] { SimSetEscapeFault(SIM_FN_GET_VALUE, SIM_STATUS_INVALID); });
    HWND page = ShowDevicesPage();
    SimSetEscapeFault(SIM_FN_GET_VALUE, 0);
    for (int id : { IDC_DEVICES_COMBINATION, IDC_DEVICES_SINGLE, IDC_DEVICES_ADVANCED, IDC_DEVICES_INTRO }) {
        SCOPED_TRACE(id);
        EXPECT_TRUE(IsWindowVisible(GetDlgItem(page, id)));
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(page, id)));
    }
    // The last known state is still shown.
    EXPECT_EQ(3, sheetdriving::SelectedData(GetDlgItem(page, IDC_DEVICES_COMBINATION)));
    EXPECT_EQ(nullptr, sheetdriving::MessageBoxOfThisProcess());
}

TEST_F(DevicesApply, AScanStoppedByAnErrorLeavesTheProcessOnThePagesDisplay)
{
    // The page shows the second monitor; the scan for a rotated monitor
    // selects the first one, whose state then cannot be read.
    ReleaseHardware();
    Load(DualMonitor(3));
    SetOem("OEM", "EnableRotation", 1);
    OpenDisplayProperties({}, "\\\\.\\DISPLAY2");
    HWND page = ShowDevicesPage();
    ASSERT_TRUE(SimSetEscapeFault(SIM_FN_GET_VALUE, SIM_STATUS_INVALID));
    MoveSlider(page, 0);  // every choice shows the page again, and scans
    SimSetEscapeFault(SIM_FN_GET_VALUE, 0);
    DWORD adapter = 9;
    DWORD display = 9;
    Hardware()->GetSelectedDisplay(&adapter, &display);
    EXPECT_EQ(0u, adapter);
    EXPECT_EQ(1u, display) << "the process was left on another display than the page's";
    CloseDisplayProperties();
}

TEST_F(DevicesApply, PreviewShowsThePicturesOfTheChoiceWithMagentaLeftOut)
{
    struct Picture {
        UINT id;
        Place place;
    };
    struct Case {
        const char* name;
        std::string scenario;
        std::vector<Picture> pictures;
    };
    const Case cases[] = {
        { "one device", OneDisplay(1), { { IDB_PREVIEW_LCD, Place::Single } } },
        { "two devices", OneDisplay(3), { { IDB_PREVIEW_LCD, Place::First }, { IDB_PREVIEW_SECOND_CRT, Place::Second } } },
        { "rotated", OneDisplay(8, 0, 1), { { IDB_PREVIEW_SEC_90, Place::Single } } },
        { "TV and secondary panel", OneDisplay(12), { { IDB_PREVIEW_SEC, Place::First }, { IDB_PREVIEW_SECOND_TV, Place::Second } } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        HWND page = Open(c.scenario);
        const Preview preview = devicespage::PrintPreview(page);
        ASSERT_GE(preview.height, IDB_PREVIEW_SIZE);
        for (const Picture& picture : c.pictures)
            EXPECT_EQ(0, DifferencesFrom(preview, picture.id, picture.place)) << "picture " << picture.id;
        EXPECT_EQ(kGrey, preview.At(kEdge + 1, preview.height / 2));
        EXPECT_EQ(preview.pixels.end(), std::find(preview.pixels.begin(), preview.pixels.end(), kMagenta));
        CloseDisplayProperties();
    }
}
