// The tray icon's popup menu as the tray program really tracks it, read by
// the menu probe inside the program: the items each display state and
// feature switch offers, their labels and order, the display-device choices
// and their radio mark, where the menu opens, the record it is built from
// (the primary display's, read for that click), and a program that goes on
// when the display state cannot be read.
#include <initializer_list>
#include <vector>

#include "os_service.h"
#include "resource_ids.h"
#include "tracked_menu.h"
#include "tray_fixture.h"

using testsupport::ResourceString;
using testsupport::WaitUntil;

namespace {

constexpr UINT kSep = kSeparatorEntry;
constexpr UINT kDevices = kSubmenuEntry;

enum class DeviceSubmenu { Kept, Removed };

// The popup: "Display Properties..." first, then `inserted`, then the
// template's tail (the device submenu with its separator where it is kept,
// and separator, help, about, exit).
std::vector<UINT> Popup(std::vector<UINT> inserted, DeviceSubmenu devices)
{
    std::vector<UINT> popup = { ID_TRAY_DISPLAY_PROPERTIES };
    popup.insert(popup.end(), inserted.begin(), inserted.end());
    if (devices == DeviceSubmenu::Kept)
        popup.insert(popup.end(), { kSep, kDevices });
    popup.insert(popup.end(), { kSep, ID_TRAY_HELP, ID_TRAY_ABOUT, ID_TRAY_EXIT });
    return popup;
}

// The device submenu of the template, in order.
const std::vector<UINT> kAllDeviceChoices = {
    ID_TRAY_DEVICES_LCD, ID_TRAY_DEVICES_CRT, ID_TRAY_DEVICES_TV, ID_TRAY_DEVICES_SECPANEL, kSep,
    ID_TRAY_DEVICES_LCD_CRT, ID_TRAY_DEVICES_LCD_TV, ID_TRAY_DEVICES_LCD_SECPANEL, ID_TRAY_DEVICES_CRT_TV,
    ID_TRAY_DEVICES_CRT_SECPANEL, ID_TRAY_DEVICES_TV_SECPANEL,
};

const std::vector<UINT> kAllRotationItems = { kSep, ID_TRAY_ROTATE_90, ID_TRAY_ROTATE_180, ID_TRAY_ROTATE_270 };

bool HasAnyOf(const TrackedMenu& menu, std::initializer_list<UINT> commands)
{
    for (UINT command : commands)
        if (menu.Has(command))
            return true;
    return false;
}

bool HasRotationItems(const TrackedMenu& menu)
{
    return HasAnyOf(menu, { ID_TRAY_ROTATE_90, ID_TRAY_ROTATE_180, ID_TRAY_ROTATE_270 });
}

class TrayPopup : public TrayProgram {
protected:
    // The popup the tray program tracks after a right click on its icon.
    TrackedMenu RightClick()
    {
        return OpenPopup(TrayWindow(), [this] { PostIconMessage(WM_RBUTTONUP); });
    }

    // What the driver reports for the display from now on; the popup reads
    // it afresh at every right click.
    void SetDisplay(UINT mode, UINT rotation, UINT deviceMask = SIM_OUTPUT_LCD | SIM_OUTPUT_CRT)
    {
        SimState state = State();
        state.adapters[0].mode = mode;
        state.adapters[0].values[SIM_VALUE_DEVICE_MASK] = deviceMask;
        state.devices[0].rotation = rotation;
        SetState(state);
    }

    // The header's feature switches, written after the tray program has
    // loaded them (a right click does not load them again).
    void EnableRotation(int rt90, int rt180, int rt270)
    {
        Header().enableRotation = 1;
        Header().enableRt90 = rt90;
        Header().enableRt180 = rt180;
        Header().enableRt270 = rt270;
    }
    void EnableDualModes(int dualView, int dualApp)
    {
        Header().enableDualView = dualView;
        Header().enableDualApp = dualApp;
    }
    void EnableOutputs(int crt, int tv, int secondaryPanel)
    {
        Header().enableCrt = crt;
        Header().enableTv = tv;
        Header().enableSecondaryPanel = secondaryPanel;
    }
    void EnableEverything()
    {
        EnableRotation(1, 1, 1);
        EnableDualModes(1, 1);
        EnableOutputs(1, 1, 1);
    }
};

} // namespace

// --- the fixed items -------------------------------------------------------

