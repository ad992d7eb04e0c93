// The configuration page in the advanced sheet, reached as the user reaches
// it: the display-devices page's button opens the sheet, which runs modally
// on the test's thread while a second thread drives it.  What Apply does is
// read from the simulated driver's journal and from the user's settings.
#include <gtest/gtest.h>

#include <utility>

#include "os_service.h"
#include "pages_fixture.h"
#include "handles.h"

using namespace sheetdriving;
using testsupport::ResourceString;

namespace {

const char kSettingsKey[] = "SOFTWARE\\Quorvel Inc.\\Tarvok VQX Control Panel";

// Driver values written by a page: (index, value) of each escape 4, in order.
using ValueWrites = std::vector<std::pair<DWORD, DWORD>>;

HWND ConfigurationPage(HWND sheet)
{
    return ShowPage(sheet, 0);
}

bool Enabled(HWND page, int id)
{
    return IsWindowEnabled(GetDlgItem(page, id)) != FALSE;
}

bool Shown(HWND page, int id)
{
    return IsWindowVisible(GetDlgItem(page, id)) != FALSE;
}

bool Checked(HWND page, int id)
{
    return IsDlgButtonChecked(page, id) == BST_CHECKED;
}

// Chooses the entry of list `id` whose item data is `value`.
void ChooseValue(HWND page, int id, LRESULT value)
{
    HWND list = GetDlgItem(page, id);
    const LRESULT count = SendMessageA(list, CB_GETCOUNT, 0, 0);
    for (LRESULT index = 0; index < count; ++index) {
        if (SendMessageA(list, CB_GETITEMDATA, static_cast<WPARAM>(index), 0) == value) {
            Choose(page, id, static_cast<int>(index));
            return;
        }
    }
    ADD_FAILURE() << "list " << id << " has no entry for " << value;
}

INT_PTR CALLBACK LeaveToTheDialogManager(HWND, UINT, WPARAM, LPARAM)
{
    return FALSE;
}

int GroupHeight(HWND page)
{
    RECT rect = {};
    GetWindowRect(GetDlgItem(page, IDC_CONFIG_DISPLAYS_GROUP), &rect);
    return rect.bottom - rect.top;
}

// The height of the "Displays" group as template `templateId` lays it out
// in the page's font, measured on a copy of the template made here.
int GroupHeightInTemplate(UINT templateId)
{
    testsupport::StandInWindow parent;
    if (!parent.Create("ConfigurationTemplateParent", "", 0))
        return -1;
    HWND copy = CreateDialogParamA(GetModuleHandleA("VQXRES.DLL"), MAKEINTRESOURCEA(templateId), parent.Handle(),
                                   LeaveToTheDialogManager, 0);
    const int height = copy ? GroupHeight(copy) : -1;
    if (copy)
        DestroyWindow(copy);
    parent.Destroy();
    return height;
}

void DeleteSetting(const char* name)
{
    // The key stays: the settings service holds it open.
    CRegKey key;
    if (key.Open(HKEY_CURRENT_USER, kSettingsKey, KEY_SET_VALUE) == ERROR_SUCCESS)
        key.DeleteValue(name);
}

DWORD SettingsDword(const char* name, DWORD missing)
{
    CRegKey key;
    DWORD value = missing;
    if (key.Open(HKEY_CURRENT_USER, kSettingsKey, KEY_READ) == ERROR_SUCCESS)
        key.QueryDWORD(name, value);
    return value;
}

// The enabled word of the hot-key table the settings hold; -1 without one.
int32_t SavedHotKeysOn()
{
    CRegKey key;
    HotKeyTable table = {};
    DWORD size = sizeof(table);
    if (key.Open(HKEY_CURRENT_USER, kSettingsKey, KEY_READ) != ERROR_SUCCESS ||
        key.QueryBinary("HotKey", &table, size) != ERROR_SUCCESS || size != sizeof(table))
        return -1;
    return table.enabled;
}

class ConfigurationPageTest : public ExtensionPages {
protected:
    ValueWrites OwnValueWrites() const
    {
        ValueWrites writes;
        for (const SimJournalEntry& entry : OwnEscapes(SIM_FN_SET_VALUE))
            writes.emplace_back(entry.request[1], entry.request[2]);
        return writes;
    }

    // Whether the header offers dual view for the OEM switch `setting` on
    // this prefix: only Windows NT 4 and 2000 have the mode.
    bool DualViewOnThisSystem(int setting)
    {
        return setting && (Header().osClass == kOSWinNT4 || Header().osClass == kOSWin2000);
    }
};

} // namespace

