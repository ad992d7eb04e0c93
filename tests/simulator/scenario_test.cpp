// Scenario files build the simulated system the seam then reports.
#include "sim_fixture.h"

#include <cstring>
#include <utility>

using namespace simtest;

namespace {

DISPLAY_DEVICEA Device(DWORD index, BOOL* found)
{
    DISPLAY_DEVICEA info = {};
    info.cb = sizeof(info);
    *found = SimEnumDisplayDevicesA(nullptr, index, &info, 0);
    return info;
}

class ScenarioTest : public SimTest {};

TEST_F(ScenarioTest, DefaultIsOneAdapterWithOnePrimaryDisplay)
{
    BOOL found;
    DISPLAY_DEVICEA first = Device(0, &found);
    ASSERT_TRUE(found);
    EXPECT_STREQ("\\\\.\\DISPLAY1", first.DeviceName);
    EXPECT_EQ(DWORD(DISPLAY_DEVICE_ATTACHED_TO_DESKTOP | DISPLAY_DEVICE_PRIMARY_DEVICE), first.StateFlags);
    EXPECT_STREQ("PCI\\VEN_7A3E&DEV_0B52&SUBSYS_00001043&REV_02", first.DeviceID);
    Device(1, &found);
    EXPECT_FALSE(found);
    EXPECT_TRUE(SimHasEnumDisplayDevices());

    auto s = State();
    ASSERT_EQ(1u, s->adapterCount);
    const SimAdapter& a = s->adapters[0];
    EXPECT_EQ(DWORD(SIM_OUTPUT_LCD), a.values[SIM_VALUE_DEVICE_MASK]);
    EXPECT_EQ(1u, a.crtAttached);
    EXPECT_EQ(0u, a.tvAttached);
    EXPECT_EQ(1u, a.values[SIM_VALUE_TV_SUPPORTED]);
    EXPECT_EQ(1u, a.values[SIM_VALUE_SECONDARY_PANEL_SUPPORTED]);
    ASSERT_EQ(12u, a.modeCount);
    EXPECT_EQ(640u, a.modes[0].width);
    EXPECT_EQ(8u, a.modes[0].bitsPerPel);
    EXPECT_EQ(1280u, a.modes[11].width);
    EXPECT_EQ(32u, a.modes[11].bitsPerPel);
    EXPECT_EQ(1024u, s->devices[0].current.width);
    EXPECT_EQ(768u, s->devices[0].current.height);
}

TEST_F(ScenarioTest, TwoAdaptersAndAnotherVendorsDisplayFromFile)
{
    ASSERT_EQ(0, SimLoadScenario(ScenarioPath("two-adapters.ini").c_str()));
    BOOL found;
    DISPLAY_DEVICEA other = Device(0, &found);
    ASSERT_TRUE(found);
    EXPECT_STREQ("PCI\\VEN_10DE&DEV_0110&SUBSYS_00000000&REV_A1", other.DeviceID);
    EXPECT_EQ(DWORD(DISPLAY_DEVICE_ATTACHED_TO_DESKTOP | DISPLAY_DEVICE_PRIMARY_DEVICE), other.StateFlags);
    DISPLAY_DEVICEA second = Device(1, &found);
    EXPECT_STREQ("PCI\\VEN_7A3E&DEV_0B52&SUBSYS_00001043&REV_02", second.DeviceID);
    EXPECT_EQ(DWORD(DISPLAY_DEVICE_ATTACHED_TO_DESKTOP), second.StateFlags);
    DISPLAY_DEVICEA detached = Device(2, &found);
    EXPECT_STREQ(second.DeviceID, detached.DeviceID);
    EXPECT_EQ(0u, detached.StateFlags);
    DISPLAY_DEVICEA fourth = Device(3, &found);
    EXPECT_STREQ("\\\\.\\DISPLAY4", fourth.DeviceName);
    EXPECT_STREQ("PCI\\VEN_7A3E&DEV_0B52&SUBSYS_00002201&REV_03", fourth.DeviceID);
    Device(4, &found);
    EXPECT_FALSE(found);

    auto s = State();
    EXPECT_EQ(2u, s->adapterCount);
    EXPECT_EQ(SIM_FOREIGN, s->devices[0].adapter);
    EXPECT_EQ(1u, s->devices[3].adapter);
    EXPECT_EQ(6u, s->adapters[1].modeCount);  // 3 resolutions x 2 depths
    EXPECT_EQ(16u, s->devices[3].current.bitsPerPel);
}

TEST_F(ScenarioTest, EnumerationLeavesTheCallersExtraFieldsAlone)
{
    // The control panel's record is the system's structure plus two fields.
    struct {
        DISPLAY_DEVICEA info;
        LONG vendor, device;
    } record = {};
    record.info.cb = sizeof(record);
    record.vendor = record.device = -1;
    ASSERT_TRUE(SimEnumDisplayDevicesA(nullptr, 0, &record.info, 0));
    EXPECT_EQ(-1, record.vendor);
    EXPECT_EQ(-1, record.device);
    EXPECT_STREQ("\\\\.\\DISPLAY1", record.info.DeviceName);
}

TEST_F(ScenarioTest, UnusableLinesAreReportedAndLeaveTheStateAlone)
{
    Load("[Adapter0]\nPanelId=3\n");
    const std::pair<const char*, LONG> cases[] = {
        { "[Adapter0]\nPanelId=1\nPanelIdx=2\n", 3 },
        { "[Adapter0]\nPanelId=two\n", 2 },
        { "PanelId=1\n", 1 },
        { "[Screen0]\n", 1 },
        { "[Device0]\n[Device2]\n", 2 },
        { "[Device0]\nAdapter=1\n", 2 },
        { "[Device0]\nAdapter=none\n", 1 },
        { "[Device0]\nRotation=4\n", 2 },
        { "[Faults]\nEscape.13=0x10008\n", 2 },
        { "[Faults]\nEscape.16=NoAnswer\n", 2 },
        { "[Scenario]\nEnumDisplayDevices=2\n", 2 },
        { "; comment\n[Adapter0]\nResolutions=800x600,1024\n", 3 },
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.second, SimLoadScenarioText(c.first)) << c.first;
    EXPECT_EQ(3u, State()->adapters[0].values[SIM_VALUE_PANEL_ID]);
    EXPECT_EQ(-1, SimLoadScenario(ScenarioPath("missing.ini").c_str()));
}

TEST_F(ScenarioTest, FaultsSectionInjectsFaults)
{
    Load("[Faults]\nEscape.13=0x10004\nEscape.0=NoAnswer\nModeChange=-1\n");
    auto s = State();
    EXPECT_EQ(0x10004u, s->escapeFaults[13]);
    EXPECT_EQ(SIM_NO_ANSWER, s->escapeFaults[0]);
    EXPECT_EQ(0u, s->escapeFaults[3]);
    EXPECT_EQ(DISP_CHANGE_FAILED, s->modeChangeResult);
    SimDC dc("\\\\.\\DISPLAY1");
    EXPECT_EQ(0x10004u, dc.Status(Words({ SIM_FN_SWITCH, SIM_OUTPUT_CRT })));
    EXPECT_EQ(0, dc.Send(Words({ SIM_FN_STATUS })).returned);
}

TEST_F(ScenarioTest, WithoutEnumDisplayDevicesTheDisplayDcStillReachesTheDriver)
{
    ASSERT_EQ(0, SimLoadScenario(ScenarioPath("no-enum.ini").c_str()));
    EXPECT_FALSE(SimHasEnumDisplayDevices());
    DISPLAY_DEVICEA info = {};
    info.cb = sizeof(info);
    EXPECT_FALSE(SimEnumDisplayDevicesA(nullptr, 0, &info, 0));

    SimDC dc("DISPLAY");
    ASSERT_NE(nullptr, dc.Get());
    Reply reply = dc.Send(Words({ SIM_FN_STATUS }));
    ASSERT_EQ(SIM_ESCAPE, reply.returned);
    EXPECT_EQ(0x0B52u, reply.Word16(80));
    EXPECT_EQ(0x01u, reply.Byte(82));
    EXPECT_EQ(0x1043u, reply.Word16(84));
}

class SwitchTest : public SimTest {
protected:
    void TearDown() override { SimRemoveSwitch(); }
};

TEST_F(SwitchTest, SwitchNamesTheDllAndTheScenarioOfANewState)
{
    ASSERT_TRUE(SimInstallSwitch(SIM_DLL_NAME, "scenarios\\two-adapters.ini"));
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_LOCAL_MACHINE, SIM_SWITCH_KEY, 0, KEY_READ, &key));
    char dll[MAX_PATH] = "";
    DWORD size = sizeof(dll);
    EXPECT_EQ(ERROR_SUCCESS, RegQueryValueExA(key, SIM_SWITCH_ADAPTER_VALUE, nullptr, nullptr,
                                              reinterpret_cast<BYTE*>(dll), &size));
    RegCloseKey(key);
    EXPECT_STREQ("VQXSIM.DLL", dll);

    // A relative scenario path is found beside VQXSIM.DLL.
    EXPECT_EQ(0, SimResetToSwitch());
    EXPECT_EQ(4u, State()->deviceCount);

    ASSERT_TRUE(SimRemoveSwitch());
    EXPECT_NE(ERROR_SUCCESS, RegOpenKeyExA(HKEY_LOCAL_MACHINE, SIM_SWITCH_KEY, 0, KEY_READ, &key));
    EXPECT_EQ(0, SimResetToSwitch());
    EXPECT_EQ(1u, State()->deviceCount);
}

TEST_F(SwitchTest, UnreadableSwitchScenarioFallsBackToTheDefault)
{
    Load("[Device0]\n[Device1]\n");
    ASSERT_TRUE(SimInstallSwitch(SIM_DLL_NAME, "scenarios\\missing.ini"));
    EXPECT_EQ(-1, SimResetToSwitch());
    EXPECT_EQ(1u, State()->deviceCount);
}

} // namespace