TEST_F(TrayPopup, APlainDisplayWithoutFeaturesShowsTheTemplate)
{
    ASSERT_TRUE(StartTray());
    EnableOutputs(1, 1, 1);
    const TrackedMenu menu = RightClick();
    ASSERT_TRUE(menu.Opened()) << menu;
    EXPECT_EQ(menu.TopLevelOrder(), Popup({}, DeviceSubmenu::Kept)) << menu;
    EXPECT_TRUE(menu.Items()[0].isDefault) << menu;
    EXPECT_EQ(menu.DeviceSubmenuOrder(), kAllDeviceChoices) << menu;
    const MenuItem* crtAndTv = menu.Find(ID_TRAY_DEVICES_CRT_TV);
    ASSERT_TRUE(crtAndTv) << menu;
    EXPECT_TRUE(crtAndTv->grayed) << "the CRT and TV pair only shows the state";
}

TEST_F(TrayPopup, WhileDisplayPropertiesAreOpenOnlyTheFixedItemsStay)
{
    ASSERT_TRUE(StartTray());
    EnableEverything();
    ShowPage(true);
    const struct {
        UINT mode;
        UINT rotation;
    } states[] = {
        { kModeSingle, kRotationNone }, { kModeSingle, kRotation90 }, { kModeDualView, kRotationNone },
        { kModeDualApp, kRotationNone }, { kModeDualMonitor, kRotationNone },
    };
    for (const auto& s : states) {
        SCOPED_TRACE(testing::Message() << "mode " << s.mode << " rotation " << s.rotation);
        SetDisplay(s.mode, s.rotation);
        const TrackedMenu menu = RightClick();
        ASSERT_TRUE(menu.Opened()) << menu;
        EXPECT_EQ(menu.TopLevelOrder(), Popup({}, DeviceSubmenu::Removed)) << menu;
        EXPECT_TRUE(menu.CheckedCommands().empty()) << menu;
    }
}

// --- rotation --------------------------------------------------------------

TEST_F(TrayPopup, AnUnrotatedDisplayOffersEachEnabledAngle)
{
    ASSERT_TRUE(StartTray());
    const struct {
        int rt90, rt180, rt270;
        std::vector<UINT> items;
    } cases[] = {
        { 1, 1, 1, kAllRotationItems },
        { 1, 0, 0, { kSep, ID_TRAY_ROTATE_90 } },
        { 0, 1, 0, { kSep, ID_TRAY_ROTATE_180 } },
        { 0, 0, 1, { kSep, ID_TRAY_ROTATE_270 } },
        { 1, 1, 0, { kSep, ID_TRAY_ROTATE_90, ID_TRAY_ROTATE_180 } },
        { 1, 0, 1, { kSep, ID_TRAY_ROTATE_90, ID_TRAY_ROTATE_270 } },
        { 0, 1, 1, { kSep, ID_TRAY_ROTATE_180, ID_TRAY_ROTATE_270 } },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "angles " << c.rt90 << c.rt180 << c.rt270);
        EnableRotation(c.rt90, c.rt180, c.rt270);
        const TrackedMenu menu = RightClick();
        ASSERT_TRUE(menu.Opened()) << menu;
        EXPECT_EQ(menu.TopLevelOrder(), Popup(c.items, DeviceSubmenu::Kept)) << menu;
        EXPECT_FALSE(menu.Has(ID_TRAY_NORMAL_STATE)) << menu;
    }
    EnableRotation(1, 1, 1);
    const TrackedMenu menu = RightClick();
    EXPECT_EQ(menu.Label(ID_TRAY_ROTATE_90), ResourceString(IDS_TRAY_ROTATE_90));
    EXPECT_EQ(menu.Label(ID_TRAY_ROTATE_180), ResourceString(IDS_TRAY_ROTATE_180));
    EXPECT_EQ(menu.Label(ID_TRAY_ROTATE_270), ResourceString(IDS_TRAY_ROTATE_270));

    Header().enableRotation = 0;
    EXPECT_FALSE(HasRotationItems(RightClick())) << "rotation switched off";
}

TEST_F(TrayPopup, RotationSwitchesComeFromTheOemSettings)
{
    SetOem("OEM", "EnableRotation", 1);
    SetOem("Rotation", "EnableRT180", 0);
    ASSERT_TRUE(StartTray());
    const TrackedMenu menu = RightClick();
    ASSERT_TRUE(menu.Opened()) << menu;
    EXPECT_EQ(menu.TopLevelOrder(), Popup({ kSep, ID_TRAY_ROTATE_90, ID_TRAY_ROTATE_270 }, DeviceSubmenu::Kept))
        << menu;
}

