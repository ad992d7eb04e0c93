// The hot-key dialog, opened with the configuration page's button: it runs
// on the test's thread inside the sheet while a second thread fills its
// controls and presses its buttons, then reads the adapter's table in the
// shared block and the table saved in the settings.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstring>
#include <iterator>
#include <set>

#include "handles.h"
#include "hotkey_dialog.h"
#include "hotkey_table.h"
#include "os_service.h"
#include "pages_fixture.h"
#include "resource_catalogue.h"

using namespace sheetdriving;

namespace {

struct OemSetting {
    const char* section;
    const char* key;
    int value;
};

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

CRegKey Settings()
{
    CRegKey key;
    key.Open(HKEY_CURRENT_USER, kSettingsKeyPath, KEY_READ | KEY_SET_VALUE);
    return key;
}

// Whether the settings hold exactly `table`.
bool Saved(const HotKeyTable& table)
{
    HotKeyTable saved = {};
    DWORD size = sizeof(saved);
    return Settings().QueryBinary("HotKey", &saved, size) == ERROR_SUCCESS && size == sizeof(saved) &&
           !std::memcmp(&saved, &table, sizeof(saved));
}

// Presses `id` of the dialog and waits until the dialog has closed.
bool CloseWith(HWND dialog, int id)
{
    testsupport::PressButton(dialog, id);
    return testsupport::WaitUntil([&] { return !IsWindow(dialog); }, 30000);
}

class HotKeyDialog : public ExtensionPages {
protected:
    // Opens the dialog on OEM settings `oem` and runs `drive` with it; a
    // dialog left open is cancelled.
    void WithDialog(std::initializer_list<OemSetting> oem, const std::function<void(HWND dialog)>& drive)
    {
        for (const char* section : { "OEM", "Rotation", "Hotkey" })
            WritePrivateProfileStringA(section, nullptr, nullptr, "VQXOEM.INI");
        for (const OemSetting& setting : oem)
            SetOem(setting.section, setting.key, setting.value);
        OpenDisplayProperties();
        WithAdvancedSheet([&](HWND sheet) {
            testsupport::PressButton(ShowPage(sheet, 0), IDC_CONFIG_HOTKEYS_BUTTON);
            HWND dialog = WaitForDialogOwnedBy(sheet);
            ASSERT_NE(nullptr, dialog);
            EXPECT_FALSE(IsWindowEnabled(sheet)) << "the sheet waits for the dialog";
            drive(dialog);
            if (IsWindow(dialog)) {
                EXPECT_TRUE(CloseWith(dialog, IDCANCEL));
            }
        });
        CloseDisplayProperties();
    }

    HotKeyTable& Table() { return Hardware()->GetAdapter(0, TRUE)->hotKeyTable; }
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
        const auto* dialog = std::find_if(std::begin(vqxres::kDialogs), std::end(vqxres::kDialogs),
                                          [id](const vqxres::DialogInfo& d) { return d.id == id; });
        ASSERT_NE(std::end(vqxres::kDialogs), dialog) << id;
        EXPECT_EQ(vqxres::Screen::HotKeys, dialog->screen) << id;
        EXPECT_EQ(features, dialog->features) << id;
    }
}

TEST_F(HotKeyDialog, ControlsOfKeysTheSwitchesDoNotOfferAreDisabledOrHidden)
{
    const std::set<int> panelRows = { IDC_HOTKEY_SECPANEL, IDC_HOTKEY_LCD_SECPANEL, IDC_HOTKEY_CRT_SECPANEL, IDC_HOTKEY_SECPANEL_TV,
                                      IDC_HOTKEY_SECPANEL_LABEL, IDC_HOTKEY_LCD_SECPANEL_LABEL,
                                      IDC_HOTKEY_CRT_SECPANEL_LABEL, IDC_HOTKEY_SECPANEL_TV_LABEL };
    std::set<int> lcdOnly = panelRows;
    lcdOnly.insert({ IDC_HOTKEY_LCD, IDC_HOTKEY_CRT, IDC_HOTKEY_TV, IDC_HOTKEY_LCD_CRT, IDC_HOTKEY_LCD_TV });
    struct Case {
        const char* name;
        std::initializer_list<OemSetting> oem;
        std::set<int> disabled;
        std::set<int> hidden;
    };
    const Case cases[] = {
        { "every output, rotation", { { "OEM", "EnableRotation", 1 } }, {}, {} },
        { "no secondary panel", { { "OEM", "EnableSecondaryPanel", 0 }, { "OEM", "EnableRotation", 1 } }, panelRows, panelRows },
        { "no CRT", { { "OEM", "EnableCRT", 0 } },
          { IDC_HOTKEY_CRT, IDC_HOTKEY_LCD_CRT, IDC_HOTKEY_CRT_SECPANEL, IDC_HOTKEY_CRT_SECPANEL_LABEL }, {} },
        { "no 90 degrees", { { "OEM", "EnableRotation", 1 }, { "Rotation", "EnableRT90", 0 } },
          { IDC_HOTKEY_RT90, IDC_HOTKEY_RT90_LABEL }, {} },
        { "LCD panel only", { { "OEM", "EnableCRT", 0 }, { "OEM", "EnableTV", 0 }, { "OEM", "EnableSecondaryPanel", 0 } },
          lcdOnly, panelRows },
        { "TV fixed", { { "Hotkey", "HK_TV_Fixed", 1 } }, { IDC_HOTKEY_TV }, {} },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WithDialog(c.oem, [&](HWND dialog) {
            EXPECT_EQ(Header().enableRotation != 0, GetDlgItem(dialog, IDC_HOTKEY_RT90) != nullptr) << "template";
            for (int id = IDC_HOTKEY_LCD; id <= IDC_HOTKEY_RT270_LABEL; ++id) {
                HWND control = GetDlgItem(dialog, id);
                if (control && id != IDC_HOTKEYS_RELOAD) {
                    EXPECT_EQ(!c.disabled.count(id), IsWindowEnabled(control) != FALSE) << id;
                    EXPECT_EQ(!c.hidden.count(id), IsWindowVisible(control) != FALSE) << id;
                }
            }
            // Offered keys show the table's value, a fixed one too; only
            // the LCD-only adapter has no TV key.
            EXPECT_EQ(c.disabled.count(IDC_HOTKEY_LCD) ? 0 : Key('L', kCtrlAlt), Shown(dialog, IDC_HOTKEY_LCD));
            EXPECT_EQ(lcdOnly == c.disabled ? 0 : Key('T', kCtrlAlt), Shown(dialog, IDC_HOTKEY_TV));
        });
    }
}

