// The hot-key dialog, opened as the user opens it: the configuration page's
// button in the advanced sheet.  The dialog runs on the test's thread inside
// the sheet; a second thread fills its hot-key controls and presses its
// buttons, then reads the adapter's table in the shared block and the table
// the settings hold.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <cstring>
#include <set>

#include "handles.h"
#include "hotkey_dialog.h"
#include "hotkey_table.h"
#include "pages_fixture.h"
#include "resource_catalogue.h"

using namespace sheetdriving;
using testsupport::ResourceString;

namespace {

const char kSettingsKey[] = "SOFTWARE\\Quorvel Inc.\\Tarvok VQX Control Panel";
constexpr DWORD kTimeoutMs = 30000;

struct OemSetting {
    const char* section;
    const char* key;
    int value;
};

// A key as the hot-key controls give it: virtual key, then modifiers.
constexpr WORD Key(char virtualKey, BYTE modifiers)
{
    return MAKEWORD(static_cast<BYTE>(virtualKey), modifiers);
}
constexpr BYTE kCtrlAlt = HOTKEYF_CONTROL | HOTKEYF_ALT;
constexpr BYTE kCtrlShift = HOTKEYF_CONTROL | HOTKEYF_SHIFT;

WORD Shown(HWND dialog, int id)
{
    return LOWORD(SendDlgItemMessageA(dialog, id, HKM_GETHOTKEY, 0, 0));
}

void Type(HWND dialog, int id, WORD key)
{
    SendDlgItemMessageA(dialog, id, HKM_SETHOTKEY, key, 0);
}

WORD Stored(const HotKeyTable& table, int index)
{
    return MAKEWORD(table.keyCode[index], table.modifiers[index]);
}

// The table the settings hold; false without one.
bool SavedTable(HotKeyTable& table)
{
    CRegKey key;
    DWORD size = sizeof(table);
    return key.Open(HKEY_CURRENT_USER, kSettingsKey, KEY_READ) == ERROR_SUCCESS &&
           key.QueryBinary("HotKey", &table, size) == ERROR_SUCCESS && size == sizeof(table);
}

void DeleteSavedTable()
{
    // The key stays: the settings service holds it open.
    CRegKey key;
    if (key.Open(HKEY_CURRENT_USER, kSettingsKey, KEY_SET_VALUE) == ERROR_SUCCESS)
        key.DeleteValue("HotKey");
}

bool SameTables(const HotKeyTable& a, const HotKeyTable& b)
{
    // The padding is nobody's.
    return a.enabled == b.enabled && !std::memcmp(a.keyCode, b.keyCode, sizeof(a.keyCode)) &&
           !std::memcmp(a.modifiers, b.modifiers, sizeof(a.modifiers)) && !std::memcmp(a.fixed, b.fixed, sizeof(a.fixed));
}

// Presses `id` of the dialog and waits until it has closed.
bool CloseWith(HWND dialog, int id)
{
    testsupport::PressButton(dialog, id);
    return testsupport::WaitUntil([&] { return !IsWindow(dialog); }, kTimeoutMs);
}

class HotKeyDialogTest : public ExtensionPages {
protected:
    // Opens Display Properties with the OEM settings `oem`, then the
    // advanced sheet and its hot-key dialog, and runs `drive` with the
    // dialog; a dialog `drive` left open is cancelled.
    void WithHotKeyDialog(std::initializer_list<OemSetting> oem, const std::function<void(HWND dialog)>& drive)
    {
        for (const char* section : { "OEM", "Rotation", "Hotkey" })
            WritePrivateProfileStringA(section, nullptr, nullptr, "VQXOEM.INI");
        for (const OemSetting& setting : oem)
            SetOem(setting.section, setting.key, setting.value);
        OpenDisplayProperties();
        WithAdvancedSheet([&](HWND sheet) {
            testsupport::PressButton(ShowPage(sheet, 0), IDC_CONFIG_HOTKEYS_BUTTON);
            HWND dialog = WaitForDialogOwnedBy(sheet);
            ASSERT_NE(nullptr, dialog) << "no hot-key dialog came";
            EXPECT_FALSE(IsWindowEnabled(sheet)) << "the sheet waits for the dialog";
            drive(dialog);
            if (IsWindow(dialog)) {
                EXPECT_TRUE(CloseWith(dialog, IDCANCEL));
            }
        });
        CloseDisplayProperties();
    }

    HotKeyTable& AdapterTable() { return Hardware()->GetAdapter(0, TRUE)->hotKeyTable; }
};

} // namespace