// On a rotated display the angles are offered only when at least two are
// enabled; the way back to normal always is.
TEST_F(TrayPopup, ARotatedDisplayOffersOtherAnglesOnlyWhenTwoAreEnabled)
{
    ASSERT_TRUE(StartTray());
    SetDisplay(kModeSingle, kRotation90);
    const struct {
        int rt90, rt180, rt270;
        std::vector<UINT> items;
    } cases[] = {
        { 1, 0, 0, { kSep, ID_TRAY_NORMAL_STATE } },
        { 0, 0, 1, { kSep, ID_TRAY_NORMAL_STATE } },
        { 1, 1, 0, { kSep, ID_TRAY_ROTATE_90, ID_TRAY_ROTATE_180, kSep, ID_TRAY_NORMAL_STATE } },
        { 0, 1, 1, { kSep, ID_TRAY_ROTATE_180, ID_TRAY_ROTATE_270, kSep, ID_TRAY_NORMAL_STATE } },
        { 1, 1, 1, { kSep, ID_TRAY_ROTATE_90, ID_TRAY_ROTATE_180, ID_TRAY_ROTATE_270, kSep, ID_TRAY_NORMAL_STATE } },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "angles " << c.rt90 << c.rt180 << c.rt270);
        EnableRotation(c.rt90, c.rt180, c.rt270);
        const TrackedMenu menu = RightClick();
        ASSERT_TRUE(menu.Opened()) << menu;
        EXPECT_EQ(menu.TopLevelOrder(), Popup(c.items, DeviceSubmenu::Kept)) << menu;
        EXPECT_EQ(menu.Label(ID_TRAY_NORMAL_STATE), ResourceString(IDS_TRAY_NORMAL_FROM_ROTATED));
    }
}

TEST_F(TrayPopup, EveryRotatedAngleOffersTheWayBackAndNoDualMode)
{
    ASSERT_TRUE(StartTray());
    EnableRotation(1, 0, 0);
    EnableDualModes(1, 1);
    for (UINT rotation : { kRotation90, kRotation180, kRotation270 }) {
        SCOPED_TRACE(testing::Message() << "rotation " << rotation);
        SetDisplay(kModeSingle, rotation);
        const TrackedMenu menu = RightClick();
        ASSERT_TRUE(menu.Opened()) << menu;
        EXPECT_EQ(menu.TopLevelOrder(), Popup({ kSep, ID_TRAY_NORMAL_STATE }, DeviceSubmenu::Kept)) << menu;
        EXPECT_EQ(menu.Label(ID_TRAY_NORMAL_STATE), ResourceString(IDS_TRAY_NORMAL_FROM_ROTATED));
    }
}

TEST_F(TrayPopup, DualViewAndDualApplicationOfferNoRotation)
{
    ASSERT_TRUE(StartTray());
    EnableEverything();
    for (UINT mode : { kModeDualView, kModeDualApp }) {
        SCOPED_TRACE(testing::Message() << "mode " << mode);
        SetDisplay(mode, kRotationNone);
        const TrackedMenu menu = RightClick();
        ASSERT_TRUE(menu.Opened()) << menu;
        EXPECT_FALSE(HasRotationItems(menu)) << menu;
    }
}

// Windows 98 cannot rotate a dual-monitor desktop; the other systems can.
TEST_F(TrayPopup, DualMonitorOffersRotationExceptOnWindows98)
{
    ASSERT_TRUE(StartTray());
    EnableEverything();
    SetDisplay(kModeDualMonitor, kRotationNone);
    Header().osClass = kOSWin98;
    TrackedMenu menu = RightClick();
    ASSERT_TRUE(menu.Opened()) << menu;
    EXPECT_EQ(menu.TopLevelOrder(), Popup({}, DeviceSubmenu::Removed)) << menu;

    for (int osClass : { kOSWin95, kOSWin2000, kOSWinXPServicePack }) {
        SCOPED_TRACE(testing::Message() << "OS class " << osClass);
        Header().osClass = osClass;
        menu = RightClick();
        EXPECT_EQ(menu.TopLevelOrder(), Popup(kAllRotationItems, DeviceSubmenu::Removed)) << menu;
    }

    SetDisplay(kModeDualMonitor, kRotation180);
    menu = RightClick();
    std::vector<UINT> rotated = kAllRotationItems;
    rotated.insert(rotated.end(), { kSep, ID_TRAY_NORMAL_STATE });
    EXPECT_EQ(menu.TopLevelOrder(), Popup(rotated, DeviceSubmenu::Removed)) << menu;
    EXPECT_EQ(menu.Label(ID_TRAY_NORMAL_STATE), ResourceString(IDS_TRAY_NORMAL_FROM_ROTATED));
}

