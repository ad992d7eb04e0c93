// The driver's answers to escape 0x7300 and what each function changes.
#include "sim_fixture.h"

#include <cstring>

using namespace simtest;

namespace {

class EscapeTest : public SimTest {
protected:
    DWORD Value(DWORD index) { return State()->adapters[0].values[index]; }
    const char* kDisplay = "\\\\.\\DISPLAY1";
};

TEST_F(EscapeTest, StatusRecordCarriesTheDriversFields)
{
    Load("[Adapter0]\nMode=3\nDeviceMask=3\nPciDeviceId=0x0B53\nRevision=0x11\nSubsystemId=0x4321\n"
         "StatusBytes=1,2,3\nStatusValue=7\nStatusWord=0x1234\nStatusByte=0x56\nStatusWords=10,11,12,13\n"
         "[Device0]\nRotation=3\n");
    SimDC dc(kDisplay);
    Reply r = dc.Send(Words({ SIM_FN_STATUS }));
    ASSERT_EQ(SIM_ESCAPE, r.returned);
    EXPECT_EQ(0u, r.Status());
    EXPECT_EQ(1u, r.Byte(4));
    EXPECT_EQ(2u, r.Byte(5));
    EXPECT_EQ(3u, r.Byte(6));
    EXPECT_EQ(3u, r.Byte(32));  // rotation of this device
    EXPECT_EQ(3u, r.Byte(33));  // mode of the adapter
    EXPECT_EQ(7u, r.Byte(34));
    EXPECT_EQ(0x0B53u, r.Word16(80));
    EXPECT_EQ(0x11u, r.Byte(82));
    EXPECT_EQ(0x4321u, r.Word16(84));
    EXPECT_EQ(0x1234u, r.Word16(86));
    EXPECT_EQ(0x56u, r.Byte(89));
    EXPECT_EQ(10u, r.words[23]);
    EXPECT_EQ(13u, r.words[26]);
}

TEST_F(EscapeTest, DriverValuesAreReadAndWrittenWithinTheirRanges)
{
    SimDC dc(kDisplay);
    Reply r = dc.Send(Words({ SIM_FN_GET_VALUE, SIM_VALUE_PANEL_ID }));
    EXPECT_EQ(0u, r.Status());
    EXPECT_EQ(2u, r.words[1]);

    EXPECT_EQ(0u, dc.Status(Words({ SIM_FN_SET_VALUE, SIM_VALUE_SECONDARY_PANEL_ID, 4 })));
    EXPECT_EQ(4u, dc.Send(Words({ SIM_FN_GET_VALUE, SIM_VALUE_SECONDARY_PANEL_ID })).words[1]);
    EXPECT_EQ(0u, dc.Status(Words({ SIM_FN_SET_VALUE, SIM_VALUE_TV_SYSTEM, 1 })));
    EXPECT_EQ(0u, dc.Status(Words({ SIM_FN_SET_VALUE, SIM_VALUE_DUAL_MONITOR_SWAPPED, 1 })));
    EXPECT_EQ(1u, Value(SIM_VALUE_TV_SYSTEM));
    EXPECT_EQ(1u, Value(SIM_VALUE_DUAL_MONITOR_SWAPPED));

    EXPECT_EQ(DWORD(SIM_STATUS_INVALID), dc.Status(Words({ SIM_FN_SET_VALUE, SIM_VALUE_SECONDARY_PANEL_ID, 5 })));
    EXPECT_EQ(DWORD(SIM_STATUS_INVALID), dc.Status(Words({ SIM_FN_SET_VALUE, SIM_VALUE_TV_SYSTEM, 2 })));
    EXPECT_EQ(DWORD(SIM_STATUS_NOT_NOW), dc.Status(Words({ SIM_FN_SET_VALUE, SIM_VALUE_DEVICE_MASK, 2 })));
    EXPECT_EQ(DWORD(SIM_STATUS_INVALID), dc.Status(Words({ SIM_FN_GET_VALUE, SIM_VALUE_COUNT })));
    EXPECT_EQ(4u, Value(SIM_VALUE_SECONDARY_PANEL_ID));
    EXPECT_EQ(DWORD(SIM_OUTPUT_LCD), Value(SIM_VALUE_DEVICE_MASK));
}

TEST_F(EscapeTest, PairsWrittenByFunctionTwoAreReadByFunctionOne)
{
    SimDC dc(kDisplay);
    EXPECT_EQ(0u, dc.Status(Words({ SIM_FN_WRITE_PAIR, 5, 6, 77 })));
    EXPECT_EQ(77u, dc.Send(Words({ SIM_FN_READ_PAIR, 5, 6 })).words[1]);
    EXPECT_EQ(0u, dc.Send(Words({ SIM_FN_READ_PAIR, 6, 5 })).words[1]);
}

TEST_F(EscapeTest, RequestBlockAnswersConnectionsVersionAndPanelSize)
{
    Load("[Adapter0]\nCrtAttached=1\nTvAttached=0\nVersion=6.14.10.3021\nVersionBytes=7,9\nVersionWord=0x55\n");
    SimDC dc(kDisplay);
    const size_t block = 4;  // reply offset of the 40-byte block
    Reply crt = dc.Send(Block(SIM_SUB_CRT_ATTACHED));
    EXPECT_EQ(0u, crt.Status());
    EXPECT_NE(0u, crt.words[(block + 16) / 4]);
    EXPECT_EQ(SIM_BLOCK_MARKER_VALUE, crt.words[(block + SIM_BLOCK_MARKER) / 4]);  // block returned as sent
    EXPECT_EQ(0u, dc.Send(Block(SIM_SUB_TV_ATTACHED)).words[(block + 16) / 4]);

    Reply version = dc.Send(Block(SIM_SUB_VERSION));
    EXPECT_EQ(6u, version.Word16(block + 18));
    EXPECT_EQ(14u, version.Word16(block + 16));
    EXPECT_EQ(10u, version.Word16(block + 26));
    EXPECT_EQ(3021u, version.Word16(block + 24));
    EXPECT_EQ(7u, version.Byte(block + 23));
    EXPECT_EQ(9u, version.Byte(block + 22));
    EXPECT_EQ(0x55u, version.Word16(block + 20));

    Reply panel = dc.Send(Block(SIM_SUB_PANEL_SIZE));
    EXPECT_EQ(1024u, panel.Word16(block + 16));
    EXPECT_EQ(768u, panel.Word16(block + 24));

    Request unmarked = Block(SIM_SUB_CRT_ATTACHED);
    unmarked[1 + SIM_BLOCK_MARKER / 4] = 0;
    EXPECT_EQ(DWORD(SIM_STATUS_INVALID), dc.Status(unmarked));
    EXPECT_EQ(DWORD(SIM_STATUS_INVALID), dc.Status(Block(5)));
}

TEST_F(EscapeTest, PanelSizeFollowsThePanelIdUnlessTheScenarioGivesIt)
{
    Load("[Adapter0]\nPanelId=4\n");
    SimDC dc(kDisplay);
    Reply byId = dc.Send(Block(SIM_SUB_PANEL_SIZE));
    EXPECT_EQ(1600u, byId.Word16(20));
    EXPECT_EQ(1200u, byId.Word16(28));
    Load("[Adapter0]\nPanelId=255\n");
    SimDC unknown(kDisplay);
    EXPECT_EQ(DWORD(SIM_STATUS_INVALID), unknown.Status(Block(SIM_SUB_PANEL_SIZE)));
    Load("[Adapter0]\nPanelId=255\nPanelWidth=1400\nPanelHeight=1050\n");
    SimDC given(kDisplay);
    EXPECT_EQ(1400u, given.Send(Block(SIM_SUB_PANEL_SIZE)).Word16(20));
}

TEST_F(EscapeTest, ReduceOnAndAcLineAreRecorded)
{
    SimDC dc(kDisplay);
    EXPECT_EQ(0u, dc.Status(Bytes(SIM_FN_REDUCE_ON, { 1 })));
    EXPECT_EQ(1u, Value(SIM_VALUE_REDUCE_ON));
    EXPECT_EQ(DWORD(SIM_STATUS_INVALID), dc.Status(Bytes(SIM_FN_REDUCE_ON, { 2 })));
    EXPECT_EQ(1u, Value(SIM_VALUE_REDUCE_ON));
    EXPECT_EQ(0u, dc.Status(Bytes(SIM_FN_AC_LINE, { 0 })));
    EXPECT_EQ(0u, State()->adapters[0].acLineStatus);
    EXPECT_EQ(0u, dc.Status(Words({ SIM_FN_FUNCTION6, 42 })));
    EXPECT_EQ(42u, State()->adapters[0].function6Value);
}

TEST_F(EscapeTest, RotationTurnsTheResolutionBetweenLandscapeAndPortrait)
{
    SimDC dc(kDisplay);
    EXPECT_EQ(0u, dc.Status(Bytes(SIM_FN_ROTATE, { 1 })));
    EXPECT_EQ(768, dc.Caps(HORZRES));
    EXPECT_EQ(1024, dc.Caps(VERTRES));
    EXPECT_EQ(1u, dc.Send(Words({ SIM_FN_STATUS })).Byte(32));
    EXPECT_EQ(0u, dc.Status(Bytes(SIM_FN_ROTATE, { 2 })));  // still portrait
    EXPECT_EQ(768, dc.Caps(HORZRES));
    EXPECT_EQ(0u, dc.Status(Bytes(SIM_FN_ROTATE, { 3 })));
    EXPECT_EQ(1024, dc.Caps(HORZRES));
    EXPECT_EQ(768, dc.Caps(VERTRES));
    EXPECT_EQ(DWORD(SIM_STATUS_INVALID), dc.Status(Bytes(SIM_FN_ROTATE, { 4 })));
    EXPECT_EQ(3u, State()->devices[0].rotation);
}

TEST_F(EscapeTest, RotationIsRefusedInDualView)
{
    Load("[Adapter0]\nMode=1\nDeviceMask=3\n");
    SimDC dc(kDisplay);
    EXPECT_EQ(DWORD(SIM_STATUS_NOT_NOW), dc.Status(Bytes(SIM_FN_ROTATE, { 1 })));
    EXPECT_EQ(1024, dc.Caps(HORZRES));
}

TEST_F(EscapeTest, DualViewNeedsTwoOutputs)
{
    SimDC dc(kDisplay);
    EXPECT_EQ(DWORD(SIM_STATUS_DUAL_VIEW_REFUSED), dc.Status(Bytes(SIM_FN_DUAL_VIEW, { 1, 2, 1 })));
    EXPECT_EQ(0u, State()->adapters[0].mode);
    EXPECT_EQ(0u, dc.Status(Words({ SIM_FN_SWITCH, SIM_OUTPUT_LCD | SIM_OUTPUT_CRT })));
    EXPECT_EQ(DWORD(SIM_STATUS_INVALID), dc.Status(Bytes(SIM_FN_DUAL_VIEW, { 1, 5, 0 })));
    EXPECT_EQ(0u, dc.Status(Bytes(SIM_FN_DUAL_VIEW, { 1, 2, 1 })));
    auto s = State();
    EXPECT_EQ(DWORD(SIM_MODE_DUAL_VIEW), s->adapters[0].mode);
    EXPECT_EQ(2u, s->adapters[0].dualViewSize);
    EXPECT_EQ(1u, s->adapters[0].dualViewFlag);
    EXPECT_EQ(DWORD(SIM_MODE_DUAL_VIEW), dc.Send(Words({ SIM_FN_STATUS })).Byte(33));
    EXPECT_EQ(0u, dc.Status(Bytes(SIM_FN_DUAL_VIEW, { 0 })));
    EXPECT_EQ(DWORD(SIM_MODE_SINGLE), State()->adapters[0].mode);
}

TEST_F(EscapeTest, DualApplicationEntersAndLeavesModeTwo)
{
    Load("[Adapter0]\nDeviceMask=3\n");
    SimDC dc(kDisplay);
    EXPECT_EQ(0u, dc.Status(Bytes(SIM_FN_DUAL_APP, { 1, 1 })));
    EXPECT_EQ(DWORD(SIM_MODE_DUAL_APP), State()->adapters[0].mode);
    EXPECT_EQ(1u, State()->adapters[0].dualAppSwapped);
    EXPECT_EQ(0u, dc.Status(Bytes(SIM_FN_DUAL_APP, { 0 })));
    EXPECT_EQ(DWORD(SIM_MODE_SINGLE), State()->adapters[0].mode);
    // Leaving dual view does not end dual application.
    EXPECT_EQ(0u, dc.Status(Bytes(SIM_FN_DUAL_APP, { 1, 0 })));
    EXPECT_EQ(0u, dc.Status(Bytes(SIM_FN_DUAL_VIEW, { 0 })));
    EXPECT_EQ(DWORD(SIM_MODE_DUAL_APP), State()->adapters[0].mode);
}

TEST_F(EscapeTest, SwitchRefusesOutputsThatAreNotThere)
{
    Load("[Adapter0]\nCrtAttached=0\nTvAttached=1\nSecondaryPanelSupported=0\n");
    SimDC dc(kDisplay);
    EXPECT_EQ(DWORD(SIM_STATUS_NOT_CONNECTED), dc.Status(Words({ SIM_FN_SWITCH, SIM_OUTPUT_CRT })));
    EXPECT_EQ(DWORD(SIM_STATUS_NOT_CONNECTED), dc.Status(Words({ SIM_FN_SWITCH, SIM_OUTPUT_LCD | SIM_OUTPUT_PANEL })));
    EXPECT_EQ(DWORD(SIM_STATUS_INVALID), dc.Status(Words({ SIM_FN_SWITCH, 0 })));
    EXPECT_EQ(DWORD(SIM_STATUS_INVALID), dc.Status(Words({ SIM_FN_SWITCH, 7 })));
    EXPECT_EQ(DWORD(SIM_STATUS_INVALID), dc.Status(Words({ SIM_FN_SWITCH, 16 })));
    EXPECT_EQ(DWORD(SIM_OUTPUT_LCD), Value(SIM_VALUE_DEVICE_MASK));

    EXPECT_EQ(0u, dc.Status(Words({ SIM_FN_SWITCH, SIM_OUTPUT_LCD | SIM_OUTPUT_TV, 1 })));
    EXPECT_EQ(DWORD(SIM_OUTPUT_LCD | SIM_OUTPUT_TV), Value(SIM_VALUE_DEVICE_MASK));
    EXPECT_EQ(1u, State()->adapters[0].lastSwitchModeWord);

    Load("[Adapter0]\nTvSupported=0\nTvAttached=1\n");
    SimDC unsupported(kDisplay);
    EXPECT_EQ(DWORD(SIM_STATUS_NOT_CONNECTED), unsupported.Status(Words({ SIM_FN_SWITCH, SIM_OUTPUT_TV })));
}

TEST_F(EscapeTest, SwitchingToOneOutputEndsDualView)
{
    Load("[Adapter0]\nMode=1\nDeviceMask=3\n");
    SimDC dc(kDisplay);
    EXPECT_EQ(0u, dc.Status(Words({ SIM_FN_SWITCH, SIM_OUTPUT_CRT })));
    EXPECT_EQ(DWORD(SIM_MODE_SINGLE), State()->adapters[0].mode);
}

TEST_F(EscapeTest, UnknownFunctionsAreRefused)
{
    SimDC dc(kDisplay);
    for (DWORD function : { 8ul, 15ul, 99ul })
        EXPECT_EQ(DWORD(SIM_STATUS_INVALID), dc.Status(Words({ function }))) << function;
}

TEST_F(EscapeTest, OnlyEscape7300WithFullBuffersIsAnswered)
{
    SimDC dc(kDisplay);
    Request request = Words({ SIM_FN_STATUS });
    DWORD reply[SIM_REPLY_WORDS];
    std::memset(reply, 0xAB, sizeof(reply));
    EXPECT_EQ(0, SimExtEscape(dc.Get(), SIM_ESCAPE + 1, SIM_REQUEST_BYTES, reinterpret_cast<LPCSTR>(request.data()),
                              SIM_REPLY_BYTES, reinterpret_cast<LPSTR>(reply)));
    EXPECT_EQ(0, SimExtEscape(dc.Get(), SIM_ESCAPE, SIM_REQUEST_BYTES, reinterpret_cast<LPCSTR>(request.data()),
                              SIM_REPLY_BYTES - 4, reinterpret_cast<LPSTR>(reply)));
    EXPECT_EQ(0xABABABABu, reply[0]);
}

TEST_F(EscapeTest, EachAdapterAnswersForItsOwnDisplaysAndOtherVendorsNever)
{
    ASSERT_EQ(0, SimLoadScenario(ScenarioPath("two-adapters.ini").c_str()));
    SimDC first("\\\\.\\DISPLAY2");
    SimDC second("\\\\.\\DISPLAY4");
    EXPECT_EQ(2u, first.Send(Words({ SIM_FN_GET_VALUE, SIM_VALUE_PANEL_ID })).words[1]);
    EXPECT_EQ(3u, second.Send(Words({ SIM_FN_GET_VALUE, SIM_VALUE_PANEL_ID })).words[1]);
    EXPECT_EQ(0u, second.Status(Bytes(SIM_FN_REDUCE_ON, { 1 })));
    auto s = State();
    EXPECT_EQ(0u, s->adapters[0].values[SIM_VALUE_REDUCE_ON]);
    EXPECT_EQ(1u, s->adapters[1].values[SIM_VALUE_REDUCE_ON]);

    SimDC other("\\\\.\\DISPLAY1");
    ASSERT_NE(nullptr, other.Get());
    Request request = Words({ SIM_FN_STATUS });
    DWORD reply[SIM_REPLY_WORDS];
    std::memset(reply, 0xAB, sizeof(reply));
    EXPECT_EQ(0, SimExtEscape(other.Get(), SIM_ESCAPE, SIM_REQUEST_BYTES, reinterpret_cast<LPCSTR>(request.data()),
                              SIM_REPLY_BYTES, reinterpret_cast<LPSTR>(reply)));
    EXPECT_EQ(0xABABABABu, reply[0]);
}

TEST_F(EscapeTest, FaultsAnswerTheirStatusWithoutEffectOrNoAnswerAtAll)
{
    SimDC dc(kDisplay);
    ASSERT_TRUE(SimSetEscapeFault(SIM_FN_SET_VALUE, 0x10005));
    EXPECT_EQ(0x10005u, dc.Status(Words({ SIM_FN_SET_VALUE, SIM_VALUE_TV_SYSTEM, 1 })));
    EXPECT_EQ(0u, Value(SIM_VALUE_TV_SYSTEM));
    EXPECT_EQ(0u, dc.Status(Words({ SIM_FN_GET_VALUE, SIM_VALUE_TV_SYSTEM })));  // other functions unaffected

    ASSERT_TRUE(SimSetEscapeFault(SIM_FN_SWITCH, SIM_NO_ANSWER));
    Reply silent = dc.Send(Words({ SIM_FN_SWITCH, SIM_OUTPUT_CRT }));
    EXPECT_EQ(0, silent.returned);
    EXPECT_EQ(DWORD(SIM_OUTPUT_LCD), Value(SIM_VALUE_DEVICE_MASK));

    ASSERT_TRUE(SimSetEscapeFault(SIM_FN_SWITCH, 0));
    ASSERT_TRUE(SimSetEscapeFault(SIM_FN_SET_VALUE, 0));
    EXPECT_EQ(0u, dc.Status(Words({ SIM_FN_SWITCH, SIM_OUTPUT_CRT })));
    EXPECT_EQ(0u, dc.Status(Words({ SIM_FN_SET_VALUE, SIM_VALUE_TV_SYSTEM, 1 })));

    EXPECT_FALSE(SimSetEscapeFault(SIM_FUNCTION_COUNT, 0x10001));
    EXPECT_FALSE(SimSetEscapeFault(SIM_FN_SWITCH, 0x10008));
    EXPECT_FALSE(SimSetEscapeFault(SIM_FN_SWITCH, 1));
}

} // namespace
