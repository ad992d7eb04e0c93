#include "hotkey_fixture.h"

#include "key_target_typing.h"

void HotKeys::TearDown()
{
    if (m_hotkeys) {
        m_hotkeys->EnableHotKeys(FALSE);
        m_hotkeys.Release();
    }
    SimulatedAdapter::TearDown();
}

CHotkey* HotKeys::Hotkeys()
{
    Hardware();
    return m_hotkeys.Acquire();
}

std::string HotKeys::Program(const char* name)
{
    return "\"" + testsupport::TestFolder() + name + "\"";
}

bool TypeHotKey(HWND target, BYTE key, UINT modifiers, int downs)
{
    const UINT typeKeys = RegisterWindowMessageA(kTypeKeysMessage);
    // Asked again while waiting: a box that just closed may hand the
    // foreground to another window first.
    return testsupport::WaitUntil([&] {
        if (GetForegroundWindow() != target)
            SetForegroundWindow(target);
        DWORD_PTR typed = FALSE;
        return SendMessageTimeoutA(target, typeKeys, key, MAKELPARAM(modifiers, downs), SMTO_NORMAL, 5000, &typed) &&
               typed;
    }, 10000);
}