TEST_F(HotKeyDialog, OkStoresEveryKeyKeepsTheFixedOneAndSavesTheTable)
{
    WithDialog({ { "OEM", "EnableSecondaryPanel", 0 }, { "Hotkey", "HK_TV_Fixed", 1 } }, [&](HWND dialog) {
        Type(dialog, IDC_HOTKEY_CRT, Key('M', kCtrlShift));
        ASSERT_TRUE(CloseWith(dialog, IDOK));
        // Without secondary panel, rotation and the dual modes only these
        // keys remain; the panel's rows are stored as no key.
        WORD expected[kHotKeyCount] = {};
        expected[kHotKeyLcd] = Key('L', kCtrlAlt);
        expected[kHotKeyCrt] = Key('M', kCtrlShift);
        expected[kHotKeyTv] = Key('T', kCtrlAlt);
        expected[kHotKeyLcdCrt] = Key('C', kCtrlShift);
        expected[kHotKeyLcdTv] = Key('T', kCtrlShift);
        for (int i = 0; i < kHotKeyCount; ++i)
            EXPECT_EQ(expected[i], Stored(Table(), i)) << "hot key " << i;
        EXPECT_EQ(1, Table().enabled);
        EXPECT_NE(0, Table().fixed[kHotKeyTv]);
        EXPECT_TRUE(Saved(Table()));
    });
}

TEST_F(HotKeyDialog, EqualKeysAreRefusedAndNothingIsStored)
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
        Settings().DeleteValue("HotKey");  // the key stays: the service holds it open
        WithDialog({}, [&](HWND dialog) {
            const HotKeyTable before = Table();
            Type(dialog, IDC_HOTKEY_LCD, c.lcd);
            Type(dialog, IDC_HOTKEY_CRT, c.crt);
            if (c.refused) {
                testsupport::PressButton(dialog, IDOK);
                EXPECT_EQ(testsupport::ResourceString(IDS_HOTKEY_DUPLICATE), TakeMessageBox());
                EXPECT_TRUE(IsWindowVisible(dialog)) << "the dialog stays open";
                EXPECT_EQ(c.crt, Shown(dialog, IDC_HOTKEY_CRT)) << "with the user's entries";
                EXPECT_EQ(0, std::memcmp(&before, &Table(), sizeof(before)));
                EXPECT_FALSE(Saved(before));
            } else {
                ASSERT_TRUE(CloseWith(dialog, IDOK));
                EXPECT_EQ(c.lcd, Stored(Table(), kHotKeyLcd));
                EXPECT_EQ(c.crt, Stored(Table(), kHotKeyCrt));
                EXPECT_TRUE(Saved(Table()));
            }
        });
    }
}

TEST_F(HotKeyDialog, UndoChangesShowsTheDefaultsAndOkSavesThemWithLaterEdits)
{
    WithDialog({}, [&](HWND dialog) {
        Type(dialog, IDC_HOTKEY_LCD, Key('K', kCtrlAlt));
        testsupport::PressButton(dialog, IDC_HOTKEYS_RELOAD);
        ASSERT_TRUE(testsupport::WaitUntil([&] { return Shown(dialog, IDC_HOTKEY_LCD) == Key('L', kCtrlAlt); }, 30000));
        EXPECT_FALSE(Saved(Table())) << "Undo Changes saves nothing";
        Type(dialog, IDC_HOTKEY_CRT, Key('N', kCtrlAlt));
        ASSERT_TRUE(CloseWith(dialog, IDOK));
        EXPECT_EQ(Key('L', kCtrlAlt), Stored(Table(), kHotKeyLcd));
        EXPECT_EQ(Key('N', kCtrlAlt), Stored(Table(), kHotKeyCrt));
        EXPECT_TRUE(Saved(Table()));
    });
}
