// The power source and the driver: on the 95 family the tray program tells
// the driver the AC line status at start and at every change; on the NT
// family it tells it nothing.
#include "tray_fixture.h"

using testsupport::WaitUntil;

namespace {

bool DriverHearsOfPower()
{
    const std::string windows = testsupport::WindowsVersion();
    return windows == "win95" || windows == "win98" || windows == "winme";
}

} // namespace

class TrayPower : public TrayProgram {
protected:
    // A notice of the shell, delivered as it is (sent, so the test knows
    // when the tray program has dealt with it); the tray program's answer.
    LRESULT Notice(WPARAM event)
    {
        DWORD_PTR answer = 0;
        SendMessageTimeoutA(TrayWindow(), WM_POWERBROADCAST, event, 0, SMTO_NORMAL, 10000, &answer);
        return static_cast<LRESULT>(answer);
    }

    // The AC line statuses the tray program passed to the driver, in order.
    std::vector<int> StatusesPassed() const
    {
        std::vector<int> statuses;
        for (const SimJournalEntry& e : TrayEscapes(SIM_FN_AC_LINE))
            statuses.push_back(SIM_REQUEST_BYTE(&e, 4));
        return statuses;
    }
};

TEST_F(TrayPower, ChangesOfTheSourceReachTheDriverOnceEachOnThe95Family)
{
    ASSERT_TRUE(SimSetACLineStatus(AC_LINE_ONLINE));
    ASSERT_TRUE(StartTray());
    if (!DriverHearsOfPower()) {
        // The first broadcast would have come by now; a change is ignored too.
        ASSERT_TRUE(WaitUntil([&] { return IsIconShown(TrayWindow()); }));
        SimSetACLineStatus(AC_LINE_OFFLINE);
        EXPECT_EQ(Notice(PBT_APMPOWERSTATUSCHANGE), TRUE);
        EXPECT_EQ(StatusesPassed(), std::vector<int>());
        return;
    }
    // The broadcast at start reaches the tray window itself.
    ASSERT_TRUE(WaitUntil([&] { return StatusesPassed().size() == 1; }));
    EXPECT_EQ(StatusesPassed(), std::vector<int>({ 1 }));

    SimSetACLineStatus(AC_LINE_OFFLINE);  // the plug is pulled
    EXPECT_EQ(Notice(PBT_APMPOWERSTATUSCHANGE), TRUE);
    EXPECT_EQ(StatusesPassed(), std::vector<int>({ 1, 0 }));

    EXPECT_EQ(Notice(PBT_APMPOWERSTATUSCHANGE), TRUE);  // the same status again
    SimSetACLineStatus(AC_LINE_UNKNOWN);
    EXPECT_EQ(Notice(PBT_APMPOWERSTATUSCHANGE), TRUE);
    EXPECT_EQ(StatusesPassed(), std::vector<int>({ 1, 0, 255 })) << "an unknown status after a known one is a change";
}

TEST_F(TrayPower, AnUnknownStatusAtStartIsNotPassedOn)
{
    ASSERT_TRUE(SimSetACLineStatus(AC_LINE_UNKNOWN));
    ASSERT_TRUE(StartTray());
    ASSERT_TRUE(WaitUntil([&] { return IsIconShown(TrayWindow()); }));
    EXPECT_EQ(Notice(PBT_APMPOWERSTATUSCHANGE), TRUE);
    EXPECT_EQ(StatusesPassed(), std::vector<int>());

    SimSetACLineStatus(AC_LINE_ONLINE);
    EXPECT_EQ(Notice(PBT_APMPOWERSTATUSCHANGE), TRUE);
    EXPECT_EQ(StatusesPassed(), DriverHearsOfPower() ? std::vector<int>({ 1 }) : std::vector<int>());
}

TEST_F(TrayPower, OtherPowerNoticesAreAcknowledgedAndChangeNothing)
{
    ASSERT_TRUE(StartTray());
    if (DriverHearsOfPower()) {
        ASSERT_TRUE(WaitUntil([&] { return StatusesPassed().size() == 1; }));
    }
    const std::vector<int> before = StatusesPassed();
    SimSetACLineStatus(AC_LINE_OFFLINE);
    for (WPARAM event : { PBT_APMQUERYSUSPEND, PBT_APMSUSPEND, PBT_APMRESUMESUSPEND, PBT_APMBATTERYLOW })
        EXPECT_EQ(Notice(event), TRUE) << event;
    EXPECT_EQ(StatusesPassed(), before);
}

