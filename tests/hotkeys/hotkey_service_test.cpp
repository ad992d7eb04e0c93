// The hot-key service: one hook however often it is switched on, the
// record in the shared header, and the adapter's table.
#include "hotkey_fixture.h"

#include "hotkey_table.h"

using HotKeyService = HotKeys;

TEST_F(HotKeyService, OneHookHoweverOftenEnabled)
{
    CHotkey* hotkeys = Hotkeys();
    ASSERT_NE(nullptr, hotkeys);
    EXPECT_EQ(0, Header().keyboardHook);
    hotkeys->EnableHotKeys(TRUE);
    const int32_t hook = Header().keyboardHook;
    EXPECT_NE(0, hook);
    hotkeys->EnableHotKeys(TRUE);
    EXPECT_EQ(hook, Header().keyboardHook);
    hotkeys->EnableHotKeys(FALSE);
    EXPECT_EQ(0, Header().keyboardHook);
    hotkeys->EnableHotKeys(FALSE);
    EXPECT_EQ(0, Header().keyboardHook);
}

TEST_F(HotKeyService, RecordLeftBehindBlocksANewHook)
{
    CHotkey* hotkeys = Hotkeys();
    Header().keyboardHook = 0x1234;  // a tray program that ended without switching off
    hotkeys->EnableHotKeys(TRUE);
    EXPECT_EQ(0x1234, Header().keyboardHook);
    Header().keyboardHook = 0;
}

TEST_F(HotKeyService, LoadPutsBackTheDefaultsAndSaveStoresThem)
{
    CHotkey* hotkeys = Hotkeys();
    RefreshAll();
    HotKeyTable& table = Hardware()->GetCurrentAdapter()->hotKeyTable;
    const HotKeyTable defaults = table;
    table.enabled = 0;
    table.keyCode[kHotKeyCrt] = 'X';
    EXPECT_EQ(1u, hotkeys->LoadHotKeys());
    EXPECT_EQ(0, memcmp(&defaults, &table, sizeof(table)));

    HKEY key;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_CURRENT_USER, "SOFTWARE\\Quorvel Inc.\\Tarvok VQX Control Panel",
                                           0, KEY_READ, &key));
    EXPECT_NE(ERROR_SUCCESS, RegQueryValueExA(key, "HotKey", nullptr, nullptr, nullptr, nullptr))
        << "nothing is saved before SaveHotKeys";
    table.keyCode[kHotKeyCrt] = 'X';
    hotkeys->SaveHotKeys();
    HotKeyTable stored = {};
    DWORD size = sizeof(stored);
    EXPECT_EQ(ERROR_SUCCESS, RegQueryValueExA(key, "HotKey", nullptr, nullptr, reinterpret_cast<BYTE*>(&stored), &size));
    RegCloseKey(key);
    EXPECT_EQ(sizeof(HotKeyTable), size);
    EXPECT_EQ('X', stored.keyCode[kHotKeyCrt]);
}
