// The configuration page in the advanced sheet, driven from a second thread
// while the sheet runs modally; what Apply does is read from the simulated
// driver's journal and from the user's settings.
#include <gtest/gtest.h>

#include <utility>

#include "handles.h"
#include "os_service.h"
#include "pages_fixture.h"

using namespace sheetdriving;

namespace {


// (index, value) of each driver value this process wrote, in order.
using ValueWrites = std::vector<std::pair<DWORD, DWORD>>;

bool Enabled(HWND page, int id)
{
    return IsWindowEnabled(GetDlgItem(page, id)) != FALSE;
}

int GroupHeight(HWND dialog)
{
    RECT rect = {};
    GetWindowRect(GetDlgItem(dialog, IDC_CONFIG_DISPLAYS_GROUP), &rect);
    return rect.bottom - rect.top;
}

INT_PTR CALLBACK LeaveToTheDialogManager(HWND, UINT, WPARAM, LPARAM)
{
    return FALSE;
}

// The group's height as the template lays it out, on a copy made here.
int GroupHeightInTemplate(UINT templateId)
{
    testsupport::StandInWindow parent;
    HWND copy = CreateDialogParamA(GetModuleHandleA("VQXRES.DLL"), MAKEINTRESOURCEA(templateId),
                                   parent.Create("TemplateParent", "", 0), LeaveToTheDialogManager, 0);
    const int height = copy ? GroupHeight(copy) : -1;
    DestroyWindow(copy);
    return height;
}

CRegKey Settings()
{
    CRegKey key;
    key.Open(HKEY_CURRENT_USER, kSettingsKeyPath, KEY_READ | KEY_SET_VALUE);
    return key;
}

class ConfigurationPage : public ExtensionPages {
protected:
    ValueWrites OwnValueWrites() const
    {
        ValueWrites writes;
        for (const SimJournalEntry& entry : OwnEscapes(SIM_FN_SET_VALUE))
            writes.emplace_back(entry.request[1], entry.request[2]);
        return writes;
    }
};

} // namespace

TEST_F(ConfigurationPage, ApplyWritesEveryChoiceTheSwitchesAllowInOrder)
{
    struct Case {
        int enableTv;
        int enableDualView;
    };
    for (const Case& c : { Case{ 1, 0 }, Case{ 0, 0 }, Case{ 1, 1 }, Case{ 0, 1 } }) {
        SCOPED_TRACE("TV " + std::to_string(c.enableTv) + ", dual view " + std::to_string(c.enableDualView));
        Load(kOneDisplay);
        Settings().DeleteValue("DualViewSecSize");  // the key stays: the service holds it open
        SetOem("OEM", "EnableTV", c.enableTv);
        SetOem("OEM", "EnableDualView", c.enableDualView);
        OpenDisplayProperties();
        // Only Windows NT 4 and 2000 have dual view.
        const bool dualView = c.enableDualView && (Header().osClass == kOSWinNT4 || Header().osClass == kOSWin2000);
        WithAdvancedSheet([&](HWND sheet) {
            HWND page = ShowPage(sheet, 0);
            SimClearJournal();
            EXPECT_EQ(dualView, GetDlgItem(page, IDC_CONFIG_DUALVIEW_SIZE) != nullptr) << "template";
            EXPECT_EQ(c.enableTv != 0, Enabled(page, IDC_CONFIG_TV_SYSTEM));
            EXPECT_EQ(c.enableTv != 0, Enabled(page, IDC_CONFIG_TV_SYSTEM_LABEL));
            // Chosen even where the box is disabled: that is no reason to write it.
            EXPECT_TRUE(ChooseData(page, IDC_CONFIG_TV_SYSTEM, 1));
            EXPECT_TRUE(ChooseData(page, IDC_CONFIG_PANEL_TYPE, 4));
            EXPECT_TRUE(ChooseData(page, IDC_CONFIG_PANEL_INTERFACE, 1));
            if (dualView) {
                EXPECT_TRUE(ChooseData(page, IDC_CONFIG_DUALVIEW_SIZE, 3));
            }
            SetCheck(page, IDC_CONFIG_HOTKEYS_ON, false);
            ASSERT_TRUE(PressApply(sheet));

            ValueWrites expected = { { SIM_VALUE_SECONDARY_PANEL_ID, 4 }, { SIM_VALUE_SECONDARY_COLOR_INTERFACE, 1 },
                                     { SIM_VALUE_DUAL_MONITOR_SWAPPED, 0 } };
            if (c.enableTv)
                expected.insert(expected.begin(), { SIM_VALUE_TV_SYSTEM, 1 });
            EXPECT_EQ(expected, OwnValueWrites());
            DWORD size = 0;
            EXPECT_EQ(dualView, Settings().QueryDWORD("DualViewSecSize", size) == ERROR_SUCCESS && size == 3);
            HotKeyTable saved = {};
            DWORD bytes = sizeof(saved);
            ASSERT_EQ(ERROR_SUCCESS, Settings().QueryBinary("HotKey", &saved, bytes));
            EXPECT_EQ(0, saved.enabled);
            // Reloaded: the adapter's values are the page's loaded values now.
            EXPECT_EQ(4, SelectedData(GetDlgItem(page, IDC_CONFIG_PANEL_TYPE)));
            EXPECT_FALSE(ApplyEnabled(sheet));
        });
        EXPECT_EQ(nullptr, MessageBoxOfThisProcess());
        CloseDisplayProperties();
    }
}

