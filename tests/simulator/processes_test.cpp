// Every process sees the same adapter: vqxsimctl, run as a second process,
// reads what this process set and changes what this process then reads.
#include "sim_fixture.h"

using namespace simtest;

namespace {

class ProcessesTest : public SimTest {};

TEST_F(ProcessesTest, AnotherProcessSeesThisProcesssChanges)
{
    Load("[Adapter0]\nSubsystemId=0x2468\n");
    SimDC dc("\\\\.\\DISPLAY1");
    ASSERT_EQ(0u, dc.Status(Bytes(SIM_FN_ROTATE, { 1 })));
    std::string output;
    ASSERT_EQ(0u, RunTool("state", &output));
    EXPECT_NE(std::string::npos, output.find("subsystem 0x2468")) << output;
    EXPECT_NE(std::string::npos, output.find("768x1024 32 bpp 60 Hz, rotation 1")) << output;
    ASSERT_EQ(0u, RunTool("journal", &output));
    EXPECT_NE(std::string::npos, output.find("10 (rotate): 1 -> 0x0")) << output;
}

TEST_F(ProcessesTest, ChangesMadeByAnotherProcessAreSeenAndJournaled)
{
    SimDC dc("\\\\.\\DISPLAY1");
    SimClearJournal();
    std::string output;
    EXPECT_EQ(0u, RunTool("escape \\\\.\\DISPLAY1 13 2 0", &output)) << output;
    EXPECT_EQ(0u, RunTool("mode \\\\.\\DISPLAY1 800 600", &output)) << output;
    EXPECT_EQ(DWORD(SIM_OUTPUT_CRT), State()->adapters[0].values[SIM_VALUE_DEVICE_MASK]);
    EXPECT_EQ(800, dc.Caps(HORZRES));
    EXPECT_EQ(600, dc.Caps(VERTRES));
    auto journal = Journal();
    ASSERT_EQ(2u, journal.size());
    EXPECT_NE(GetCurrentProcessId(), journal[0].processId);
    EXPECT_EQ(DWORD(SIM_FN_SWITCH), journal[0].request[0]);
    EXPECT_EQ(DWORD(SIM_JOURNAL_MODE_CHANGE), journal[1].kind);

    // A refused switch makes the tool fail.
    EXPECT_EQ(1u, RunTool("escape \\\\.\\DISPLAY1 13 4 0", &output));
    EXPECT_NE(std::string::npos, output.find("status 0x10003")) << output;
}

TEST_F(ProcessesTest, AScenarioLoadedElsewhereReplacesTheStateHere)
{
    std::string output;
    ASSERT_EQ(0u, RunTool("load \"" + ScenarioPath("two-adapters.ini") + "\"", &output)) << output;
    DISPLAY_DEVICEA info = {};
    info.cb = sizeof(info);
    EXPECT_TRUE(SimEnumDisplayDevicesA(nullptr, 3, &info, 0));
    EXPECT_STREQ("\\\\.\\DISPLAY4", info.DeviceName);
    EXPECT_EQ(1u, RunTool("load \"" + ScenarioPath("missing.ini") + "\"", &output));
    EXPECT_EQ(4u, State()->deviceCount);
}

} // namespace