// --- the display's mode ----------------------------------------------------

TEST_F(TrayPopup, DualViewOffersOnlyTheWayBackToNormal)
{
    Load("[Adapter0]\nDeviceMask=3\nMode=1\n");
    ASSERT_TRUE(StartTray());
    EnableEverything();
    const TrackedMenu menu = RightClick();
    ASSERT_TRUE(menu.Opened()) << menu;
    EXPECT_EQ(menu.TopLevelOrder(), Popup({ kSep, ID_TRAY_NORMAL_STATE }, DeviceSubmenu::Removed)) << menu;
    EXPECT_EQ(menu.Label(ID_TRAY_NORMAL_STATE), ResourceString(IDS_TRAY_NORMAL_FROM_DUALVIEW));
}

TEST_F(TrayPopup, DualApplicationOffersTheSwapsAndTheWayBack)
{
    Load("[Adapter0]\nDeviceMask=3\nMode=2\n");
    ASSERT_TRUE(StartTray());
    EnableEverything();
    const TrackedMenu menu = RightClick();
    ASSERT_TRUE(menu.Opened()) << menu;
    EXPECT_EQ(menu.TopLevelOrder(),
              Popup({ kSep, ID_TRAY_SWAP_APP_WINDOWS, ID_TRAY_SWAP_APP_DISPLAYS, kSep, ID_TRAY_NORMAL_STATE },
                    DeviceSubmenu::Removed))
        << menu;
    EXPECT_EQ(menu.Label(ID_TRAY_SWAP_APP_WINDOWS), ResourceString(IDS_TRAY_SWAP_APP_WINDOWS));
    EXPECT_EQ(menu.Label(ID_TRAY_SWAP_APP_DISPLAYS), ResourceString(IDS_TRAY_SWAP_APP_DISPLAYS));
    EXPECT_EQ(menu.Label(ID_TRAY_NORMAL_STATE), ResourceString(IDS_TRAY_NORMAL_FROM_DUALAPP));
}

TEST_F(TrayPopup, DualMonitorUnrotatedOffersNothingButTheFixedItems)
{
    Load("[Adapter0]\nDeviceMask=3\nMode=3\n");
    ASSERT_TRUE(StartTray());
    EnableDualModes(1, 1);
    EnableOutputs(1, 1, 1);
    const TrackedMenu menu = RightClick();
    ASSERT_TRUE(menu.Opened()) << menu;
    EXPECT_EQ(menu.TopLevelOrder(), Popup({}, DeviceSubmenu::Removed)) << menu;
}

TEST_F(TrayPopup, APlainDisplayOffersDualViewThenDualApplication)
{
    ASSERT_TRUE(StartTray());
    const struct {
        int rotation, dualView, dualApp;
        std::vector<UINT> items;
    } cases[] = {
        { 0, 1, 0, { kSep, ID_TRAY_DUALVIEW_ON } },
        { 0, 0, 1, { kSep, ID_TRAY_DUALAPP_ON } },
        { 0, 1, 1, { kSep, ID_TRAY_DUALVIEW_ON, kSep, ID_TRAY_DUALAPP_ON } },
        { 1, 1, 1, { kSep, ID_TRAY_ROTATE_90, ID_TRAY_ROTATE_180, ID_TRAY_ROTATE_270, kSep, ID_TRAY_DUALVIEW_ON, kSep,
                     ID_TRAY_DUALAPP_ON } },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "rotation " << c.rotation << " dual view " << c.dualView << " dual app "
                                        << c.dualApp);
        EnableRotation(1, 1, 1);
        Header().enableRotation = c.rotation;  // the angles stay enabled
        EnableDualModes(c.dualView, c.dualApp);
        const TrackedMenu menu = RightClick();
        ASSERT_TRUE(menu.Opened()) << menu;
        EXPECT_EQ(menu.TopLevelOrder(), Popup(c.items, DeviceSubmenu::Kept)) << menu;
    }
    const TrackedMenu menu = RightClick();
    EXPECT_EQ(menu.Label(ID_TRAY_DUALVIEW_ON), ResourceString(IDS_TRAY_DUALVIEW_ON));
    EXPECT_EQ(menu.Label(ID_TRAY_DUALAPP_ON), ResourceString(IDS_TRAY_DUALAPP_ON));
}

