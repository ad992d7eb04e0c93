// Finding the maker's adapters among the system's display devices, and
// reading their identity from the driver.
#include "simulated_adapter.h"

#include "resource_ids.h"

namespace {

DWORD BlockSize(CHardware* hardware)
{
    return reinterpret_cast<const DWORD*>(hardware->GetHeader(TRUE))[-1];
}

std::string DeviceIdScenario(const char* deviceId)
{
    return std::string("[Adapter0]\n[Device0]\nDeviceId=") + deviceId + "\n";
}

} // namespace

using Identification = SimulatedAdapter;

TEST_F(Identification, OneDisplayGivesTheSmallestBlock)
{
    CHardware* hardware = Hardware();
    ASSERT_NE(nullptr, hardware);
    EXPECT_EQ(4u + 96 + 196 + 48, BlockSize(hardware));
    EXPECT_EQ(1, hardware->GetHeader(TRUE)->adapterCount);
    EXPECT_EQ(1, hardware->GetAdapter(0, TRUE)->displayCount);
    EXPECT_STREQ("\\\\.\\DISPLAY1", hardware->GetDisplay(0, 0, TRUE)->deviceName);
    EXPECT_EQ(1, hardware->GetDisplay(0, 0, TRUE)->primary);
    EXPECT_NE(nullptr, hardware->GetDisplayDC()) << "the creator ends selected";
}

TEST_F(Identification, GroupsDisplaysByAdapterAndIgnoresOtherVendors)
{
    Load("[Adapter0]\nSubsystemId=0x1043\n[Adapter1]\nSubsystemId=0x2201\n"
         "[Device0]\nAdapter=none\nDeviceId=PCI\\VEN_10DE&DEV_0110&SUBSYS_0&REV_A1\nPrimary=1\n"
         "[Device1]\nAdapter=0\nPrimary=0\n"
         "[Device2]\nAdapter=0\nPrimary=0\nAttached=0\n"
         "[Device3]\nAdapter=1\nPrimary=0\n");
    CHardware* hardware = Hardware();
    ASSERT_NE(nullptr, hardware);
    EXPECT_EQ(4u + 96 + 2 * 196 + 3 * 48, BlockSize(hardware));
    ASSERT_EQ(2, hardware->GetHeader(TRUE)->adapterCount);
    EXPECT_EQ(2, hardware->GetAdapter(0, TRUE)->displayCount);
    EXPECT_EQ(1, hardware->GetAdapter(1, TRUE)->displayCount);
    EXPECT_STREQ("\\\\.\\DISPLAY2", hardware->GetDisplay(0, 0, TRUE)->deviceName);
    EXPECT_STREQ("\\\\.\\DISPLAY3", hardware->GetDisplay(0, 1, TRUE)->deviceName);
    EXPECT_STREQ("\\\\.\\DISPLAY4", hardware->GetDisplay(1, 0, TRUE)->deviceName);

    // Every attached display was selected in turn; the last one stays.
    DWORD adapter = 9, display = 9;
    hardware->GetSelectedDisplay(&adapter, &display);
    EXPECT_EQ(1u, adapter);
    EXPECT_EQ(0u, display);
    // ...and each got the stored TV system and the LCD id as secondary id.
    const std::vector<SimJournalEntry> writes = Escapes(SIM_FN_SET_VALUE);
    ASSERT_EQ(4u, writes.size()) << "two attached displays, two writes each";
    EXPECT_EQ(33u, writes[0].request[1]);
    EXPECT_EQ(8u, writes[1].request[1]);
    EXPECT_STREQ("\\\\.\\DISPLAY2", writes[0].deviceName);
    EXPECT_STREQ("\\\\.\\DISPLAY4", writes[3].deviceName);
}

TEST_F(Identification, AcceptsLowerCaseIds)
{
    Load(DeviceIdScenario("pci\\ven_7a3e&dev_0b52&subsys_00001043&rev_02"));
    CHardware* hardware = Hardware();
    ASSERT_NE(nullptr, hardware);
    EXPECT_EQ(1, hardware->GetHeader(TRUE)->adapterCount);
}

TEST_F(Identification, NoAcceptedDisplayFailsWith322)
{
    Load(DeviceIdScenario("PCI\\VEN_7A3E&DEV_0B52"));
    EXPECT_EQ((ServiceError{ IDS_ERR_NO_ADAPTER, 0 }), CatchServiceError([&] { Hardware(); }));
    Load(DeviceIdScenario("PCI\\VEN_7A3E&DEV_0B53&SUBSYS_00001043&REV_02"));
    EXPECT_EQ((ServiceError{ IDS_ERR_NO_ADAPTER, 0 }), CatchServiceError([&] { Hardware(); }));
}

TEST_F(Identification, FallbackFindsTheDriverOnDisplay)
{
    Load("[Scenario]\nEnumDisplayDevices=0\n[Adapter0]\nPciDeviceId=0x0B52\nSubsystemId=0x1043\nRevision=2\n");
    CHardware* hardware = Hardware();
    ASSERT_NE(nullptr, hardware);
    EXPECT_EQ(1, hardware->GetHeader(TRUE)->adapterCount);
    const DisplayRecord* display = hardware->GetDisplay(0, 0, TRUE);
    EXPECT_STREQ("DISPLAY", display->deviceName);
    EXPECT_EQ(1, display->primary);
    EXPECT_NE(nullptr, hardware->GetDisplayDC());
}

