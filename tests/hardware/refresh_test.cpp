// Refresh and RefreshDisplayState against the simulated adapter: the
// effective switches, the display state, and the lock on every path.
#include "simulated_adapter.h"

#include <future>

#include "resource_ids.h"
#include "test_support.h"

namespace {

int ExpectedOsClass()
{
    const std::string v = testsupport::WindowsVersion();
    if (v == "win95") return 1;
    if (v == "win98" || v == "winme") return 2;
    if (v == "nt40") return 3;
    if (v == "win2k") return 4;
    if (v == "winxp0") return 5;
    return 6;
}

// Whether another thread can take the block's mutex right now.
bool LockIsFree()
{
    return std::async(std::launch::async, [] {
        CHandle mutex(OpenMutexA(SYNCHRONIZE | MUTEX_MODIFY_STATE, FALSE,
                                 (std::string(kBlockName) + "-Mutex").c_str()));
        if (!mutex)
            return false;
        const DWORD wait = WaitForSingleObject(mutex, 0);
        if (wait == WAIT_OBJECT_0 || wait == WAIT_ABANDONED)
            ReleaseMutex(mutex);
        return wait == WAIT_OBJECT_0;
    }).get();
}

} // namespace

using Refresh = SimulatedAdapter;

TEST_F(Refresh, WithoutOemFileUsesEveryDefault)
{
    Load("[Adapter0]\nTvSupported=1\nSecondaryPanelSupported=0\n[Device0]\n");
    CHardware* hardware = Hardware();
    ASSERT_NE(nullptr, hardware);
    hardware->Refresh();
    const HardwareHeader* h = hardware->GetHeader(TRUE);
    EXPECT_EQ(ExpectedOsClass(), h->osClass);
    EXPECT_EQ(0, h->hideTrayIcon);
    EXPECT_EQ(0, h->hideGammaPage);
    EXPECT_EQ(0, h->dsMessage);
    EXPECT_EQ(1, h->crtDetection);
    EXPECT_EQ(1, h->tvDetection);
    EXPECT_EQ(1, h->enableCrt);
    EXPECT_EQ(1, h->enableTv) << "as the driver reports";
    EXPECT_EQ(0, h->enableSecondaryPanel) << "as the driver reports";
    EXPECT_EQ(0, h->enableDualApp);
    EXPECT_EQ(0, h->enableDualView);
    EXPECT_EQ(0, h->enableReduceOn);
    EXPECT_EQ(0, h->enableRotation);
    EXPECT_EQ(0, h->enableRt90) << "rotation off reports every angle off";
    EXPECT_EQ(0, h->toggleSModeHotKey);
    EXPECT_EQ(1, hardware->GetCurrentAdapter()->hotKeyTable.enabled);
}

TEST_F(Refresh, OemSwitchesFollowTheirRules)
{
    SetOem("OEM", "EnableDualApp", 1);
    SetOem("OEM", "EnableDualView", 1);
    SetOem("OEM", "EnableReduceOn", 1);
    SetOem("OEM", "EnableRotation", 1);
    SetOem("OEM", "DSMessage", 1);
    SetOem("OEM", "CRTDetection", 0);
    SetOem("OEM", "EnableToggleSModeHK", 1);
    SetOem("Rotation", "EnableRT180", 0);
    CHardware* hardware = Hardware();
    ASSERT_NE(nullptr, hardware);
    hardware->Refresh();
    const HardwareHeader* h = hardware->GetHeader(TRUE);
    const int os = ExpectedOsClass();
    EXPECT_EQ(os == 3 || os == 4, h->enableDualApp != 0);
    EXPECT_EQ(os == 3 || os == 4, h->enableDualView != 0);
    EXPECT_EQ(os != 3, h->enableReduceOn != 0);
    EXPECT_EQ(1, h->enableRotation);
    EXPECT_EQ(1, h->enableRt90);
    EXPECT_EQ(0, h->enableRt180);
    EXPECT_EQ(1, h->enableRt270);
    EXPECT_EQ(1, h->dsMessage);
    EXPECT_EQ(0, h->crtDetection);
    EXPECT_EQ(1, h->toggleSModeHotKey);
}

TEST_F(Refresh, RotationWithEveryAngleOffIsNotOffered)
{
    SetOem("OEM", "EnableRotation", 1);
    SetOem("Rotation", "EnableRT90", 0);
    SetOem("Rotation", "EnableRT180", 0);
    SetOem("Rotation", "EnableRT270", 0);
    CHardware* hardware = Hardware();
    ASSERT_NE(nullptr, hardware);
    hardware->Refresh();
    EXPECT_EQ(0, hardware->GetHeader(TRUE)->enableRotation);
}

TEST_F(Refresh, DisplayStateComesFromDriverAndContext)
{
    Load("[Adapter0]\nDeviceMask=3\nReduceOn=1\nDualMonitorSwapped=1\n"
         "[Device0]\nResolution=800x600\n");
    CHardware* hardware = Hardware();
    ASSERT_NE(nullptr, hardware);
    hardware->RefreshDisplayState();
    const DisplayRecord* d = hardware->GetCurrentDisplay();
    const AdapterRecord* a = hardware->GetCurrentAdapter();
    EXPECT_EQ(3, d->deviceMask);
    EXPECT_EQ(800, d->width);
    EXPECT_EQ(600, d->height);
    EXPECT_EQ(1, a->reduceOnState);
    EXPECT_EQ(1, a->dualMonitorSwapped);
}