// --- the display-device choices --------------------------------------------

TEST_F(TrayPopup, DisabledOutputsTakeTheirChoicesAway)
{
    ASSERT_TRUE(StartTray());
    const struct {
        int crt, tv, secondaryPanel;
        std::vector<UINT> choices;
    } cases[] = {
        { 0, 1, 1, { ID_TRAY_DEVICES_LCD, ID_TRAY_DEVICES_TV, ID_TRAY_DEVICES_SECPANEL, kSep, ID_TRAY_DEVICES_LCD_TV,
                     ID_TRAY_DEVICES_LCD_SECPANEL, ID_TRAY_DEVICES_CRT_TV, ID_TRAY_DEVICES_TV_SECPANEL } },
        { 1, 0, 1, { ID_TRAY_DEVICES_LCD, ID_TRAY_DEVICES_CRT, ID_TRAY_DEVICES_SECPANEL, kSep, ID_TRAY_DEVICES_LCD_CRT,
                     ID_TRAY_DEVICES_LCD_SECPANEL, ID_TRAY_DEVICES_CRT_TV, ID_TRAY_DEVICES_CRT_SECPANEL } },
        { 1, 1, 0, { ID_TRAY_DEVICES_LCD, ID_TRAY_DEVICES_CRT, ID_TRAY_DEVICES_TV, kSep, ID_TRAY_DEVICES_LCD_CRT,
                     ID_TRAY_DEVICES_LCD_TV, ID_TRAY_DEVICES_CRT_TV } },
        { 0, 0, 1, { ID_TRAY_DEVICES_LCD, ID_TRAY_DEVICES_SECPANEL, kSep, ID_TRAY_DEVICES_LCD_SECPANEL,
                     ID_TRAY_DEVICES_CRT_TV } },
        { 0, 1, 0, { ID_TRAY_DEVICES_LCD, ID_TRAY_DEVICES_TV, kSep, ID_TRAY_DEVICES_LCD_TV, ID_TRAY_DEVICES_CRT_TV } },
        { 1, 0, 0, { ID_TRAY_DEVICES_LCD, ID_TRAY_DEVICES_CRT, kSep, ID_TRAY_DEVICES_LCD_CRT, ID_TRAY_DEVICES_CRT_TV } },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "CRT " << c.crt << " TV " << c.tv << " secondary panel " << c.secondaryPanel);
        EnableOutputs(c.crt, c.tv, c.secondaryPanel);
        const TrackedMenu menu = RightClick();
        ASSERT_TRUE(menu.Opened()) << menu;
        EXPECT_EQ(menu.TopLevelOrder(), Popup({}, DeviceSubmenu::Kept)) << menu;
        EXPECT_EQ(menu.DeviceSubmenuOrder(), c.choices) << menu;
    }
}

// With only the LCD panel left there is nothing to switch to: the submenu
// and its separator go, the items inserted before them and the last four
// stay.
TEST_F(TrayPopup, WithoutOutputsBesidesTheLcdTheDeviceSubmenuGoes)
{
    ASSERT_TRUE(StartTray());
    EnableOutputs(0, 0, 0);
    TrackedMenu menu = RightClick();
    ASSERT_TRUE(menu.Opened()) << menu;
    EXPECT_EQ(menu.TopLevelOrder(), Popup({}, DeviceSubmenu::Removed)) << menu;

    EnableRotation(1, 1, 1);
    menu = RightClick();
    EXPECT_EQ(menu.TopLevelOrder(), Popup(kAllRotationItems, DeviceSubmenu::Removed)) << menu;
}

