// Dual monitor: choosing the two devices and which one is the primary
// monitor, and swapping primary and secondary.
#include "feature_fixture.h"

#include <string>

#include "dual_monitor.h"
#include "resource_ids.h"

namespace {

// Two displays of one adapter as two monitors, LCD and CRT active; the
// second display shows `secondResolution`, turned by `secondRotation`.
std::string TwoMonitors(int mode, int swapped, const char* extraAdapterKeys = "",
                        const char* secondResolution = "1024x768", int secondRotation = 0)
{
    return "[Adapter0]\nMode=" + std::to_string(mode) + "\nDeviceMask=3\nTvAttached=1\nDualMonitorSwapped=" +
        std::to_string(swapped) + "\n" + extraAdapterKeys +
        "[Device0]\nName=\\\\.\\DISPLAY1\nPrimary=1\nResolution=1024x768\n"
        "[Device1]\nName=\\\\.\\DISPLAY2\nPrimary=0\nResolution=" + secondResolution +
        "\nRotation=" + std::to_string(secondRotation) + "\n";
}

struct Selection {
    DWORD adapter, display;
    bool operator==(const Selection& o) const { return adapter == o.adapter && display == o.display; }
};

std::ostream& operator<<(std::ostream& out, const Selection& s)
{
    return out << "(" << s.adapter << ", " << s.display << ")";
}

// A request of the system to re-read its display settings.
void ExpectReload(const SimJournalEntry& change)
{
    EXPECT_EQ(1u, change.extended);
    EXPECT_EQ(0u, change.hasMode);
    EXPECT_STREQ("", change.deviceName);
    EXPECT_EQ(0u, change.flags);
}

} // namespace

class DualMonitor : public FeatureServices {
protected:
    // Loads `scenario` and selects display `display` of the adapter.
    CDualMonitor* Start(const std::string& scenario, UINT display = 0)
    {
        Load(scenario);
        CHardware* hardware = RefreshedHardware();
        if (!hardware)
            return nullptr;
        hardware->SelectDisplay(0, display);
        hardware->RefreshDisplayState();
        CDualMonitor* dualMonitor = Get<CDualMonitor>();
        SimClearJournal();
        return dualMonitor;
    }

    Selection Selected()
    {
        Selection s = { 99, 99 };
        Hardware()->GetSelectedDisplay(&s.adapter, &s.display);
        return s;
    }

    // The driver's swap value was set to each of `values`, in order.
    void ExpectSwapWrites(const std::vector<DWORD>& values)
    {
        const std::vector<SimJournalEntry> writes = Escapes(SIM_FN_SET_VALUE);
        ASSERT_EQ(values.size(), writes.size());
        for (size_t i = 0; i < values.size(); ++i) {
            EXPECT_EQ(DWORD(SIM_VALUE_DUAL_MONITOR_SWAPPED), writes[i].request[1]);
            EXPECT_EQ(values[i], writes[i].request[2]) << "write " << i;
        }
    }

    DWORD DriverSwap() const { return State().adapters[0].values[SIM_VALUE_DUAL_MONITOR_SWAPPED]; }
};

TEST_F(DualMonitor, SwapExchangesPrimaryAndReappliesEveryMode)
{
    CDualMonitor* dualMonitor = Start(TwoMonitors(3, 0, "", "600x800", 1));
    ASSERT_NE(nullptr, dualMonitor);

    dualMonitor->SwapDualMonPrimary();

    ExpectSwapWrites({ 1 });
    EXPECT_EQ(1u, DriverSwap());
    EXPECT_EQ(1, Hardware()->GetCurrentAdapter()->dualMonitorSwapped);
    const std::vector<SimJournalEntry> changes = ModeChanges();
    ASSERT_EQ(4u, changes.size());
    EXPECT_LT(Escapes(SIM_FN_SET_VALUE)[0].sequence, changes[0].sequence) << "swap first, then the modes";
    ExpectReload(changes[0]);
    const struct {
        const char* device;
        DWORD width, height, orientation;
    } modes[] = { { "\\\\.\\DISPLAY1", 1024, 768, DMDO_DEFAULT }, { "\\\\.\\DISPLAY2", 600, 800, DMDO_90 } };
    const bool handed = HandsOrientationOver();
    for (int i = 0; i < 2; ++i) {
        const SimJournalEntry& change = changes[1 + i];
        SCOPED_TRACE(modes[i].device);
        EXPECT_EQ(1u, change.extended);
        EXPECT_STREQ(modes[i].device, change.deviceName);
        EXPECT_EQ(modes[i].width, change.width);
        EXPECT_EQ(modes[i].height, change.height);
        EXPECT_EQ(DWORD(CDS_UPDATEREGISTRY | CDS_RESET), change.flags);
        EXPECT_EQ(handed, (change.fields & DM_DISPLAYORIENTATION) != 0);
        EXPECT_EQ(handed ? modes[i].orientation : DMDO_DEFAULT, change.orientation);
        EXPECT_EQ(DISP_CHANGE_SUCCESSFUL, change.result);
    }
    ExpectReload(changes[3]);

    SimClearJournal();
    dualMonitor->SwapDualMonPrimary();
    ExpectSwapWrites({ 0 });
    EXPECT_EQ(0u, DriverSwap());
}

