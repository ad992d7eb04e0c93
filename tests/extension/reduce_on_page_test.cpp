// The reduce-on page in the advanced sheet, reached as the user reaches it:
// the display-devices page's button opens the sheet, which runs modally on
// the test's thread while a second thread drives it.
#include <gtest/gtest.h>

#include <atomic>

#include "pages_fixture.h"

using namespace sheetdriving;
using testsupport::ItemText;
using testsupport::ResourceString;

namespace {

std::string Scenario(int reduceOn)
{
    return "[Adapter0]\nDeviceMask=3\nReduceOn=" + std::to_string(reduceOn) +
           "\n[Device0]\nName=\\\\.\\DISPLAY1\n";
}

// The reduce-on page follows the configuration page.
constexpr int kReduceOnPageIndex = 1;

HWND ReduceOn(HWND sheet)
{
    return ShowPage(sheet, kReduceOnPageIndex);
}

HWND List(HWND page)
{
    return GetDlgItem(page, IDC_REDUCE_ON_LIST);
}

// Chooses the list entry that shows string `textId`.
void ChooseEntry(HWND page, UINT textId)
{
    const int index = FindEntry(List(page), ResourceString(textId));
    ASSERT_GE(index, 0) << "no entry with string " << textId;
    Choose(page, IDC_REDUCE_ON_LIST, index);
}

bool Shown(HWND page, int id)
{
    return IsWindowVisible(GetDlgItem(page, id)) != FALSE;
}

class ReduceOnPage : public ExtensionPages {
protected:
    void SetUp() override
    {
        ExtensionPages::SetUp();
        SetOem("OEM", "EnableReduceOn", 1);
    }

    // Opens Display Properties on a driver whose reduce-on is `reduceOn`.
    void OpenWithReduceOn(int reduceOn)
    {
        Load(Scenario(reduceOn));
        OpenDisplayProperties();
    }
};

} // namespace

TEST_F(ReduceOnPage, ShowsTheDriversSettingWithApplyOff)
{
    struct Case {
        int reduceOn;
        UINT entryText;
        LRESULT entryData;
        UINT stateText;
    };
    for (const Case& c : { Case{ 1, IDS_REDUCE_ON_ON, 1, IDS_REDUCE_ON_STATE_ON },
                           Case{ 0, IDS_REDUCE_ON_OFF, 0, IDS_REDUCE_ON_STATE_OFF } }) {
        SCOPED_TRACE("reduce-on " + std::to_string(c.reduceOn));
        OpenWithReduceOn(c.reduceOn);
        WithAdvancedSheet([&](HWND sheet) {
            HWND page = ReduceOn(sheet);
            ASSERT_NE(nullptr, page);
            // Off first, then on.
            ASSERT_EQ(2, SendMessageA(List(page), CB_GETCOUNT, 0, 0));
            EXPECT_EQ(0, FindEntry(List(page), ResourceString(IDS_REDUCE_ON_OFF)));
            EXPECT_EQ(1, FindEntry(List(page), ResourceString(IDS_REDUCE_ON_ON)));
            EXPECT_EQ(ResourceString(c.entryText), SelectedText(List(page)));
            EXPECT_EQ(c.entryData, SelectedData(List(page)));
            EXPECT_FALSE(ApplyEnabled(sheet));
            // The state text is kept in a control the page hides, as is the note.
            EXPECT_EQ(ResourceString(c.stateText), ItemText(page, IDC_REDUCE_ON_STATE));
            EXPECT_FALSE(Shown(page, IDC_REDUCE_ON_STATE));
            EXPECT_FALSE(Shown(page, IDC_REDUCE_ON_NOTE));
            EXPECT_EQ(testsupport::FormatResource(IDS_FMT_COPYRIGHT_YEARS, 2001, 2003),
                      ItemText(page, IDC_COPYRIGHT_YEARS));
            EXPECT_EQ(ResourceString(IDS_COPYRIGHT_NOTICE), ItemText(page, IDC_COPYRIGHT_NOTICE));
        });
        CloseDisplayProperties();
    }
}

TEST_F(ReduceOnPage, ChoosingAnotherEntryEnablesApplyAndChoosingBackKeepsIt)
{
    OpenWithReduceOn(1);
    WithAdvancedSheet([&](HWND sheet) {
        HWND page = ReduceOn(sheet);
        ChooseEntry(page, IDS_REDUCE_ON_OFF);
        EXPECT_TRUE(ApplyEnabled(sheet));
        ChooseEntry(page, IDS_REDUCE_ON_ON);
        EXPECT_TRUE(ApplyEnabled(sheet));
        EXPECT_EQ(ResourceString(IDS_REDUCE_ON_ON), SelectedText(List(page)));
    });
}

