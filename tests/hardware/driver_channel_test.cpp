// The driver escape channel: what is sent, and how the driver's statuses
// become errors.
#include "simulated_adapter.h"

#include "resource_ids.h"

using DriverChannel = SimulatedAdapter;

TEST_F(DriverChannel, StatusesBecomeErrorsWithTheFunctionCode)
{
    CHardware* hardware = Hardware();
    ASSERT_NE(nullptr, hardware);
    const struct {
        DWORD status;
        UINT error;
    } cases[] = {
        { 0x10001, IDS_ERR_DRIVER_FAILED },
        { 0x10002, IDS_ERR_DRIVER_FAILED },
        { 0x10003, IDS_ERR_DRIVER_BUSY },
        { 0x10004, IDS_ERR_DRIVER_MODE },
        { 0x10005, IDS_ERR_DRIVER_MEMORY },
        { 0x10006, IDS_ERR_DRIVER_NO_DEVICE },
        { 0x10007, IDS_ERR_DRIVER_FAILED },
    };
    for (const auto& c : cases) {
        SimSetEscapeFault(SIM_FN_GET_VALUE, c.status);
        EXPECT_EQ((ServiceError{ c.error, 3 }), CatchServiceError([&] { hardware->GetDriverValue(0); }))
            << std::hex << c.status;
    }
    SimSetEscapeFault(SIM_FN_GET_VALUE, 0);
}

TEST_F(DriverChannel, NoAnswerIs343)
{
    CHardware* hardware = Hardware();
    ASSERT_NE(nullptr, hardware);
    SimSetEscapeFault(SIM_FN_SET_VALUE, SIM_NO_ANSWER);
    // Left by an earlier call that succeeded, as creating a mutex that
    // already exists does: never the value of this error.
    SetLastError(ERROR_ALREADY_EXISTS);
    const ServiceError error = CatchServiceError([&] { hardware->SetDriverValue(33, 1); });
    EXPECT_EQ((ServiceError{ IDS_ERR_ESCAPE_UNSUPPORTED, 0 }), error) << "the driver's silence sets no system error";
    SimSetEscapeFault(SIM_FN_SET_VALUE, 0);
}

TEST_F(DriverChannel, ReplyIsCopiedBeforeTheThrow)
{
    CHardware* hardware = Hardware();
    ASSERT_NE(nullptr, hardware);
    SimSetEscapeFault(SIM_FN_STATUS, 0x10005);
    DriverRequestRecord request = {};
    DriverReplyRecord reply = {};
    EXPECT_EQ((ServiceError{ IDS_ERR_DRIVER_MEMORY, 0 }),
              CatchServiceError([&] { hardware->DriverEscape(&request, &reply); }));
    EXPECT_EQ(0x10005u, reply.words[0]);
    SimSetEscapeFault(SIM_FN_STATUS, 0);
}

TEST_F(DriverChannel, RequestsCarryTheirArguments)
{
    CHardware* hardware = Hardware();
    ASSERT_NE(nullptr, hardware);
    SimClearJournal();
    hardware->SetDriverValue(33, 1);
    hardware->SetReduceOn(1);
    hardware->NotifyPowerStatus(0x100);  // only the low 8 bits count
    EXPECT_EQ(1u, hardware->GetDriverValue(33));
    const std::vector<SimJournalEntry> sent = Journal();
    ASSERT_EQ(4u, sent.size());
    EXPECT_EQ(4u, sent[0].request[0]);
    EXPECT_EQ(33u, sent[0].request[1]);
    EXPECT_EQ(1u, sent[0].request[2]);
    EXPECT_EQ(9u, sent[1].request[0]);
    EXPECT_EQ(1, SIM_REQUEST_BYTE(&sent[1], 4));
    EXPECT_EQ(14u, sent[2].request[0]);
    EXPECT_EQ(0, SIM_REQUEST_BYTE(&sent[2], 4));
    EXPECT_EQ(1u, State().adapters[0].values[SIM_VALUE_REDUCE_ON]);
}

TEST_F(DriverChannel, RotationAndDualViewTranslateTheirOwnStatuses)
{
    CHardware* hardware = Hardware();
    ASSERT_NE(nullptr, hardware);
    SimSetEscapeFault(SIM_FN_ROTATE, 0x10001);
    EXPECT_EQ((ServiceError{ IDS_ERR_ROTATION_UNSUPPORTED, 10 }), CatchServiceError([&] { hardware->SetDriverRotation(1); }));
    SimSetEscapeFault(SIM_FN_ROTATE, 0x10002);
    EXPECT_EQ((ServiceError{ IDS_ERR_ROTATION_MODE, 10 }), CatchServiceError([&] { hardware->SetDriverRotation(1); }));
    SimSetEscapeFault(SIM_FN_ROTATE, 0x10004);
    EXPECT_EQ((ServiceError{ IDS_ERR_DRIVER_MODE, 10 }), CatchServiceError([&] { hardware->SetDriverRotation(1); }));
    SimSetEscapeFault(SIM_FN_ROTATE, 0);

    SimSetEscapeFault(SIM_FN_DUAL_VIEW, 0x10007);
    EXPECT_EQ((ServiceError{ IDS_ERR_DUALVIEW_MODE, 11 }), CatchServiceError([&] { hardware->EnableDualViewMode(2, 1); }));
    SimSetEscapeFault(SIM_FN_DUAL_VIEW, 0x10003);
    EXPECT_EQ((ServiceError{ IDS_ERR_DRIVER_BUSY, 11 }), CatchServiceError([&] { hardware->EnableDualViewMode(2, 1); }));
    SimSetEscapeFault(SIM_FN_DUAL_VIEW, 0);

    SimClearJournal();
    hardware->EnableDualViewMode(2, 1);
    const std::vector<SimJournalEntry> sent = Escapes(SIM_FN_DUAL_VIEW);
    ASSERT_EQ(1u, sent.size());
    EXPECT_EQ(1, SIM_REQUEST_BYTE(&sent[0], 4));
    EXPECT_EQ(2, SIM_REQUEST_BYTE(&sent[0], 5));
    EXPECT_EQ(1, SIM_REQUEST_BYTE(&sent[0], 6));
    EXPECT_EQ(unsigned(SIM_MODE_DUAL_VIEW), State().adapters[0].mode);
}

TEST_F(DriverChannel, DualApplicationAndMonitorFlagsReachSettingsAndRecords)
{
    CHardware* hardware = Hardware();
    ASSERT_NE(nullptr, hardware);
    hardware->EnableDualAppMode(1);
    EXPECT_EQ(1, hardware->GetCurrentAdapter()->dualAppSwapped);
    EXPECT_EQ(1u, State().adapters[0].dualAppSwapped);
    hardware->DisableDualAppMode();
    EXPECT_EQ(unsigned(SIM_MODE_SINGLE), State().adapters[0].mode);

    hardware->SetDualMonitorSwapped(0x101);
    EXPECT_EQ(1, hardware->GetCurrentAdapter()->dualMonitorSwapped);
    EXPECT_EQ(1u, State().adapters[0].values[SIM_VALUE_DUAL_MONITOR_SWAPPED]);
}