TEST_F(ConfigurationPage, ChoicesMarkThePageAndTheHotKeysBoxRulesItsButtonAtOnce)
{
    OpenDisplayProperties();
    WithAdvancedSheet([&](HWND sheet) {
        HWND page = ShowPage(sheet, 0);
        SimClearJournal();
        EXPECT_TRUE(Enabled(page, IDC_CONFIG_HOTKEYS_BUTTON));
        EXPECT_FALSE(ApplyEnabled(sheet));
        struct Step {
            const char* name;
            std::function<void()> act;
            bool buttonEnabled;
        };
        // Once marked the page stays marked, also with the loaded value chosen again.
        const auto panel = [&](int type) { EXPECT_TRUE(ChooseData(page, IDC_CONFIG_PANEL_TYPE, type)); };
        for (const Step& step : { Step{ "hot keys off", [&] { SetCheck(page, IDC_CONFIG_HOTKEYS_ON, false); }, false },
                                  Step{ "hot keys on", [&] { SetCheck(page, IDC_CONFIG_HOTKEYS_ON, true); }, true },
                                  Step{ "other panel", [&] { panel(0); }, true },
                                  Step{ "loaded panel", [&] { panel(2); }, true } }) {
            SCOPED_TRACE(step.name);
            step.act();
            EXPECT_EQ(step.buttonEnabled, Enabled(page, IDC_CONFIG_HOTKEYS_BUTTON));
            EXPECT_TRUE(ApplyEnabled(sheet));
        }
        EXPECT_TRUE(OwnEscapes(SIM_FN_SET_VALUE).empty()) << "nothing is written before Apply";
    });
}

TEST_F(ConfigurationPage, TheSwapBoxShowsOnlyWhereTheMakerRevealsItOnASystemWithTheMode)
{
    for (int revealed : { 0, 1 }) {
        SCOPED_TRACE("RazoroDemo " + std::to_string(revealed));
        SetOem("OEM", "RazoroDemo", revealed);
        OpenDisplayProperties();
        // Windows 95 and NT 4 have no dual-monitor mode.
        const bool kept = revealed && Header().osClass != kOSWin95 && Header().osClass != kOSWinNT4;
        WithAdvancedSheet([&](HWND sheet) {
            HWND page = ShowPage(sheet, 0);
            const UINT templateId = GetDlgItem(page, IDC_CONFIG_DUALVIEW_SIZE) ? IDD_CONFIG_DUALVIEW : IDD_CONFIG;
            EXPECT_EQ(kept, IsWindowVisible(GetDlgItem(page, IDC_CONFIG_DUALMON_SWAP)) != FALSE);
            EXPECT_EQ(kept, Enabled(page, IDC_CONFIG_DUALMON_SWAP));
            EXPECT_EQ(GroupHeightInTemplate(templateId) - (kept ? 0 : 20), GroupHeight(page));
        });
        CloseDisplayProperties();
    }
}

TEST_F(ConfigurationPage, AFailedApplyIsToldInOneBoxShowsTheAdapterAgainAndKeepsTheSheetOpen)
{
    OpenDisplayProperties();
    WithAdvancedSheet([&](HWND sheet) {
        HWND page = ShowPage(sheet, 0);
        EXPECT_TRUE(ChooseData(page, IDC_CONFIG_TV_SYSTEM, 1));
        ASSERT_TRUE(SimSetEscapeFault(SIM_FN_SET_VALUE, SIM_STATUS_NOT_NOW));
        PostMessageA(sheet, PSM_PRESSBUTTON, PSBTN_APPLYNOW, 0);
        EXPECT_EQ(testsupport::ResourceString(IDS_ERR_DRIVER_FAILED, SIM_FN_SET_VALUE), TakeMessageBox());
        ASSERT_TRUE(SimSetEscapeFault(SIM_FN_SET_VALUE, 0));
        // Then the page shows the driver's TV system again, and the sheet
        // stays open with Apply on.
        EXPECT_TRUE(testsupport::WaitUntil([&] { return SelectedData(GetDlgItem(page, IDC_CONFIG_TV_SYSTEM)) == 0; }, 30000));
        EXPECT_TRUE(ApplyEnabled(sheet));
        EXPECT_EQ(nullptr, MessageBoxOfThisProcess()) << "one box only";
    });
}