TEST_F(ReduceOnPage, ApplyWithTheAppliedChoiceCallsAndBroadcastsNothing)
{
    OpenWithReduceOn(1);
    WithAdvancedSheet([&](HWND sheet) {
        HWND page = ReduceOn(sheet);
        ChooseEntry(page, IDS_REDUCE_ON_OFF);
        ChooseEntry(page, IDS_REDUCE_ON_ON);
        ASSERT_TRUE(PressApply(sheet));
        WaitForPostedMessages();
        EXPECT_TRUE(OwnEscapes(SIM_FN_REDUCE_ON).empty());
        EXPECT_EQ(0, PowerBroadcasts());
        EXPECT_EQ(nullptr, MessageBoxOfThisProcess());
    });
}

TEST_F(ReduceOnPage, ApplyWithAChangeSetsReduceOnOnceBroadcastsOnceAndReloads)
{
    OpenWithReduceOn(1);
    const bool driverIsTold = Is95Family(Header());
    WithAdvancedSheet([&](HWND sheet) {
        HWND page = ReduceOn(sheet);
        ChooseEntry(page, IDS_REDUCE_ON_OFF);
        ASSERT_TRUE(PressApply(sheet));
        WaitForPostedMessages();

        const std::vector<SimJournalEntry> set = OwnEscapes(SIM_FN_REDUCE_ON);
        ASSERT_EQ(1u, set.size());
        EXPECT_EQ(0, SIM_REQUEST_BYTE(&set[0], 4));
        EXPECT_EQ(0u, State().adapters[0].values[SIM_VALUE_REDUCE_ON]);
        EXPECT_EQ(1, PowerBroadcasts());
        // Reloaded: the state text follows the driver, and the choice it
        // shows is the applied one, so choosing it again changes nothing.
        EXPECT_EQ(ResourceString(IDS_REDUCE_ON_STATE_OFF), ItemText(page, IDC_REDUCE_ON_STATE));
        ChooseEntry(page, IDS_REDUCE_ON_OFF);
        EXPECT_FALSE(ApplyEnabled(sheet));
        // The page hears its own broadcast too: on the 95 family it tells
        // the driver the AC line status once.
        EXPECT_EQ(driverIsTold ? 1u : 0u, OwnEscapes(SIM_FN_AC_LINE).size());
    });
}

TEST_F(ReduceOnPage, AFailedSetReduceOnIsDroppedSilentlyAndThePageStaysModified)
{
    OpenWithReduceOn(1);
    ASSERT_TRUE(SimSetEscapeFault(SIM_FN_REDUCE_ON, SIM_STATUS_NOT_NOW));
    WithAdvancedSheet([&](HWND sheet) {
        HWND page = ReduceOn(sheet);
        ChooseEntry(page, IDS_REDUCE_ON_OFF);
        EXPECT_TRUE(PressApply(sheet)) << "a box about the failure holds the Apply";
        WaitForPostedMessages();
        EXPECT_EQ(nullptr, MessageBoxOfThisProcess());
        EXPECT_EQ(1u, OwnEscapes(SIM_FN_REDUCE_ON).size());
        EXPECT_EQ(0, PowerBroadcasts());
        EXPECT_EQ(ResourceString(IDS_REDUCE_ON_STATE_ON), ItemText(page, IDC_REDUCE_ON_STATE));
        // The sheet took the Apply, but the page still holds a choice that
        // differs from the driver's: its next update marks it again.
        ChooseEntry(page, IDS_REDUCE_ON_OFF);
        EXPECT_TRUE(ApplyEnabled(sheet));
    });
    if (HWND box = MessageBoxOfThisProcess())
        PostMessageA(box, WM_COMMAND, IDOK, 0);
}

