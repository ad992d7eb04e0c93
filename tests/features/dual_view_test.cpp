// Dual view: a second device is added when fewer than two are active, then
// the driver is asked for dual view in the stored size.
#include "feature_fixture.h"

#include <string>

#include "dual_view.h"
#include "resource_ids.h"

namespace {

std::string OneAdapter(const std::string& adapterKeys)
{
    return "[Adapter0]\nTvAttached=1\n" + adapterKeys + "[Device0]\nName=\\\\.\\DISPLAY1\n";
}

} // namespace

using DualView = FeatureServices;

TEST_F(DualView, SingleDeviceGetsAPartnerBeforeDualViewIsAsked)
{
    const struct {
        UINT active, switched;
    } cases[] = {
        { 1, 3 },  // LCD alone: the CRT joins
        { 2, 3 },  // CRT alone: the LCD joins
        { 4, 5 },  // TV alone: the LCD joins
        { 8, 9 },  // secondary panel alone: the LCD joins
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("active mask " + std::to_string(c.active));
        Load(OneAdapter("DeviceMask=" + std::to_string(c.active) + "\n"));
        ASSERT_NE(nullptr, RefreshedHardware());
        CDualView* dualView = Get<CDualView>();
        ASSERT_NE(nullptr, dualView);
        SimClearJournal();

        EXPECT_EQ(0, dualView->SetDualView(TRUE));

        const std::vector<SimJournalEntry> switches = Escapes(SIM_FN_SWITCH);
        ASSERT_EQ(1u, switches.size());
        EXPECT_EQ(c.switched, switches[0].request[1]);
        EXPECT_EQ(0u, switches[0].request[2]) << "mode word";
        const std::vector<SimJournalEntry> requests = Escapes(SIM_FN_DUAL_VIEW);
        ASSERT_EQ(1u, requests.size());
        EXPECT_LT(switches[0].sequence, requests[0].sequence) << "devices first, then dual view";
        EXPECT_EQ(1u, RequestByte(requests[0], 4));
        EXPECT_EQ(0u, RequestByte(requests[0], 5)) << "no size stored: size code 0";
        EXPECT_EQ(1u, RequestByte(requests[0], 6));
        const SimAdapter adapter = State().adapters[0];
        EXPECT_EQ(DWORD(SIM_MODE_DUAL_VIEW), adapter.mode);
        EXPECT_EQ(c.switched, adapter.values[SIM_VALUE_DEVICE_MASK]);
        ReleaseServices();
    }
}

TEST_F(DualView, TwoActiveDevicesAreLeftAsTheyAre)
{
    Load(OneAdapter("DeviceMask=5\n"));
    CHardware* hardware = RefreshedHardware();
    ASSERT_NE(nullptr, hardware);
    CDualView* dualView = Get<CDualView>();
    ASSERT_NE(nullptr, dualView);
    hardware->ApplyDualViewSecSize(3);
    SimClearJournal();

    EXPECT_EQ(0, dualView->SetDualView(TRUE));

    EXPECT_TRUE(Escapes(SIM_FN_SWITCH).empty());
    const std::vector<SimJournalEntry> requests = Escapes(SIM_FN_DUAL_VIEW);
    ASSERT_EQ(1u, requests.size());
    EXPECT_EQ(3u, RequestByte(requests[0], 5)) << "the stored size code";
    EXPECT_EQ(3u, State().adapters[0].dualViewSize);
    EXPECT_EQ(DWORD(SIM_MODE_DUAL_VIEW), State().adapters[0].mode);
}

TEST_F(DualView, NoActiveDeviceGetsTheLcdAloneAndTheDriverRefuses)
{
    Load(OneAdapter("DeviceMask=0\n"));
    ASSERT_NE(nullptr, RefreshedHardware());
    CDualView* dualView = Get<CDualView>();
    ASSERT_NE(nullptr, dualView);
    SimClearJournal();

    // One device is not enough for dual view: the driver says so.
    EXPECT_EQ((ServiceError{ IDS_ERR_DUALVIEW_MODE, 11 }), CatchServiceError([&] { dualView->SetDualView(TRUE); }));

    const std::vector<SimJournalEntry> switches = Escapes(SIM_FN_SWITCH);
    ASSERT_EQ(1u, switches.size());
    EXPECT_EQ(1u, switches[0].request[1]);
    EXPECT_EQ(1u, Escapes(SIM_FN_DUAL_VIEW).size());
    EXPECT_EQ(DWORD(SIM_MODE_SINGLE), State().adapters[0].mode);
}

