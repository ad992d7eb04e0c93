#include "hotkey_fixture.h"

#include <commctrl.h>

#include <vector>

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

void TypeHotKey(BYTE key, UINT modifiers)
{
    std::vector<BYTE> held;
    if (modifiers & HOTKEYF_CONTROL)
        held.push_back(VK_CONTROL);
    if (modifiers & HOTKEYF_ALT)
        held.push_back(VK_MENU);
    if (modifiers & HOTKEYF_SHIFT)
        held.push_back(VK_SHIFT);
    for (BYTE k : held)
        keybd_event(k, 0, 0, 0);
    keybd_event(key, 0, 0, 0);
    keybd_event(key, 0, KEYEVENTF_KEYUP, 0);
    for (auto it = held.rbegin(); it != held.rend(); ++it)
        keybd_event(*it, 0, KEYEVENTF_KEYUP, 0);
}