TEST_F(ReduceOnPage, PowerTextFollowsTheACLineStatusAtEachNotice)
{
    OpenWithReduceOn(0);
    const bool driverIsTold = Is95Family(Header());
    WithAdvancedSheet([&](HWND sheet) {
        HWND page = ReduceOn(sheet);
        EXPECT_EQ(ResourceString(IDS_POWER_AC), ItemText(page, IDC_REDUCE_ON_POWER_SOURCE));
        struct Case {
            BYTE status;
            UINT text;
        };
        std::vector<BYTE> told;
        for (const Case& c : { Case{ AC_LINE_OFFLINE, IDS_POWER_BATTERY }, Case{ AC_LINE_UNKNOWN, IDS_POWER_UNKNOWN },
                               Case{ AC_LINE_ONLINE, IDS_POWER_AC }, Case{ AC_LINE_OFFLINE, IDS_POWER_BATTERY } }) {
            SCOPED_TRACE("AC line status " + std::to_string(c.status));
            ASSERT_TRUE(SimSetACLineStatus(c.status));
            EXPECT_EQ(TRUE, SendMessageA(page, WM_POWERBROADCAST, PBT_APMPOWERSTATUSCHANGE, 0));
            EXPECT_EQ(ResourceString(c.text), ItemText(page, IDC_REDUCE_ON_POWER_SOURCE));
            told.push_back(c.status);
        }
        // Every notice is passed on, also a repeated status; the NT family's
        // driver is never told.
        std::vector<BYTE> passed;
        for (const SimJournalEntry& entry : OwnEscapes(SIM_FN_AC_LINE))
            passed.push_back(SIM_REQUEST_BYTE(&entry, 4));
        EXPECT_EQ(driverIsTold ? told : std::vector<BYTE>(), passed);
        EXPECT_FALSE(ApplyEnabled(sheet));
    });
}

TEST_F(ReduceOnPage, OtherPowerNoticesAreAnsweredAndIgnored)
{
    OpenWithReduceOn(0);
    WithAdvancedSheet([&](HWND sheet) {
        HWND page = ReduceOn(sheet);
        ASSERT_TRUE(SimSetACLineStatus(AC_LINE_OFFLINE));
        EXPECT_EQ(TRUE, SendMessageA(page, WM_POWERBROADCAST, PBT_APMRESUMESUSPEND, 0));
        EXPECT_EQ(ResourceString(IDS_POWER_AC), ItemText(page, IDC_REDUCE_ON_POWER_SOURCE));
        EXPECT_TRUE(OwnEscapes(SIM_FN_AC_LINE).empty());
    });
}

TEST_F(ReduceOnPage, ABroadcastToTheTopLevelWindowsReachesThePage)
{
    OpenWithReduceOn(0);
    WithAdvancedSheet([&](HWND sheet) {
        HWND page = ReduceOn(sheet);
        ASSERT_TRUE(SimSetACLineStatus(AC_LINE_OFFLINE));
        DWORD recipients = BSM_ALLCOMPONENTS;
        ASSERT_GE(BroadcastSystemMessageA(BSF_POSTMESSAGE, &recipients, WM_POWERBROADCAST,
                                          PBT_APMPOWERSTATUSCHANGE, 0), 0);
        WaitForPostedMessages();
        EXPECT_EQ(1, PowerBroadcasts());
        EXPECT_EQ(ResourceString(IDS_POWER_BATTERY), ItemText(page, IDC_REDUCE_ON_POWER_SOURCE));
    });
}

TEST_F(ReduceOnPage, FollowsTheConfigurationPageOnlyWithTheSwitchAndAReadableState)
{
    struct Case {
        const char* name;
        int reduceOnSetting;
        bool identificationFails;  // the sheet's refresh fails, the page's reload not
        bool offered;
    };
    // Windows NT 4 never offers the page; the test prefixes are of other kinds.
    for (const Case& c : { Case{ "switch on", 1, false, true }, Case{ "switch off", 0, false, false },
                           Case{ "refresh fails", 1, true, false } }) {
        SCOPED_TRACE(c.name);
        SetOem("OEM", "EnableReduceOn", c.reduceOnSetting);
        OpenDisplayProperties();
        if (c.identificationFails) {
            ASSERT_TRUE(SimSetEscapeFault(SIM_FN_REQUEST, SIM_NO_ANSWER));
        }
        WithAdvancedSheet([&](HWND sheet) {
            ASSERT_EQ(c.offered ? 2 : 1, PageCount(sheet));
            EXPECT_NE(nullptr, GetDlgItem(PageAt(sheet, 0), IDC_CONFIG_HOTKEYS_ON)) << "the configuration page comes first";
            if (c.offered) {
                EXPECT_NE(nullptr, GetDlgItem(ReduceOn(sheet), IDC_REDUCE_ON_LIST));
            }
        });
        ASSERT_TRUE(SimSetEscapeFault(SIM_FN_REQUEST, 0));
        // A refresh failure drops the page without a word.
        EXPECT_EQ(nullptr, MessageBoxOfThisProcess());
        CloseDisplayProperties();
    }
}
