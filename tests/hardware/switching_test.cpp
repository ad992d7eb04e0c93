// Changing the outputs and the display mode: checks first, then exactly
// the requests the driver and the system get.
#include "simulated_adapter.h"

#include "resource_ids.h"
#include "test_support.h"

namespace {

std::vector<SimJournalEntry> ModeChanges(const std::vector<SimJournalEntry>& journal)
{
    std::vector<SimJournalEntry> changes;
    for (const SimJournalEntry& entry : journal)
        if (entry.kind == SIM_JOURNAL_MODE_CHANGE)
            changes.push_back(entry);
    return changes;
}

} // namespace

using Switching = SimulatedAdapter;

TEST(PairOrder, FollowsThePermittedPairs)
{
    // A pure function of the table; the hardware service is not needed for
    // it, but it is only reachable through one.
    ServiceReference<CHardware> reference;
    CHardware* hardware = reference.Acquire();
    ASSERT_NE(nullptr, hardware);
    EXPECT_EQ(0, hardware->GetPairOrder(1, 2));
    EXPECT_EQ(1, hardware->GetPairOrder(2, 1));
    EXPECT_EQ(1, hardware->GetPairOrder(2, 8)) << "row 4 reversed";
    EXPECT_EQ(1, hardware->GetPairOrder(4, 8));
    EXPECT_EQ(0, hardware->GetPairOrder(2, 4));
    EXPECT_EQ(-1, hardware->GetPairOrder(2, 2));
    EXPECT_EQ(-1, hardware->GetPairOrder(1, 16));
}

TEST_F(Switching, SwitchSendsTheMask)
{
    CHardware* hardware = Hardware();
    ASSERT_NE(nullptr, hardware);
    hardware->Refresh();
    SimClearJournal();
    hardware->SetDisplayDevices(2);
    const std::vector<SimJournalEntry> switches = Escapes(SIM_FN_SWITCH);
    ASSERT_EQ(1u, switches.size());
    EXPECT_EQ(2u, switches[0].request[1]);
    EXPECT_EQ(0u, switches[0].request[2]);
    EXPECT_EQ(2u, State().adapters[0].values[SIM_VALUE_DEVICE_MASK]);
}

TEST_F(Switching, MissingCrtOrTvIsRefusedBeforeAnythingIsSent)
{
    Load("[Adapter0]\nCrtAttached=0\nTvAttached=0\n[Device0]\n");
    CHardware* hardware = Hardware();
    ASSERT_NE(nullptr, hardware);
    hardware->Refresh();
    SimClearJournal();
    EXPECT_EQ((ServiceError{ IDS_ERR_NO_CRT, 0 }), CatchServiceError([&] { hardware->SetDisplayDevices(3); }));
    EXPECT_EQ((ServiceError{ IDS_ERR_NO_TV, 0 }), CatchServiceError([&] { hardware->SetDisplayDevices(4); }));
    EXPECT_TRUE(Escapes(SIM_FN_SWITCH).empty());
}

TEST_F(Switching, DetectionOffOrDriverUnsureLetsTheSwitchThrough)
{
    Load("[Adapter0]\nCrtAttached=0\n[Device0]\n");
    CHardware* hardware = Hardware();
    ASSERT_NE(nullptr, hardware);
    hardware->Refresh();
    SimSetEscapeFault(SIM_FN_REQUEST, 0x10001);  // the driver cannot tell what is connected
    EXPECT_EQ(1, hardware->IsCrtAttached());
    SimSetEscapeFault(SIM_FN_REQUEST, 0);
    EXPECT_EQ(0, hardware->IsCrtAttached());

    hardware->GetHeader(TRUE)->crtDetection = 0;
    SimClearJournal();
    // The driver itself refuses a CRT that is not there.
    EXPECT_EQ((ServiceError{ IDS_ERR_SWITCH_CRT, 13 }), CatchServiceError([&] { hardware->SetDisplayDevices(2); }));
    EXPECT_EQ(1u, Escapes(SIM_FN_SWITCH).size());
}

