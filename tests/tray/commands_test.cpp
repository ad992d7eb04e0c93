// The tray menu's commands: what each one asks of the driver, and how a
// failure reaches the user (one box captioned "VQXTRAY", the program going on).
#include "tray_fixture.h"

#include "os_service.h"
#include "resource_ids.h"
#include "tray_device_commands.h"

using testsupport::WaitForDialog;
using testsupport::WaitUntil;

namespace {

// Every output can be shown: CRT and TV attached, secondary panel supported.
const char kAllOutputs[] =
    "[Adapter0]\n"
    "DeviceMask=3\n"
    "CrtAttached=1\n"
    "TvAttached=1\n"
    "[Device0]\n";

// Two adapters whose displays both count as primary: the device commands
// switch both.
const char kTwoPrimaries[] =
    "[Adapter0]\n"
    "DeviceMask=3\n"
    "[Adapter1]\n"
    "SubsystemId=0x2201\n"
    "DeviceMask=3\n"
    "[Device0]\n"
    "Adapter=0\n"
    "Primary=1\n"
    "[Device1]\n"
    "Adapter=1\n"
    "Primary=1\n";

std::string Scenario(const char* adapterLines, const char* deviceLines = "")
{
    return std::string("[Adapter0]\n") + adapterLines + "[Device0]\n" + deviceLines;
}

} // namespace

class TrayCommands : public TrayProgram {
protected:
    // Starts the tray program on `scenario` with the features on.
    void StartOn(const std::string& scenario)
    {
        Load(scenario);
        SetOem("OEM", "EnableRotation", 1);
        SetOem("OEM", "EnableDualView", 1);
        SetOem("OEM", "EnableDualApp", 1);
        ASSERT_TRUE(StartTray());
        SimClearJournal();
    }
};

TEST_F(TrayCommands, EachDeviceChoiceSwitchesThePrimaryDisplayToItsOutputs)
{
    StartOn(kAllOutputs);
    for (const TrayDeviceCommand& choice : kTrayDeviceCommands) {
        SimClearJournal();
        Choose(choice.command);
        const auto switches = TrayEscapes(SIM_FN_SWITCH);
        if (!choice.choosable) {
            EXPECT_TRUE(switches.empty()) << choice.command << " only shows the state";
            continue;
        }
        ASSERT_EQ(switches.size(), 1u) << choice.command;
        EXPECT_EQ(switches[0].request[1], choice.mask) << choice.command;
        EXPECT_STREQ(switches[0].deviceName, "\\\\.\\DISPLAY1");
    }
    EXPECT_EQ(CountWindows(Tray().ProcessId(), "#32770"), 0);
}

TEST_F(TrayCommands, RotationItemsRotateByTheirAngles)
{
    const struct {
        UINT command;
        BYTE code;
    } rotations[] = { { ID_TRAY_ROTATE_90, 1 }, { ID_TRAY_ROTATE_180, 3 }, { ID_TRAY_ROTATE_270, 2 } };
    StartOn(kOneDisplay);
    for (const auto& r : rotations) {
        SimClearJournal();
        Choose(r.command);
        const auto rotates = TrayEscapes(SIM_FN_ROTATE);
        ASSERT_EQ(rotates.size(), 1u) << r.command;
        EXPECT_EQ(SIM_REQUEST_BYTE(&rotates[0], 4), r.code) << r.command;
        Choose(ID_TRAY_NORMAL_STATE);  // back, for the next angle
    }
}

// The OEM switch is on, but the program's start leaves dual view on only on
// NT 4 and 2000: there the command switches it on, elsewhere the menu never
// offers it and the command does nothing.
TEST_F(TrayCommands, DualViewItemSwitchesDualViewOn)
{
    StartOn(kOneDisplay);
    const int osClass = Header().osClass;
    Choose(ID_TRAY_DUALVIEW_ON);
    const auto dualView = TrayEscapes(SIM_FN_DUAL_VIEW);
    if (osClass != kOSWinNT4 && osClass != kOSWin2000) {
        EXPECT_EQ(Header().enableDualView, 0);
        EXPECT_TRUE(dualView.empty()) << "no dual view on OS class " << osClass;
        return;
    }
    ASSERT_EQ(dualView.size(), 1u);
    EXPECT_EQ(SIM_REQUEST_BYTE(&dualView[0], 4), 1);
}