TEST(HotKeyDialogTemplate, IsTheVariantBuiltForExactlyTheEnabledFeatures)
{
    for (unsigned features = 0; features < 8; ++features) {
        HardwareHeader header = {};
        header.enableDualApp = (features & vqxres::kDualApp) != 0;
        header.enableDualView = (features & vqxres::kDualView) != 0;
        header.enableRotation = (features & vqxres::kRotation) != 0;
        const int id = static_cast<int>(HotKeyDialogTemplate(header));
        int matches = 0;
        for (const vqxres::DialogInfo& dialog : vqxres::kDialogs) {
            if (dialog.id == id) {
                ++matches;
                EXPECT_EQ(vqxres::Screen::HotKeys, dialog.screen) << id;
                EXPECT_EQ(features, dialog.features) << id;
            }
        }
        EXPECT_EQ(1, matches) << "features " << features;
    }
}

TEST_F(HotKeyDialogTest, ControlsOfKeysTheSwitchesDoNotOfferAreDisabledOrHidden)
{
    struct Case {
        const char* name;
        std::initializer_list<OemSetting> oem;
        std::set<int> disabled;
        std::set<int> hidden;
    };
    const std::set<int> secondaryPanelRows = {
        IDC_HOTKEY_SECPANEL, IDC_HOTKEY_LCD_SECPANEL, IDC_HOTKEY_CRT_SECPANEL, IDC_HOTKEY_SECPANEL_TV,
        IDC_HOTKEY_SECPANEL_LABEL, IDC_HOTKEY_LCD_SECPANEL_LABEL, IDC_HOTKEY_CRT_SECPANEL_LABEL, IDC_HOTKEY_SECPANEL_TV_LABEL,
    };
    std::set<int> lcdOnly = secondaryPanelRows;
    lcdOnly.insert({ IDC_HOTKEY_LCD, IDC_HOTKEY_CRT, IDC_HOTKEY_TV, IDC_HOTKEY_LCD_CRT, IDC_HOTKEY_LCD_TV });
    const Case cases[] = {
        { "every output, rotation", { { "OEM", "EnableRotation", 1 } }, {}, {} },
        { "no secondary panel", { { "OEM", "EnableSecondaryPanel", 0 }, { "OEM", "EnableRotation", 1 } },
          secondaryPanelRows, secondaryPanelRows },
        { "no CRT", { { "OEM", "EnableCRT", 0 } },
          { IDC_HOTKEY_CRT, IDC_HOTKEY_LCD_CRT, IDC_HOTKEY_CRT_SECPANEL, IDC_HOTKEY_CRT_SECPANEL_LABEL }, {} },
        { "rotation without 90 degrees", { { "OEM", "EnableRotation", 1 }, { "Rotation", "EnableRT90", 0 } },
          { IDC_HOTKEY_RT90, IDC_HOTKEY_RT90_LABEL }, {} },
        { "LCD panel only", { { "OEM", "EnableCRT", 0 }, { "OEM", "EnableTV", 0 }, { "OEM", "EnableSecondaryPanel", 0 } },
          lcdOnly, secondaryPanelRows },
        { "TV fixed by the maker", { { "Hotkey", "HK_TV_Fixed", 1 } }, { IDC_HOTKEY_TV }, {} },
    };
    const int ids[] = {
        IDC_HOTKEY_LCD, IDC_HOTKEY_CRT, IDC_HOTKEY_TV, IDC_HOTKEY_SECPANEL, IDC_HOTKEY_LCD_CRT, IDC_HOTKEY_LCD_TV,
        IDC_HOTKEY_LCD_SECPANEL, IDC_HOTKEY_CRT_SECPANEL, IDC_HOTKEY_SECPANEL_TV, IDC_HOTKEY_RT90, IDC_HOTKEY_RT180,
        IDC_HOTKEY_RT270, IDC_HOTKEY_SETDA, IDC_HOTKEY_SWAPAPP, IDC_HOTKEY_SWAPDISP, IDC_HOTKEY_SETDV, IDC_HOTKEY_SMOFF,
        IDC_HOTKEY_SECPANEL_LABEL, IDC_HOTKEY_LCD_SECPANEL_LABEL, IDC_HOTKEY_CRT_SECPANEL_LABEL,
        IDC_HOTKEY_SECPANEL_TV_LABEL, IDC_HOTKEY_RT90_LABEL, IDC_HOTKEY_RT180_LABEL, IDC_HOTKEY_RT270_LABEL,
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WithHotKeyDialog(c.oem, [&](HWND dialog) {
            // The template holds the rotation keys exactly when rotation is on.
            EXPECT_EQ(Header().enableRotation != 0, GetDlgItem(dialog, IDC_HOTKEY_RT90) != nullptr);
            for (int id : ids) {
                HWND control = GetDlgItem(dialog, id);
                if (!control)
                    continue;
                SCOPED_TRACE("control " + std::to_string(id));
                EXPECT_EQ(!c.disabled.count(id), IsWindowEnabled(control) != FALSE);
                EXPECT_EQ(!c.hidden.count(id), IsWindowVisible(control) != FALSE);
            }
            // Offered keys show the table's values, a fixed one too.
            const HotKeyTable& table = AdapterTable();
            EXPECT_EQ(c.disabled.count(IDC_HOTKEY_TV) && !table.fixed[kHotKeyTv] ? 0 : Key('T', kCtrlAlt),
                      Shown(dialog, IDC_HOTKEY_TV));
            EXPECT_EQ(c.disabled.count(IDC_HOTKEY_LCD) ? 0 : Key('L', kCtrlAlt), Shown(dialog, IDC_HOTKEY_LCD));
        });
    }
}