TEST_F(DualMonitor, SwapOutsideDualMonitorModeEndsAsItWas)
{
    for (int swapped : { 0, 1 }) {
        SCOPED_TRACE("swapped " + std::to_string(swapped));
        CDualMonitor* dualMonitor = Start(TwoMonitors(0, swapped));
        ASSERT_NE(nullptr, dualMonitor);

        EXPECT_EQ((ServiceError{ IDS_ERR_DUALMON_NOT_ON, 0 }),
                  CatchServiceError([&] { dualMonitor->SwapDualMonPrimary(); }));

        ExpectSwapWrites({ DWORD(!swapped), DWORD(swapped) });
        EXPECT_EQ(DWORD(swapped), DriverSwap());
        EXPECT_EQ(swapped, Hardware()->GetCurrentAdapter()->dualMonitorSwapped);
        EXPECT_TRUE(ModeChanges().empty());
        ReleaseServices();
    }
}

TEST_F(DualMonitor, UnreadableSettingsUndoTheSwapAndKeepModesApplied)
{
    CDualMonitor* dualMonitor = Start(TwoMonitors(3, 0));
    ASSERT_NE(nullptr, dualMonitor);
    // The second display disappears from the system behind the block's back.
    SimState state = State();
    lstrcpyA(state.devices[1].deviceName, "\\\\.\\DISPLAY9");
    SetState(state);

    EXPECT_EQ((ServiceError{ IDS_ERR_DUALMON_SETTINGS, 1 }),
              CatchServiceError([&] { dualMonitor->SwapDualMonPrimary(); }));

    ExpectSwapWrites({ 1, 0 });
    EXPECT_EQ(0u, DriverSwap());
    const std::vector<SimJournalEntry> changes = ModeChanges();
    ASSERT_EQ(2u, changes.size()) << "reload and the first display, nothing after the failure";
    ExpectReload(changes[0]);
    EXPECT_STREQ("\\\\.\\DISPLAY1", changes[1].deviceName);
}

TEST_F(DualMonitor, RefusedModeUndoesTheSwap)
{
    CDualMonitor* dualMonitor = Start(TwoMonitors(3, 1));
    ASSERT_NE(nullptr, dualMonitor);
    SimSetModeChangeResult(DISP_CHANGE_BADMODE);

    EXPECT_EQ((ServiceError{ IDS_ERR_MODE_REFUSED, DISP_CHANGE_BADMODE }),
              CatchServiceError([&] { dualMonitor->SwapDualMonPrimary(); }));

    SimSetModeChangeResult(SIM_MODE_CHANGE_NORMAL);
    ExpectSwapWrites({ 0, 1 });
    EXPECT_EQ(1u, DriverSwap());
    EXPECT_EQ(2u, ModeChanges().size());
}

TEST_F(DualMonitor, RefusedSwapIsNotUndone)
{
    CDualMonitor* dualMonitor = Start(TwoMonitors(3, 0));
    ASSERT_NE(nullptr, dualMonitor);
    SimSetEscapeFault(SIM_FN_SET_VALUE, SIM_STATUS_NOT_NOW);

    // Undoing a swap that never happened would make one.
    EXPECT_EQ((ServiceError{ IDS_ERR_DRIVER_FAILED, 4 }),
              CatchServiceError([&] { dualMonitor->SwapDualMonPrimary(); }));

    SimSetEscapeFault(SIM_FN_SET_VALUE, 0);
    EXPECT_EQ(1u, Escapes(SIM_FN_SET_VALUE).size());
    EXPECT_EQ(0u, DriverSwap());
    EXPECT_EQ(0, Hardware()->GetCurrentAdapter()->dualMonitorSwapped);
    EXPECT_TRUE(ModeChanges().empty());
}

