// The journal records every request in order, as tests of the control panel
// will read it.
#include "sim_fixture.h"

#include <cstring>

using namespace simtest;

namespace {

const char kDisplay[] = "\\\\.\\DISPLAY1";

class JournalTest : public SimTest {};

TEST_F(JournalTest, RecordsEscapesAndModeChangesInOrder)
{
    SimDC dc(kDisplay);
    SimClearJournal();
    dc.Send(Words({ SIM_FN_SWITCH, SIM_OUTPUT_CRT, 0 }));
    dc.Send(Bytes(SIM_FN_ROTATE, { 1 }));
    DEVMODEA mode = {};
    mode.dmSize = sizeof(mode);
    mode.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT | DM_DISPLAYORIENTATION;
    mode.dmPelsWidth = 768;
    mode.dmPelsHeight = 1024;
    mode.dmDisplayOrientation = DMDO_90;
    SimChangeDisplaySettingsExA(kDisplay, &mode, nullptr, CDS_UPDATEREGISTRY | CDS_RESET, nullptr);
    SimChangeDisplaySettingsA(nullptr, 0);

    auto journal = Journal();
    ASSERT_EQ(4u, journal.size());
    for (DWORD i = 0; i < journal.size(); ++i) {
        EXPECT_EQ(i + 1, journal[i].sequence);
        EXPECT_EQ(GetCurrentProcessId(), journal[i].processId);
    }
    EXPECT_EQ(DWORD(SIM_JOURNAL_ESCAPE), journal[0].kind);
    EXPECT_STREQ(kDisplay, journal[0].deviceName);
    EXPECT_EQ(DWORD(SIM_FN_SWITCH), journal[0].request[0]);
    EXPECT_EQ(DWORD(SIM_OUTPUT_CRT), journal[0].request[1]);
    EXPECT_EQ(0u, journal[0].status);
    EXPECT_EQ(DWORD(SIM_FN_ROTATE), journal[1].request[0]);
    EXPECT_EQ(1u, SIM_REQUEST_BYTE(&journal[1], 4));

    const SimJournalEntry& change = journal[2];
    EXPECT_EQ(DWORD(SIM_JOURNAL_MODE_CHANGE), change.kind);
    EXPECT_TRUE(change.extended);
    EXPECT_TRUE(change.hasMode);
    EXPECT_STREQ(kDisplay, change.deviceName);
    EXPECT_EQ(768u, change.width);
    EXPECT_EQ(1024u, change.height);
    EXPECT_EQ(DWORD(DMDO_90), change.orientation);
    EXPECT_EQ(DWORD(DM_PELSWIDTH | DM_PELSHEIGHT | DM_DISPLAYORIENTATION), change.fields);
    EXPECT_EQ(DWORD(CDS_UPDATEREGISTRY | CDS_RESET), change.flags);
    EXPECT_EQ(DISP_CHANGE_SUCCESSFUL, change.result);

    EXPECT_FALSE(journal[3].extended);
    EXPECT_FALSE(journal[3].hasMode);
    EXPECT_STREQ("", journal[3].deviceName);
}

TEST_F(JournalTest, RefusalsFaultsAndSilenceAreRecordedWithTheirOutcome)
{
    Load("[Adapter0]\nCrtAttached=0\n[Faults]\nEscape.14=NoAnswer\n");
    SimDC dc(kDisplay);
    dc.Send(Words({ SIM_FN_SWITCH, SIM_OUTPUT_CRT }));
    dc.Send(Bytes(SIM_FN_AC_LINE, { 1 }));
    DEVMODEA odd = {};
    odd.dmSize = sizeof(odd);
    odd.dmFields = DM_PELSWIDTH;
    odd.dmPelsWidth = 999;
    SimChangeDisplaySettingsA(&odd, 0);
    auto journal = Journal();
    ASSERT_EQ(3u, journal.size());
    EXPECT_EQ(DWORD(SIM_STATUS_NOT_CONNECTED), journal[0].status);
    EXPECT_EQ(SIM_NO_ANSWER, journal[1].status);
    EXPECT_EQ(DISP_CHANGE_BADMODE, journal[2].result);
}

TEST_F(JournalTest, LoadingAScenarioOrClearingStartsAfresh)
{
    SimDC dc(kDisplay);
    dc.Send(Words({ SIM_FN_STATUS }));
    dc.Send(Words({ SIM_FN_STATUS }));
    SimClearJournal();
    dc.Send(Words({ SIM_FN_STATUS }));
    auto journal = Journal();
    ASSERT_EQ(1u, journal.size());
    EXPECT_EQ(1u, journal[0].sequence);
    Load("");
    EXPECT_TRUE(Journal().empty());
}

TEST_F(JournalTest, AFullJournalDropsTheOldestEntries)
{
    SimDC dc(kDisplay);
    const DWORD sent = SIM_JOURNAL_CAPACITY + 6;
    for (DWORD i = 0; i < sent; ++i)
        dc.Send(Words({ SIM_FN_GET_VALUE, i % SIM_VALUE_COUNT }));
    auto journal = Journal();
    ASSERT_EQ(DWORD(SIM_JOURNAL_CAPACITY), journal.size());
    EXPECT_EQ(6u, SimJournalOverflow());
    EXPECT_EQ(7u, journal.front().sequence);
    EXPECT_EQ(sent, journal.back().sequence);
    EXPECT_EQ((sent - 1) % SIM_VALUE_COUNT, journal.back().request[1]);
    // A short buffer gets as many entries as fit, oldest first.
    SimJournalEntry two[2];
    EXPECT_EQ(DWORD(SIM_JOURNAL_CAPACITY), SimGetJournal(two, 2));
    EXPECT_EQ(8u, two[1].sequence);
}

TEST_F(JournalTest, TextNamesEachRequest)
{
    SimDC dc(kDisplay);
    dc.Send(Words({ SIM_FN_SWITCH, SIM_OUTPUT_CRT }));
    DEVMODEA mode = {};
    mode.dmSize = sizeof(mode);
    SimChangeDisplaySettingsExA(kDisplay, &mode, nullptr, 0, nullptr);
    std::string text(SimJournalToText(nullptr, 0) + 1, '\0');
    SimJournalToText(&text[0], static_cast<UINT>(text.size()));
    EXPECT_NE(std::string::npos, text.find("escape \\\\.\\DISPLAY1 13 (switch): 2 -> 0x0\n")) << text;
    EXPECT_NE(std::string::npos, text.find("ChangeDisplaySettingsExA \"\\\\.\\DISPLAY1\"")) << text;
}

} // namespace