TEST_F(HotKeyDialogTest, OkStoresEveryKeyKeepsTheFixedOneAndSavesTheTable)
{
    WithHotKeyDialog({ { "OEM", "EnableSecondaryPanel", 0 }, { "Hotkey", "HK_TV_Fixed", 1 } }, [&](HWND dialog) {
        Type(dialog, IDC_HOTKEY_CRT, Key('M', kCtrlShift));
        ASSERT_TRUE(CloseWith(dialog, IDOK));

        // Without the secondary panel and without rotation, dual view or
        // dual application, only the LCD, CRT and TV keys remain.
        WORD expected[kHotKeyCount] = {};
        expected[kHotKeyLcd] = Key('L', kCtrlAlt);
        expected[kHotKeyCrt] = Key('M', kCtrlShift);
        expected[kHotKeyTv] = Key('T', kCtrlAlt);
        expected[kHotKeyLcdCrt] = Key('C', kCtrlShift);
        expected[kHotKeyLcdTv] = Key('T', kCtrlShift);
        const HotKeyTable& table = AdapterTable();
        for (int i = 0; i < kHotKeyCount; ++i)
            EXPECT_EQ(expected[i], Stored(table, i)) << "hot key " << i;
        EXPECT_EQ(1, table.enabled);
        EXPECT_NE(0, table.fixed[kHotKeyTv]);
        HotKeyTable saved = {};
        ASSERT_TRUE(SavedTable(saved));
        EXPECT_TRUE(SameTables(table, saved));
    });
}

TEST_F(HotKeyDialogTest, EqualKeysAreRefusedAndNothingIsStored)
{
    struct Case {
        const char* name;
        WORD lcd;
        WORD crt;
        bool refused;
    };
    for (const Case& c : { Case{ "same key and modifiers", Key('L', kCtrlAlt), Key('L', kCtrlAlt), true },
                           Case{ "same key, other modifiers", Key('L', kCtrlAlt), Key('L', kCtrlShift), false },
                           Case{ "both empty", 0, 0, false } }) {
        SCOPED_TRACE(c.name);
        DeleteSavedTable();
        WithHotKeyDialog({}, [&](HWND dialog) {
            const HotKeyTable before = AdapterTable();
            Type(dialog, IDC_HOTKEY_LCD, c.lcd);
            Type(dialog, IDC_HOTKEY_CRT, c.crt);
            HotKeyTable saved = {};
            if (c.refused) {
                testsupport::PressButton(dialog, IDOK);
                EXPECT_EQ(ResourceString(IDS_HOTKEY_DUPLICATE), TakeMessageBox());
                EXPECT_TRUE(IsWindowVisible(dialog)) << "the dialog stays open";
                EXPECT_EQ(c.crt, Shown(dialog, IDC_HOTKEY_CRT)) << "with the user's entries";
                EXPECT_TRUE(SameTables(before, AdapterTable()));
                EXPECT_FALSE(SavedTable(saved));
            } else {
                ASSERT_TRUE(CloseWith(dialog, IDOK));
                EXPECT_EQ(c.lcd, Stored(AdapterTable(), kHotKeyLcd));
                EXPECT_EQ(c.crt, Stored(AdapterTable(), kHotKeyCrt));
                ASSERT_TRUE(SavedTable(saved));
                EXPECT_TRUE(SameTables(AdapterTable(), saved));
            }
        });
    }
}

TEST_F(HotKeyDialogTest, UndoChangesShowsTheDefaultsAndOkSavesThemWithLaterEdits)
{
    WithHotKeyDialog({}, [&](HWND dialog) {
        Type(dialog, IDC_HOTKEY_LCD, Key('K', kCtrlAlt));
        testsupport::PressButton(dialog, IDC_HOTKEYS_RELOAD);
        ASSERT_TRUE(testsupport::WaitUntil([&] { return Shown(dialog, IDC_HOTKEY_LCD) == Key('L', kCtrlAlt); }, kTimeoutMs));
        HotKeyTable saved = {};
        EXPECT_FALSE(SavedTable(saved)) << "Undo Changes saves nothing";
        Type(dialog, IDC_HOTKEY_CRT, Key('N', kCtrlAlt));
        ASSERT_TRUE(CloseWith(dialog, IDOK));
        EXPECT_EQ(Key('L', kCtrlAlt), Stored(AdapterTable(), kHotKeyLcd));
        EXPECT_EQ(Key('N', kCtrlAlt), Stored(AdapterTable(), kHotKeyCrt));
        ASSERT_TRUE(SavedTable(saved));
        EXPECT_TRUE(SameTables(AdapterTable(), saved));
    });
}