// The normal-state item undoes what the display's fresh state shows.
TEST_F(TrayCommands, NormalStateUndoesRotationDualViewOrDualApplication)
{
    const struct {
        std::string scenario;
        DWORD function;
    } cases[] = {
        { Scenario("DeviceMask=3\n", "Rotation=1\n"), 10 },
        { Scenario("DeviceMask=3\nMode=1\n"), 11 },
        { Scenario("DeviceMask=3\nMode=2\n"), 12 },
    };
    for (const auto& c : cases) {
        StartOn(c.scenario);
        Choose(ID_TRAY_NORMAL_STATE);
        const auto undo = TrayEscapes(c.function);
        ASSERT_EQ(undo.size(), 1u) << c.scenario;
        EXPECT_EQ(SIM_REQUEST_BYTE(&undo[0], 4), 0) << c.scenario;
        EXPECT_EQ(CountWindows(Tray().ProcessId(), "#32770"), 0) << c.scenario;
        ASSERT_EQ(ExitTray(), 0u);
    }
}

TEST_F(TrayCommands, AFailedSwitchShowsTheErrorOnceAndTheProgramGoesOn)
{
    StartOn(kAllOutputs);
    SimSetEscapeFault(SIM_FN_SWITCH, SIM_STATUS_NOT_CONNECTED);
    const std::string expected = ErrorTextOf([&] {
        Hardware()->SelectDisplay(0, 0);
        Hardware()->SetDisplayDevices(2);
    });
    SimClearJournal();
    Choose(ID_TRAY_DEVICES_CRT);
    EXPECT_EQ(TakeBox(), expected);
    EXPECT_FALSE(expected.empty());

    SimSetEscapeFault(SIM_FN_SWITCH, 0);
    Choose(ID_TRAY_DEVICES_LCD);
    EXPECT_EQ(TrayEscapes(SIM_FN_SWITCH).size(), 2u) << "the program is still there";
}

TEST_F(TrayCommands, AFailedRotationShowsTheErrorOnce)
{
    StartOn(kOneDisplay);
    SimSetEscapeFault(SIM_FN_ROTATE, SIM_STATUS_NOT_NOW);
    Choose(ID_TRAY_ROTATE_90);
    const std::string text = TakeBox();
    EXPECT_NE(text, "");
    EXPECT_NE(text, testsupport::ResourceString(IDS_TRAY_FEATURE_FAILED)) << "the service's own error text is shown";
}

TEST_F(TrayCommands, AFailedSwitchOfTheFirstPrimaryDisplayLeavesTheSecondAlone)
{
    StartOn(kTwoPrimaries);
    SimSetEscapeFault(SIM_FN_SWITCH, SIM_STATUS_INVALID);
    Choose(ID_TRAY_DEVICES_CRT);
    EXPECT_NE(TakeBox(), "");
    EXPECT_EQ(WaitForDialog(kTrayBoxCaption, 500), nullptr) << "one box only";
    const auto switches = TrayEscapes(SIM_FN_SWITCH);
    ASSERT_EQ(switches.size(), 1u);
    EXPECT_STREQ(switches[0].deviceName, "\\\\.\\DISPLAY1");
}

// A display that left the desktop since the program started cannot be
// selected: that error is shown like a failed switch, and the program stays.
TEST_F(TrayCommands, ADisplayThatCannotBeSelectedIsReportedLikeAFailedSwitch)
{
    StartOn(kTwoPrimaries);
    SimState state = State();
    state.devices[0].attached = 0;
    SetState(state);

    Choose(ID_TRAY_DEVICES_CRT);
    EXPECT_NE(TakeBox(), "");
    EXPECT_TRUE(TrayEscapes(SIM_FN_SWITCH).empty());
    EXPECT_EQ(Tray().Wait(0), STILL_ACTIVE);

    // The program still has a display to work on: on the 95 family the power
    // watch tells the driver of the selected display without an error.
    SimClearJournal();
    SimSetACLineStatus(AC_LINE_OFFLINE);
    DWORD_PTR answer = 0;
    SendMessageTimeoutA(TrayWindow(), WM_POWERBROADCAST, PBT_APMPOWERSTATUSCHANGE, 0, SMTO_NORMAL, 10000, &answer);
    EXPECT_EQ(CountWindows(Tray().ProcessId(), "#32770"), 0);
}