// Pulling the plug as the control tool does: the status changes and the
// system's broadcast reaches the running tray program.
TEST_F(TrayPower, TheControlToolsPowerCommandReachesTheDriverThroughTheTrayProgram)
{
    if (!DriverHearsOfPower())
        GTEST_SKIP() << "the NT family's driver is not told";
    ASSERT_TRUE(SimSetACLineStatus(AC_LINE_ONLINE));
    ASSERT_TRUE(StartTray());
    ASSERT_TRUE(WaitUntil([&] { return StatusesPassed().size() == 1; }));

    testsupport::Program tool(Program("vqxsimctl.exe") + " power 0");
    ASSERT_EQ(tool.Wait(), 0u);
    EXPECT_TRUE(WaitUntil([&] { return StatusesPassed() == std::vector<int>({ 1, 0 }); }));
}

// A display renamed while the program runs (the system's display
// configuration changed): the status reaches the driver through the primary
// display found again, without a word.
TEST_F(TrayPower, AStatusReachesTheDriverThroughADisplayRenamedMeanwhile)
{
    if (!DriverHearsOfPower())
        GTEST_SKIP() << "the NT family's driver is not told";
    ASSERT_TRUE(SimSetACLineStatus(AC_LINE_ONLINE));
    ASSERT_TRUE(StartTray());
    ASSERT_TRUE(WaitUntil([&] { return StatusesPassed().size() == 1; }));
    SimState state = State();
    lstrcpynA(state.devices[0].deviceName, "\\\\.\\DISPLAY7", sizeof(state.devices[0].deviceName));
    SetState(state);
    SimClearJournal();

    SimSetACLineStatus(AC_LINE_OFFLINE);
    PostMessageA(TrayWindow(), WM_POWERBROADCAST, PBT_APMPOWERSTATUSCHANGE, 0);
    ASSERT_TRUE(WaitUntil([&] { return State().adapters[0].acLineStatus == AC_LINE_OFFLINE ||
                                       CountWindows(Tray().ProcessId(), "#32770") > 0; }));
    const std::vector<SimJournalEntry> passed = TrayEscapes(SIM_FN_AC_LINE);
    ASSERT_FALSE(passed.empty());
    EXPECT_STREQ(passed.back().deviceName, "\\\\.\\DISPLAY7");
    EXPECT_EQ(passed.back().status, 0u);
    EXPECT_EQ(SIM_REQUEST_BYTE(&passed.back(), 4), AC_LINE_OFFLINE);
    EXPECT_EQ(CountWindows(Tray().ProcessId(), "#32770"), 0);
    EXPECT_EQ(Tray().Wait(0), STILL_ACTIVE);
}

// A driver that refuses the status: the error reaches the window's guard and
// is shown once, in the tray program's own box, and the program goes on.
TEST_F(TrayPower, ARefusedStatusIsShownOnceInTheTrayProgramsBox)
{
    if (!DriverHearsOfPower())
        GTEST_SKIP() << "the NT family's driver is not told";
    ASSERT_TRUE(SimSetACLineStatus(AC_LINE_ONLINE));
    ASSERT_TRUE(StartTray());
    ASSERT_TRUE(WaitUntil([&] { return StatusesPassed().size() == 1; }));
    SimSetEscapeFault(SIM_FN_AC_LINE, SIM_STATUS_INVALID);
    SimSetACLineStatus(AC_LINE_OFFLINE);
    PostMessageA(TrayWindow(), WM_POWERBROADCAST, PBT_APMPOWERSTATUSCHANGE, 0);

    HWND box = testsupport::WaitForDialog(kTrayBoxCaption);
    ASSERT_TRUE(box) << "captioned with the program's name";
    EXPECT_NE(testsupport::MessageBoxText(box), "");
    EXPECT_EQ(CountWindows(Tray().ProcessId(), "#32770"), 1);
    testsupport::PressButton(box, IDOK);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box); }));
    SimSetEscapeFault(SIM_FN_AC_LINE, 0);
    EXPECT_EQ(Notice(PBT_APMPOWERSTATUSCHANGE), TRUE) << "the same status is not tried again";
    EXPECT_EQ(CountWindows(Tray().ProcessId(), "#32770"), 0);
    EXPECT_EQ(Tray().Wait(0), STILL_ACTIVE);
}