TEST_F(Switching, DriverFailuresAreReportedByRequestedMask)
{
    CHardware* hardware = Hardware();
    ASSERT_NE(nullptr, hardware);
    hardware->Refresh();
    SimSetEscapeFault(SIM_FN_SWITCH, 0x10003);
    const struct {
        UINT mask, error;
    } cases[] = {
        { 1, IDS_ERR_SWITCH_LCD }, { 2, IDS_ERR_SWITCH_CRT }, { 3, IDS_ERR_SWITCH_LCD_CRT },
        { 9, IDS_ERR_SWITCH_LCD_SECPANEL }, { 10, IDS_ERR_SWITCH_CRT_SECPANEL },
        { 6, IDS_ERR_SWITCH_OTHER },
    };
    hardware->GetHeader(TRUE)->tvDetection = 0;
    for (const auto& c : cases)
        EXPECT_EQ((ServiceError{ c.error, 13 }), CatchServiceError([&] { hardware->SetDisplayDevices(c.mask); }))
            << "mask " << c.mask;
    EXPECT_EQ((ServiceError{ IDS_ERR_SWITCH_OTHER, 0 }), CatchServiceError([&] { hardware->SetDisplayDevicesDirect(1); }));
    SimSetEscapeFault(SIM_FN_SWITCH, 0);
}

TEST_F(Switching, RotatedModeLargerThanThePanelKeepsThePanelsOff)
{
    // Rotated on the CRT at 1024x1280 portrait, larger than the 1024x768 LCD.
    Load("[Adapter0]\nDeviceMask=2\nPanelId=2\nTvAttached=1\nResolutions=1024x768,1280x1024\n"
         "[Device0]\nResolution=1280x1024\nRotation=1\n");
    CHardware* hardware = Hardware();
    ASSERT_NE(nullptr, hardware);
    hardware->Refresh();
    hardware->RefreshStatus();
    EXPECT_TRUE(hardware->IsModeLargerThanPanel(FALSE));
    SimClearJournal();
    EXPECT_EQ((ServiceError{ IDS_ERR_LCD_TOO_SMALL, 0 }), CatchServiceError([&] { hardware->SetDisplayDevices(1); }));
    EXPECT_EQ((ServiceError{ IDS_ERR_SECPANEL_TOO_SMALL, 0 }), CatchServiceError([&] { hardware->SetDisplayDevices(8); }));
    EXPECT_TRUE(Escapes(SIM_FN_SWITCH).empty());
    hardware->SetDisplayDevices(4);
    EXPECT_EQ(1u, Escapes(SIM_FN_SWITCH).size());
}

TEST_F(Switching, ModeChangeUsesTheExtendedCallOnlyWithADeviceName)
{
    CHardware* hardware = Hardware();
    ASSERT_NE(nullptr, hardware);
    hardware->Refresh();
    SimClearJournal();
    hardware->ChangeDisplayMode("\\\\.\\DISPLAY1", 800, 600, DMDO_90);
    hardware->ChangeDisplayMode(nullptr, 1024, 768, 0);
    const std::vector<SimJournalEntry> changes = ModeChanges(Journal());
    ASSERT_EQ(2u, changes.size());
    EXPECT_EQ(1u, changes[0].extended);
    EXPECT_EQ(800u, changes[0].width);
    EXPECT_EQ(600u, changes[0].height);
    EXPECT_EQ(DWORD(CDS_UPDATEREGISTRY | CDS_RESET), changes[0].flags);
    const bool orientation = hardware->GetHeader(TRUE)->osClass == 6;
    EXPECT_EQ(orientation, (changes[0].fields & DM_DISPLAYORIENTATION) != 0);
    if (orientation) {
        EXPECT_EQ(DWORD(DMDO_90), changes[0].orientation);
    }
    EXPECT_EQ(0u, changes[1].extended);
    EXPECT_EQ(1024u, changes[1].width);
}

TEST_F(Switching, RefusedModeIs344WithTheResult)
{
    CHardware* hardware = Hardware();
    ASSERT_NE(nullptr, hardware);
    hardware->Refresh();
    SimSetModeChangeResult(DISP_CHANGE_BADMODE);
    EXPECT_EQ((ServiceError{ IDS_ERR_MODE_REFUSED, DISP_CHANGE_BADMODE }),
              CatchServiceError([&] { hardware->ChangeDisplayMode(nullptr, 640, 480, 0); }));
    SimSetModeChangeResult(SIM_MODE_CHANGE_NORMAL);
    hardware->ChangeDisplayMode("\\\\.\\DISPLAY1", 800, 600, 0);
    hardware->RefreshDisplayState();
    EXPECT_EQ(800, hardware->GetCurrentDisplay()->width) << "the context reports the new mode";
    EXPECT_TRUE(hardware->RefreshModeList("\\\\.\\DISPLAY1"));
}