TEST_F(ConfigurationPageTest, TemplateAndTvBoxFollowTheSwitchesAndApplyWritesOnlyWhatTheyAllow)
{
    struct Case {
        int enableTv;
        int enableDualView;
    };
    for (const Case& c : { Case{ 1, 0 }, Case{ 0, 0 }, Case{ 1, 1 }, Case{ 0, 1 } }) {
        SCOPED_TRACE("TV " + std::to_string(c.enableTv) + ", dual view " + std::to_string(c.enableDualView));
        Load(kOneDisplay);
        DeleteSetting("DualViewSecSize");
        SetOem("OEM", "EnableTV", c.enableTv);
        SetOem("OEM", "EnableDualView", c.enableDualView);
        OpenDisplayProperties();
        const bool dualView = DualViewOnThisSystem(c.enableDualView);
        ASSERT_EQ(dualView, Header().enableDualView != 0);
        WithAdvancedSheet([&](HWND sheet) {
            HWND page = ConfigurationPage(sheet);
            SimClearJournal();
            // The dual-view size box exists only in the dual-view template.
            EXPECT_EQ(dualView, GetDlgItem(page, IDC_CONFIG_DUALVIEW_SIZE) != nullptr);
            EXPECT_EQ(c.enableTv != 0, Enabled(page, IDC_CONFIG_TV_SYSTEM));
            EXPECT_EQ(c.enableTv != 0, Enabled(page, IDC_CONFIG_TV_SYSTEM_LABEL));
            // A choice in a disabled box is no reason to write it.
            ChooseValue(page, IDC_CONFIG_TV_SYSTEM, 1);
            if (dualView)
                ChooseValue(page, IDC_CONFIG_DUALVIEW_SIZE, 3);
            EXPECT_TRUE(ApplyEnabled(sheet));
            ASSERT_TRUE(PressApply(sheet));
            const ValueWrites tvWrite = { { SIM_VALUE_TV_SYSTEM, 1 } };
            ValueWrites expected = c.enableTv ? tvWrite : ValueWrites();
            expected.push_back({ SIM_VALUE_DUAL_MONITOR_SWAPPED, 0 });
            EXPECT_EQ(expected, OwnValueWrites());
            EXPECT_EQ(dualView ? 3u : 0xFFu, SettingsDword("DualViewSecSize", 0xFF));
            EXPECT_EQ(c.enableTv ? 1u : 0u, State().adapters[0].values[SIM_VALUE_TV_SYSTEM]);
        });
        EXPECT_EQ(nullptr, MessageBoxOfThisProcess());
        CloseDisplayProperties();
    }
}

TEST_F(ConfigurationPageTest, ShowsTheAdaptersValuesAndApplyWritesEveryChoiceInOrder)
{
    Load("[Adapter0]\nDeviceMask=3\nTvSystem=0\nSecondaryPanelId=2\nSecondaryColorInterface=0\n"
         "[Device0]\nName=\\\\.\\DISPLAY1\n");
    SetOem("OEM", "EnableTV", 1);
    SetOem("OEM", "RazoroDemo", 1);
    OpenDisplayProperties();
    const bool swapOffered = Header().osClass != kOSWin95 && Header().osClass != kOSWinNT4;
    WithAdvancedSheet([&](HWND sheet) {
        HWND page = ConfigurationPage(sheet);
        SimClearJournal();
        struct List {
            int id;
            UINT firstText;
            int count;
            LRESULT shown;
        };
        for (const List& list : { List{ IDC_CONFIG_TV_SYSTEM, IDS_TV_SYSTEM_0, 2, 0 },
                                  List{ IDC_CONFIG_PANEL_TYPE, IDS_PANEL_TYPE_0, 5, 2 },
                                  List{ IDC_CONFIG_PANEL_INTERFACE, IDS_PANEL_INTERFACE_0, 2, 0 } }) {
            SCOPED_TRACE("list " + std::to_string(list.id));
            HWND box = GetDlgItem(page, list.id);
            ASSERT_EQ(list.count, SendMessageA(box, CB_GETCOUNT, 0, 0));
            for (int value = 0; value < list.count; ++value)
                EXPECT_EQ(value, SendMessageA(box, CB_GETITEMDATA, static_cast<WPARAM>(FindEntry(box, ResourceString(list.firstText + value))), 0));
            EXPECT_EQ(list.shown, SelectedData(box));
        }
        EXPECT_TRUE(Checked(page, IDC_CONFIG_HOTKEYS_ON));
        EXPECT_FALSE(Checked(page, IDC_CONFIG_DUALMON_SWAP));
        EXPECT_FALSE(ApplyEnabled(sheet));

        ChooseValue(page, IDC_CONFIG_TV_SYSTEM, 1);
        ChooseValue(page, IDC_CONFIG_PANEL_TYPE, 4);
        ChooseValue(page, IDC_CONFIG_PANEL_INTERFACE, 1);
        SetCheck(page, IDC_CONFIG_HOTKEYS_ON, false);
        if (swapOffered)
            SetCheck(page, IDC_CONFIG_DUALMON_SWAP, true);
        ASSERT_TRUE(PressApply(sheet));

        const ValueWrites expected = {
            { SIM_VALUE_TV_SYSTEM, 1 },
            { SIM_VALUE_SECONDARY_PANEL_ID, 4 },
            { SIM_VALUE_SECONDARY_COLOR_INTERFACE, 1 },
            { SIM_VALUE_DUAL_MONITOR_SWAPPED, swapOffered ? 1u : 0u },
        };
        EXPECT_EQ(expected, OwnValueWrites());
        EXPECT_EQ(0, SavedHotKeysOn());
        // Reloaded from the adapter: the choices are its values now.
        EXPECT_EQ(4, SelectedData(GetDlgItem(page, IDC_CONFIG_PANEL_TYPE)));
        EXPECT_EQ(1, SelectedData(GetDlgItem(page, IDC_CONFIG_PANEL_INTERFACE)));
        EXPECT_EQ(swapOffered, Checked(page, IDC_CONFIG_DUALMON_SWAP));
        EXPECT_FALSE(Checked(page, IDC_CONFIG_HOTKEYS_ON));
        EXPECT_FALSE(ApplyEnabled(sheet));
    });
    EXPECT_EQ(nullptr, MessageBoxOfThisProcess());
}