TEST_F(Refresh, DualMonitorReducesTheMaskToThisDisplaysOutput)
{
    const struct {
        const char* adapter;
        int primary;
        uint8_t expected;
    } cases[] = {
        { "DeviceMask=3\nDualMonitorSwapped=0", 1, 1 },
        { "DeviceMask=3\nDualMonitorSwapped=1", 1, 2 },
        { "DeviceMask=3\nDualMonitorSwapped=0", 0, 2 },
        { "DeviceMask=14\nDualMonitorSwapped=0", 1, 2 },
        { "DeviceMask=14\nDualMonitorSwapped=1", 1, 4 },
    };
    for (const auto& c : cases) {
        Load(std::string("[Adapter0]\nMode=3\n") + c.adapter + "\n[Device0]\nPrimary=" +
             std::to_string(c.primary) + "\n[Device1]\nPrimary=" + std::to_string(!c.primary) + "\n");
        CHardware* hardware = Hardware();
        ASSERT_NE(nullptr, hardware);
        hardware->SelectDisplay(0, 0);
        hardware->RefreshDisplayState();
        EXPECT_EQ(c.expected, hardware->GetCurrentDisplay()->deviceMask) << c.adapter << " primary " << c.primary;
        ReleaseHardware();
    }
}

TEST_F(Refresh, DualMonitorWithoutAPairFailsWith212)
{
    Load("[Adapter0]\nMode=3\nDeviceMask=1\n[Device0]\n");
    CHardware* hardware = Hardware();
    ASSERT_NE(nullptr, hardware);
    EXPECT_EQ((ServiceError{ IDS_ERR_DUALMON_NO_PAIR, 0 }), CatchServiceError([&] { hardware->RefreshDisplayState(); }));
    EXPECT_TRUE(LockIsFree());
}

TEST_F(Refresh, LockIsReleasedOnEveryErrorPath)
{
    CHardware* hardware = Hardware();
    ASSERT_NE(nullptr, hardware);
    hardware->Refresh();
    EXPECT_TRUE(LockIsFree());

    SimSetEscapeFault(SIM_FN_REQUEST, 0x10004);  // the version request inside the lock
    SimSetEscapeFault(SIM_FN_STATUS, 0);
    CatchServiceError([&] { hardware->Refresh(); });
    EXPECT_TRUE(LockIsFree()) << "Refresh";
    SimSetEscapeFault(SIM_FN_REQUEST, 0);

    SimSetEscapeFault(SIM_FN_GET_VALUE, 0x10004);  // driver values inside the lock
    CatchServiceError([&] { hardware->RefreshDisplayState(); });
    EXPECT_TRUE(LockIsFree()) << "RefreshDisplayState";
    SimSetEscapeFault(SIM_FN_GET_VALUE, 0);

    SimSetEscapeFault(SIM_FN_STATUS, 0x10004);
    CatchServiceError([&] { hardware->RefreshStatus(); });
    EXPECT_TRUE(LockIsFree()) << "RefreshStatus";
    SimSetEscapeFault(SIM_FN_STATUS, 0);
}

TEST_F(Refresh, DualMonitorModeIsReadAtTheMomentOfAsking)
{
    CHardware* hardware = Hardware();
    ASSERT_NE(nullptr, hardware);
    EXPECT_FALSE(hardware->IsDualMonitorMode());
    SimState state = State();
    state.adapters[0].mode = SIM_MODE_DUAL_MONITOR;
    SetState(state);
    EXPECT_TRUE(hardware->IsDualMonitorMode());
}

TEST_F(Refresh, SettingsChoicesAreCheckedBeforeAnythingChanges)
{
    CHardware* hardware = Hardware();
    ASSERT_NE(nullptr, hardware);
    SimClearJournal();
    EXPECT_EQ((ServiceError{ IDS_ERR_TV_SYSTEM, 0 }), CatchServiceError([&] { hardware->ApplyTVSystem(2); }));
    EXPECT_EQ((ServiceError{ IDS_ERR_ARGUMENT_RANGE, 0 }), CatchServiceError([&] { hardware->ApplySecondaryPanel(5, 0); }));
    EXPECT_EQ((ServiceError{ IDS_ERR_ARGUMENT_RANGE, 0 }), CatchServiceError([&] { hardware->ApplySecondaryPanel(0, 2); }));
    EXPECT_EQ((ServiceError{ IDS_ERR_ARGUMENT_RANGE, 0 }), CatchServiceError([&] { hardware->ApplyDualViewSecSize(5); }));
    EXPECT_TRUE(Journal().empty());

    hardware->ApplySecondaryPanel(4, 1);
    DWORD id = 0, colorInterface = 0;
    EXPECT_EQ(1u, hardware->QuerySecondaryPanel(&id, &colorInterface));
    EXPECT_EQ(4u, id);
    EXPECT_EQ(4, hardware->GetCurrentAdapter()->secondaryPanelId);
    hardware->ApplyTVSystem(1);
    EXPECT_EQ(1u, hardware->QueryTVSystem());
    EXPECT_EQ(1, hardware->GetCurrentAdapter()->tvSystem);
    hardware->ApplyDualViewSecSize(3);
    EXPECT_EQ(3u, hardware->QueryDualViewSecSize());
    EXPECT_EQ(3, hardware->GetCurrentAdapter()->dualViewSecSize);
}

TEST_F(Refresh, StoredTvSystemReachesTheDriverWhenTheBlockIsBuilt)
{
    CHardware* hardware = Hardware();
    ASSERT_NE(nullptr, hardware);
    hardware->ApplyTVSystem(1);
    ReleaseHardware();
    Load(kOneDisplay);
    EXPECT_EQ(0u, State().adapters[0].values[SIM_VALUE_TV_SYSTEM]);
    hardware = Hardware();
    ASSERT_NE(nullptr, hardware);
    EXPECT_EQ(1u, State().adapters[0].values[SIM_VALUE_TV_SYSTEM]);
}