TEST_F(Identification, FallbackWithoutDriverAnswerFindsNothing)
{
    Load("[Scenario]\nEnumDisplayDevices=0\n[Adapter0]\n[Faults]\nEscape.0=NoAnswer\n");
    EXPECT_EQ((ServiceError{ IDS_ERR_NO_ADAPTER, 0 }), CatchServiceError([&] { Hardware(); }));
}

TEST_F(Identification, FallbackRejectsAnotherChip)
{
    // The fallback builds the DeviceID from the driver's status record.
    Load("[Scenario]\nEnumDisplayDevices=0\n[Adapter0]\nPciDeviceId=0x0C00\n");
    EXPECT_EQ((ServiceError{ IDS_ERR_NO_ADAPTER, 0 }), CatchServiceError([&] { Hardware(); }));
}

TEST_F(Identification, RefreshReadsIdentityFromTheDriver)
{
    Load("[Adapter0]\nAdapterKind=2\nPanelId=3\nSecondaryPanelId=1\nSecondaryColorInterface=1\n"
         "TvSystem=1\nVersion=6.14.10.3\nVersionBytes=7,9\nVersionWord=0x1234\n"
         "PciDeviceId=0x0B52\nRevision=5\nSubsystemId=0x4321\n[Device0]\n");
    CHardware* hardware = Hardware();
    ASSERT_NE(nullptr, hardware);
    hardware->Refresh();
    const AdapterRecord* a = hardware->GetCurrentAdapter();
    EXPECT_EQ(2, a->adapterKind);
    EXPECT_EQ(0, a->tvSystem) << "the stored TV system (none: 0) was handed to the driver";
    EXPECT_EQ(3, a->panelId);
    EXPECT_EQ(3, a->secondaryPanelId) << "the secondary panel starts as the LCD panel";
    EXPECT_EQ(1, a->secondaryColorInterface);
    EXPECT_EQ(1280, a->panelWidth);
    EXPECT_EQ(1024, a->panelHeight);
    EXPECT_EQ(6, a->version1);
    EXPECT_EQ(14, a->version2);
    EXPECT_EQ(10, a->version3);
    EXPECT_EQ(3, a->version4);
    EXPECT_EQ(7, a->versionByte1);
    EXPECT_EQ(9, a->versionByte2);
    EXPECT_EQ(0x1234, a->versionWord);
    EXPECT_EQ(0x0B52, a->pciDeviceId);
    EXPECT_EQ(5, a->revision);
    EXPECT_EQ(0x4321, a->subsystemId);
}

TEST_F(Identification, PanelSizeFromDriverOrTable)
{
    // The driver's own answer wins over the table.
    Load("[Adapter0]\nPanelId=2\nPanelWidth=1400\nPanelHeight=1050\n[Device0]\n");
    CHardware* hardware = Hardware();
    ASSERT_NE(nullptr, hardware);
    hardware->Refresh();
    EXPECT_EQ(1400, hardware->GetCurrentAdapter()->panelWidth);
    EXPECT_EQ(1050, hardware->GetCurrentAdapter()->panelHeight);

    // The driver cannot tell the size of an unknown panel: id 255 is the
    // largest size, ids outside the table are an error.
    SimState state = State();
    state.adapters[0].values[SIM_VALUE_PANEL_ID] = 255;
    state.adapters[0].panelWidth = state.adapters[0].panelHeight = 0;
    SetState(state);
    hardware->Refresh();
    EXPECT_EQ(0xFFFF, hardware->GetCurrentAdapter()->panelWidth);
    EXPECT_EQ(0xFFFF, hardware->GetCurrentAdapter()->panelHeight);

    state.adapters[0].values[SIM_VALUE_PANEL_ID] = 7;
    SetState(state);
    EXPECT_EQ((ServiceError{ IDS_ERR_PANEL_ID, 7 }), CatchServiceError([&] { hardware->Refresh(); }));
}

TEST_F(Identification, PanelSizeFromTableWhenTheDriverCannotAnswer)
{
    Load("[Adapter0]\nPanelId=3\nPanelWidth=1400\nPanelHeight=1050\n[Device0]\n");
    CHardware* hardware = Hardware();
    ASSERT_NE(nullptr, hardware);
    SimSetEscapeFault(SIM_FN_REQUEST, 0x10004);
    // The version request (function 5 as well) fails after the sizes are in.
    EXPECT_EQ((ServiceError{ IDS_ERR_DRIVER_MODE, 5 }), CatchServiceError([&] { hardware->Refresh(); }));
    SimSetEscapeFault(SIM_FN_REQUEST, 0);
    EXPECT_EQ(1280, hardware->GetCurrentAdapter()->panelWidth);
    EXPECT_EQ(1024, hardware->GetCurrentAdapter()->panelHeight);
}