TEST_F(DualView, RefusedDevicesMeanNoDualViewRequest)
{
    Load(OneAdapter("DeviceMask=1\nCrtAttached=0\n"));
    ASSERT_NE(nullptr, RefreshedHardware());
    CDualView* dualView = Get<CDualView>();
    ASSERT_NE(nullptr, dualView);
    SimClearJournal();

    EXPECT_EQ((ServiceError{ IDS_ERR_NO_CRT, 0 }), CatchServiceError([&] { dualView->SetDualView(TRUE); }));

    EXPECT_TRUE(Escapes(SIM_FN_SWITCH).empty());
    EXPECT_TRUE(Escapes(SIM_FN_DUAL_VIEW).empty());
    EXPECT_EQ(1u, State().adapters[0].values[SIM_VALUE_DEVICE_MASK]);
}

TEST_F(DualView, DriverRefusalLeavesTheAddedDeviceActive)
{
    Load(OneAdapter("DeviceMask=1\n[Faults]\nEscape.11=0x10007\n"));
    ASSERT_NE(nullptr, RefreshedHardware());
    CDualView* dualView = Get<CDualView>();
    ASSERT_NE(nullptr, dualView);
    SimClearJournal();

    EXPECT_EQ((ServiceError{ IDS_ERR_DUALVIEW_MODE, 11 }), CatchServiceError([&] { dualView->SetDualView(TRUE); }));

    EXPECT_EQ(1u, Escapes(SIM_FN_DUAL_VIEW).size());
    EXPECT_EQ(3u, State().adapters[0].values[SIM_VALUE_DEVICE_MASK]);
    EXPECT_EQ(DWORD(SIM_MODE_SINGLE), State().adapters[0].mode);
}

TEST_F(DualView, OffIsOneDriverRequestWhateverTheMode)
{
    for (const char* mode : { "Mode=0\n", "Mode=1\n" }) {
        SCOPED_TRACE(mode);
        Load(OneAdapter(std::string("DeviceMask=3\n") + mode));
        ASSERT_NE(nullptr, RefreshedHardware());
        CDualView* dualView = Get<CDualView>();
        ASSERT_NE(nullptr, dualView);
        SimClearJournal();

        EXPECT_EQ(0, dualView->SetDualView(FALSE));

        const std::vector<SimJournalEntry> journal = Journal();
        ASSERT_EQ(1u, journal.size()) << "nothing but the request to leave dual view";
        EXPECT_EQ(DWORD(SIM_JOURNAL_ESCAPE), journal[0].kind);
        EXPECT_EQ(DWORD(SIM_FN_DUAL_VIEW), journal[0].request[0]);
        EXPECT_EQ(0u, RequestByte(journal[0], 4));
        EXPECT_EQ(DWORD(SIM_MODE_SINGLE), State().adapters[0].mode);
        EXPECT_EQ(3u, State().adapters[0].values[SIM_VALUE_DEVICE_MASK]);
        ReleaseServices();
    }
}

TEST_F(DualView, OffPassesTheDriversFailure)
{
    Load(OneAdapter("DeviceMask=3\nMode=1\n[Faults]\nEscape.11=0x10003\n"));
    ASSERT_NE(nullptr, RefreshedHardware());
    CDualView* dualView = Get<CDualView>();
    ASSERT_NE(nullptr, dualView);

    EXPECT_EQ((ServiceError{ IDS_ERR_DRIVER_BUSY, 11 }), CatchServiceError([&] { dualView->SetDualView(FALSE); }));
    EXPECT_EQ(DWORD(SIM_MODE_DUAL_VIEW), State().adapters[0].mode);
}