TEST_F(DualMonitor, DevicesAreResolvedSwitchedAndAlignedWithTheSwap)
{
    // The primary display shows the pair's first output unless swapped:
    // LCD (P) and CRT (S), or with the swap set CRT (P) and LCD (S).
    const struct {
        int swapped, first, second;
        DWORD mask;
        bool swaps;
    } cases[] = {
        { 0, -1, 4, 5, false },  // first = P; (1, 4) in table order
        { 1, -1, 4, 6, true },   // first = P = CRT; (2, 4) in order, swap set: off
        { 0, 2, -1, 3, true },   // S equals first: second = P; (2, 1) reversed: on
        { 0, -1, 1, 3, true },   // P equals second: first = S; (2, 1) reversed
        { 0, 1, 1, 3, false },   // same device twice, first is P: second = S
        { 0, 4, 4, 6, true },    // same device twice, first not S: second = S; (4, 2) reversed
        { 0, 3, 16, 3, false },  // no device codes: both chosen, P and S
        { 1, 1, 2, 3, true },    // in order while swapped: off
        { 0, 8, -1, 10, false }, // second = S; (8, 2) in order
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("swapped " + std::to_string(c.swapped) + ", devices " + std::to_string(c.first) + ", " +
                     std::to_string(c.second));
        CDualMonitor* dualMonitor = Start(TwoMonitors(3, c.swapped));
        ASSERT_NE(nullptr, dualMonitor);

        dualMonitor->SetDualMonDevices(c.first, c.second);

        const std::vector<SimJournalEntry> switches = Escapes(SIM_FN_SWITCH);
        ASSERT_EQ(1u, switches.size());
        EXPECT_EQ(c.mask, switches[0].request[1]);
        EXPECT_EQ(c.mask, State().adapters[0].values[SIM_VALUE_DEVICE_MASK]);
        const DWORD finalSwap = c.swaps ? !c.swapped : c.swapped;
        if (c.swaps)
            ExpectSwapWrites({ finalSwap });
        else
            ExpectSwapWrites({});
        EXPECT_EQ(finalSwap, DriverSwap());
        EXPECT_EQ(c.swaps ? 4u : 0u, ModeChanges().size());
        EXPECT_EQ((Selection{ 0, 0 }), Selected());
        ReleaseServices();
    }
}

TEST_F(DualMonitor, DevicesAskedFromTheSecondaryDisplayKeepItSelected)
{
    CDualMonitor* dualMonitor = Start(TwoMonitors(3, 0), 1);
    ASSERT_NE(nullptr, dualMonitor);

    dualMonitor->SetDualMonDevices(-1, 4);

    ASSERT_EQ(1u, Escapes(SIM_FN_SWITCH).size());
    EXPECT_EQ(5u, Escapes(SIM_FN_SWITCH)[0].request[1]) << "P is the primary display's LCD";
    EXPECT_STREQ("\\\\.\\DISPLAY2", Escapes(SIM_FN_SWITCH)[0].deviceName);
    EXPECT_EQ((Selection{ 0, 1 }), Selected());
}

TEST_F(DualMonitor, DevicesOutsideDualMonitorModeChangeNothing)
{
    CDualMonitor* dualMonitor = Start(TwoMonitors(0, 0), 1);
    ASSERT_NE(nullptr, dualMonitor);

    EXPECT_EQ((ServiceError{ IDS_ERR_DUALMON_NOT_ON, 0 }),
              CatchServiceError([&] { dualMonitor->SetDualMonDevices(1, 4); }));

    EXPECT_TRUE(Escapes(SIM_FN_SWITCH).empty());
    EXPECT_TRUE(Escapes(SIM_FN_SET_VALUE).empty());
    EXPECT_TRUE(ModeChanges().empty());
    EXPECT_EQ((Selection{ 0, 1 }), Selected());
}

TEST_F(DualMonitor, RefusedDevicesLeaveTheSwapAlone)
{
    CDualMonitor* dualMonitor = Start(TwoMonitors(3, 0, "TvAttached=0\n"));
    ASSERT_NE(nullptr, dualMonitor);

    EXPECT_EQ((ServiceError{ IDS_ERR_NO_TV, 0 }), CatchServiceError([&] { dualMonitor->SetDualMonDevices(4, 1); }));

    EXPECT_TRUE(Escapes(SIM_FN_SWITCH).empty());
    EXPECT_TRUE(Escapes(SIM_FN_SET_VALUE).empty());
    EXPECT_EQ(3u, State().adapters[0].values[SIM_VALUE_DEVICE_MASK]);
}

TEST_F(DualMonitor, FailureWhileAskingTheDisplaysRestoresTheSelection)
{
    CDualMonitor* dualMonitor = Start(TwoMonitors(3, 0));
    ASSERT_NE(nullptr, dualMonitor);
    SimState state = State();
    state.devices[1].attached = 0;
    SetState(state);

    EXPECT_EQ(UINT(IDS_ERR_SELECT_DISPLAY), CatchServiceError([&] { dualMonitor->SetDualMonDevices(1, 4); }).id);

    EXPECT_TRUE(Escapes(SIM_FN_SWITCH).empty());
    EXPECT_EQ((Selection{ 0, 0 }), Selected());
    EXPECT_EQ(3u, Hardware()->GetDriverValue(SIM_VALUE_DEVICE_MASK)) << "the display is still selected";
}

TEST_F(DualMonitor, UnresolvedDeviceIsNeverSentToTheDriver)
{
    // Dual-monitor mode with one display only: there is no secondary
    // display to choose the second device from.
    CDualMonitor* dualMonitor = Start("[Adapter0]\nMode=3\nDeviceMask=3\n[Device0]\nName=\\\\.\\DISPLAY1\n");
    ASSERT_NE(nullptr, dualMonitor);

    EXPECT_EQ((ServiceError{ IDS_ERR_DUALMON_NO_PAIR, 0 }),
              CatchServiceError([&] { dualMonitor->SetDualMonDevices(-1, -1); }));

    EXPECT_TRUE(Escapes(SIM_FN_SWITCH).empty());
    EXPECT_EQ((Selection{ 0, 0 }), Selected());
}