TEST_F(TrayPopup, TheRadioMarkFollowsTheActiveOutputs)
{
    ASSERT_TRUE(StartTray());
    EnableOutputs(1, 1, 1);
    const struct {
        UINT mask;
        UINT marked;
    } cases[] = {
        { 1, ID_TRAY_DEVICES_LCD },           { 2, ID_TRAY_DEVICES_CRT },
        { 3, ID_TRAY_DEVICES_LCD_CRT },       { 4, ID_TRAY_DEVICES_TV },
        { 5, ID_TRAY_DEVICES_LCD_TV },        { 6, ID_TRAY_DEVICES_CRT_TV },
        { 7, ID_TRAY_DEVICES_LCD_CRT },       { 8, ID_TRAY_DEVICES_SECPANEL },
        { 9, ID_TRAY_DEVICES_LCD_SECPANEL },  { 10, ID_TRAY_DEVICES_CRT_SECPANEL },
        { 11, ID_TRAY_DEVICES_LCD_CRT },      { 12, ID_TRAY_DEVICES_TV_SECPANEL },
        { 13, ID_TRAY_DEVICES_LCD_TV },       { 14, ID_TRAY_DEVICES_LCD_CRT },
        { 15, ID_TRAY_DEVICES_LCD_CRT },      { 0, ID_TRAY_DEVICES_LCD_CRT },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "mask " << c.mask);
        SetDisplay(kModeSingle, kRotationNone, c.mask);
        const TrackedMenu menu = RightClick();
        ASSERT_TRUE(menu.Opened()) << menu;
        EXPECT_EQ(menu.CheckedCommands(), std::vector<UINT>{ c.marked }) << menu;
        const MenuItem* marked = menu.Find(c.marked);
        ASSERT_TRUE(marked) << menu;
        EXPECT_TRUE(marked->radio) << menu;
    }
}

// The mark is set over the device items that are left: it reaches the last
// of them whichever were removed, and it goes nowhere when the display's own
// choice was removed.
TEST_F(TrayPopup, TheRadioMarkFindsItsItemWhateverWasRemoved)
{
    ASSERT_TRUE(StartTray());
    const struct {
        int crt, tv, secondaryPanel;
        UINT mask;
        UINT marked;  // 0: no mark at all
    } cases[] = {
        { 1, 0, 0, 2, ID_TRAY_DEVICES_CRT },
        { 1, 0, 0, 1, ID_TRAY_DEVICES_LCD },
        { 1, 0, 0, 3, ID_TRAY_DEVICES_LCD_CRT },
        { 1, 0, 0, 6, ID_TRAY_DEVICES_CRT_TV },
        { 0, 1, 1, 12, ID_TRAY_DEVICES_TV_SECPANEL },
        { 0, 1, 1, 4, ID_TRAY_DEVICES_TV },
        { 1, 1, 0, 6, ID_TRAY_DEVICES_CRT_TV },
        { 0, 0, 1, 9, ID_TRAY_DEVICES_LCD_SECPANEL },
        { 0, 1, 1, 2, 0 },
        { 0, 1, 1, 7, 0 },
        { 1, 0, 1, 13, 0 },
        { 1, 0, 1, 12, 0 },
        { 1, 1, 0, 10, 0 },
        { 1, 1, 0, 8, 0 },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "CRT " << c.crt << " TV " << c.tv << " secondary panel " << c.secondaryPanel
                                        << " mask " << c.mask);
        EnableOutputs(c.crt, c.tv, c.secondaryPanel);
        SetDisplay(kModeSingle, kRotationNone, c.mask);
        const TrackedMenu menu = RightClick();
        ASSERT_TRUE(menu.Opened()) << menu;
        const std::vector<UINT> expected = c.marked ? std::vector<UINT>{ c.marked } : std::vector<UINT>{};
        EXPECT_EQ(menu.CheckedCommands(), expected) << menu;
    }
}

// --- where and when ----------------------------------------------------------

TEST_F(TrayPopup, OpensWhereTheCursorIs)
{
    ASSERT_TRUE(StartTray());
    for (POINT cursor : { POINT{ 300, 200 }, POINT{ 600, 420 } }) {
        SCOPED_TRACE(testing::Message() << "cursor " << cursor.x << "," << cursor.y);
        ASSERT_TRUE(SetCursorPos(cursor.x, cursor.y));
        const TrackedMenu menu = RightClick();
        ASSERT_TRUE(menu.Shown()) << menu;
        const RECT r = menu.ShownRect();
        EXPECT_TRUE(r.left <= cursor.x && cursor.x <= r.right && r.top <= cursor.y && cursor.y <= r.bottom)
            << "popup at " << r.left << "," << r.top << " - " << r.right << "," << r.bottom;
    }
}

