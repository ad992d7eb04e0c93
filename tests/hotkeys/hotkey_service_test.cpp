// The hot-key service: one hook however often it is switched on, the
// record in the shared header, and the adapter's table.
#include "hotkey_fixture.h"

#include <functional>

#include "hotkey_table.h"
#include "os_service.h"

using HotKeyService = HotKeys;

namespace {

LRESULT CALLBACK PassKeyOn(int code, WPARAM key, LPARAM data)
{
    return CallNextHookEx(nullptr, code, key, data);
}

} // namespace

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

// Any process can write the header: a value that no hot-key service
// recorded is neither trusted nor removed (it may be anyone's hook).  A hook
// this service had installed and that the header no longer names goes, or
// it would act beside the new one.
TEST_F(HotKeyService, AForeignValueIsReplacedButNeverUnhooked)
{
    struct Case {
        const char* name;
        bool hookedBefore;  // this service's hook was on when the value came
        std::function<void(CHotkey&)> takeBack;
    };
    const Case cases[] = {
        { "EnableHotKeys", false, [](CHotkey& hotkeys) { hotkeys.EnableHotKeys(TRUE); } },
        { "CheckHookOwner", false, [](CHotkey& hotkeys) { EXPECT_TRUE(hotkeys.CheckHookOwner()); } },
        { "EnableHotKeys over its own hook", true, [](CHotkey& hotkeys) { hotkeys.EnableHotKeys(TRUE); } },
        { "CheckHookOwner over its own hook", true, [](CHotkey& hotkeys) { EXPECT_TRUE(hotkeys.CheckHookOwner()); } },
    };
    CHotkey* hotkeys = Hotkeys();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.hookedBefore)
            hotkeys->EnableHotKeys(TRUE);
        const int32_t before = Header().keyboardHook;
        // A hook of this thread that the system knows, written by "another
        // program".
        HHOOK foreign = SetWindowsHookExA(WH_KEYBOARD, PassKeyOn, nullptr, GetCurrentThreadId());
        ASSERT_NE(nullptr, foreign);
        Header().keyboardHook = static_cast<int32_t>(reinterpret_cast<INT_PTR>(foreign));

        c.takeBack(*hotkeys);
        const int32_t installed = Header().keyboardHook;
        EXPECT_NE(0, installed);
        EXPECT_NE(reinterpret_cast<INT_PTR>(foreign), installed);
        EXPECT_TRUE(UnhookWindowsHookEx(foreign)) << "the foreign hook was still installed";
        if (c.hookedBefore) {
            EXPECT_FALSE(UnhookWindowsHookEx(reinterpret_cast<HHOOK>(static_cast<INT_PTR>(before))))
                << "the service's earlier hook was removed";
        }
        hotkeys->EnableHotKeys(FALSE);
    }
}

// Switching off (a keep-or-undo dialog, the tray program's end) removes the
// hook a hot-key service installed even when another process wrote another
// value over it, and leaves that value's hook alone.
TEST_F(HotKeyService, SwitchingOffRemovesTheRecordedHookAndOnlyClearsAForeignValue)
{
    CHotkey* hotkeys = Hotkeys();
    hotkeys->EnableHotKeys(TRUE);
    const HHOOK installed = reinterpret_cast<HHOOK>(static_cast<INT_PTR>(Header().keyboardHook));
    ASSERT_NE(nullptr, installed);
    HHOOK foreign = SetWindowsHookExA(WH_KEYBOARD, PassKeyOn, nullptr, GetCurrentThreadId());
    ASSERT_NE(nullptr, foreign);
    Header().keyboardHook = static_cast<int32_t>(reinterpret_cast<INT_PTR>(foreign));

    hotkeys->EnableHotKeys(FALSE);
    EXPECT_EQ(0, Header().keyboardHook);
    EXPECT_TRUE(UnhookWindowsHookEx(foreign)) << "the foreign hook was removed";
    EXPECT_FALSE(UnhookWindowsHookEx(installed)) << "the service's hook was still installed";
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
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_CURRENT_USER, kSettingsKeyPath,
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