TEST_F(ConfigurationPageTest, ChoicesMarkThePageAndTheHotKeysBoxRulesItsButtonAtOnce)
{
    OpenDisplayProperties();
    WithAdvancedSheet([&](HWND sheet) {
        HWND page = ConfigurationPage(sheet);
        SimClearJournal();
        EXPECT_TRUE(Enabled(page, IDC_CONFIG_HOTKEYS_BUTTON));
        EXPECT_FALSE(ApplyEnabled(sheet));
        struct Step {
            const char* name;
            std::function<void()> act;
            bool buttonEnabled;
        };
        // Once marked, the page stays marked: only Apply clears the mark.
        const Step steps[] = {
            { "hot keys off", [&] { SetCheck(page, IDC_CONFIG_HOTKEYS_ON, false); }, false },
            { "hot keys on again", [&] { SetCheck(page, IDC_CONFIG_HOTKEYS_ON, true); }, true },
            { "other panel type", [&] { ChooseValue(page, IDC_CONFIG_PANEL_TYPE, 0); }, true },
            { "loaded panel type again", [&] { ChooseValue(page, IDC_CONFIG_PANEL_TYPE, 2); }, true },
        };
        for (const Step& step : steps) {
            SCOPED_TRACE(step.name);
            step.act();
            EXPECT_EQ(step.buttonEnabled, Enabled(page, IDC_CONFIG_HOTKEYS_BUTTON));
            EXPECT_TRUE(ApplyEnabled(sheet));
        }
        EXPECT_TRUE(OwnEscapes(SIM_FN_SET_VALUE).empty()) << "nothing is written before Apply";
    });
}

TEST_F(ConfigurationPageTest, TheSwapBoxShowsOnlyWhereTheMakerRevealsItOnASystemWithTheMode)
{
    for (int revealed : { 0, 1 }) {
        SCOPED_TRACE("RazoroDemo " + std::to_string(revealed));
        SetOem("OEM", "RazoroDemo", revealed);
        OpenDisplayProperties();
        // Windows 95 and NT 4 have no dual-monitor mode.
        const int osClass = Header().osClass;
        const bool kept = revealed && osClass != kOSWin95 && osClass != kOSWinNT4;
        WithAdvancedSheet([&](HWND sheet) {
            HWND page = ConfigurationPage(sheet);
            const bool dualView = GetDlgItem(page, IDC_CONFIG_DUALVIEW_SIZE) != nullptr;
            const int templateHeight = GroupHeightInTemplate(dualView ? IDD_CONFIG_DUALVIEW : IDD_CONFIG);
            ASSERT_GT(templateHeight, 0);
            EXPECT_EQ(kept, Shown(page, IDC_CONFIG_DUALMON_SWAP));
            EXPECT_EQ(kept, Enabled(page, IDC_CONFIG_DUALMON_SWAP));
            EXPECT_EQ(kept ? templateHeight : templateHeight - 20, GroupHeight(page));
        });
        CloseDisplayProperties();
    }
}

TEST_F(ConfigurationPageTest, AFailedApplyIsToldInOneBoxShowsTheAdapterAgainAndKeepsTheSheetOpen)
{
    OpenDisplayProperties();
    WithAdvancedSheet([&](HWND sheet) {
        HWND page = ConfigurationPage(sheet);
        ChooseValue(page, IDC_CONFIG_TV_SYSTEM, 1);
        ASSERT_TRUE(SimSetEscapeFault(SIM_FN_SET_VALUE, SIM_STATUS_NOT_NOW));
        PostMessageA(sheet, PSM_PRESSBUTTON, PSBTN_APPLYNOW, 0);
        EXPECT_EQ(ResourceString(IDS_ERR_DRIVER_FAILED, SIM_FN_SET_VALUE), TakeMessageBox());
        ASSERT_TRUE(SimSetEscapeFault(SIM_FN_SET_VALUE, 0));
        // After the box the page reloads: it shows the driver's TV system,
        // and the sheet, still open, keeps Apply on.
        ASSERT_TRUE(testsupport::WaitUntil([&] { return SelectedData(GetDlgItem(page, IDC_CONFIG_TV_SYSTEM)) == 0; }, 30000));
        EXPECT_TRUE(IsWindow(sheet));
        EXPECT_TRUE(ApplyEnabled(sheet));
        EXPECT_EQ(nullptr, MessageBoxOfThisProcess()) << "one box only";
        EXPECT_EQ(0u, State().adapters[0].values[SIM_VALUE_TV_SYSTEM]);
    });
}