// The display state cannot be read: the error is shown once, instead of the
// menu, and the program goes on with its icon and hook; the next click
// opens the menu.
TEST_F(TrayPopup, AnUnreadableDisplayStateIsShownOnceAndTheProgramGoesOn)
{
    HWND tray = StartTray();
    ASSERT_TRUE(tray);
    // The program adds its icon before it installs its hook.
    ASSERT_TRUE(WaitUntil([&] { return IsIconShown(tray) && Header().keyboardHook != 0; }));

    ASSERT_TRUE(SimSetEscapeFault(SIM_FN_STATUS, SIM_NO_ANSWER));
    const std::string expected = ErrorTextOf([&] {
        Hardware()->SelectDisplay(0, 0);
        Hardware()->RefreshDisplayState();
    });
    {
        MenuProbe probe(tray);
        ASSERT_TRUE(probe.Installed());
        PostIconMessage(WM_RBUTTONUP);
        EXPECT_EQ(TakeBox(), expected);
        EXPECT_FALSE(probe.ItemsReported()) << "no menu was tracked";
    }
    EXPECT_FALSE(expected.empty());
    EXPECT_EQ(Tray().Wait(0), STILL_ACTIVE);
    EXPECT_TRUE(IsIconShown(tray));
    EXPECT_NE(Header().keyboardHook, 0);

    ASSERT_TRUE(SimSetEscapeFault(SIM_FN_STATUS, 0));
    EXPECT_TRUE(RightClick().Opened());
}

// A display renamed while the program runs (the system's display
// configuration changed): the records are built afresh, the primary
// display is found again and the menu opens, without a word.  The test's
// own process takes no service meanwhile: a new service would rebuild the
// records itself.
TEST_F(TrayPopup, ARenamedDisplayIsFoundAgainAndTheMenuOpens)
{
    ASSERT_TRUE(StartTray());
    SimState state = State();
    lstrcpynA(state.devices[0].deviceName, "\\\\.\\DISPLAY7", sizeof(state.devices[0].deviceName));
    SetState(state);

    const TrackedMenu menu = RightClick();
    EXPECT_TRUE(menu.Opened()) << menu;
    EXPECT_EQ(Tray().Wait(0), STILL_ACTIVE);
    EXPECT_EQ(CountWindows(Tray().ProcessId(), "#32770"), 0);
}

// The shipped dual-monitor scenario, with the block built by the tray
// program itself (whose own selection is then the last display enumerated,
// not the primary one): the menu and its commands act on the primary
// display, so a rotation chosen from the menu has its way back in the next
// menu, and that way back rotates the display back.
TEST_F(TrayPopup, OnTwoMonitorsTheWayBackFromARotationReturnsToNormal)
{
    ASSERT_EQ(SimLoadScenario((testsupport::TestFolder() + "scenarios\\dual-monitor.ini").c_str()), 0);
    SetOem("OEM", "EnableRotation", 1);
    ASSERT_TRUE(StartTray());
    if (Header().osClass == kOSWin98)
        GTEST_SKIP() << "Windows 98 rotates no display of a dual-monitor desktop";

    TrackedMenu menu = RightClick();
    ASSERT_TRUE(menu.Opened()) << menu;
    ASSERT_TRUE(menu.Has(ID_TRAY_ROTATE_90)) << menu;
    Choose(ID_TRAY_ROTATE_90);
    ASSERT_EQ(State().devices[0].rotation, static_cast<DWORD>(kRotation90)) << "the primary display turned";
    EXPECT_EQ(State().devices[1].rotation, static_cast<DWORD>(kRotationNone));

    menu = RightClick();
    ASSERT_TRUE(menu.Opened()) << menu;
    EXPECT_EQ(menu.Label(ID_TRAY_NORMAL_STATE), ResourceString(IDS_TRAY_NORMAL_FROM_ROTATED)) << menu;

    SimClearJournal();
    Choose(ID_TRAY_NORMAL_STATE);
    EXPECT_EQ(State().devices[0].rotation, static_cast<DWORD>(kRotationNone));
    EXPECT_TRUE(TrayEscapes(SIM_FN_DUAL_VIEW).empty()) << "no dual-view request";
    EXPECT_EQ(CountWindows(Tray().ProcessId(), "#32770"), 0);
}
