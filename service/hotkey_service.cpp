#include "hotkey_service.h"

#include "base_exception.h"
#include "hardware.h"
#include "hotkey_hook.h"
#include "os_service.h"
#include "resource_ids.h"
#include "service_registry.h"

CHotkey* CHotkey::Acquire()
{
    return AcquireService<CHotkey>("CHotkey");
}

CHotkey::CHotkey()
    : m_header(m_pHardware->GetHeader(FALSE)), m_adapter(m_pHardware->GetCurrentAdapter())
{
}

DWORD CHotkey::LoadHotKeys()
{
    HotKeyTable defaults;
    m_pHardware->GetDefaultHotKeyTable(&defaults);
    m_adapter->hotKeyTable = defaults;
    return static_cast<DWORD>(m_adapter->hotKeyTable.enabled);
}

void CHotkey::SaveHotKeys()
{
    m_pHardware->Settings()->SetHotKeyTable(&m_adapter->hotKeyTable);
}

void CHotkey::EnableHotKeys(BOOL on)
{
    if (on) {
        if (m_header->keyboardHook)
            return;
        SetLastError(ERROR_SUCCESS);
        HHOOK hook = SetWindowsHookExA(WH_KEYBOARD, &HotKeyHookProc, AfxGetInstanceHandle(), 0);
        if (!hook)
            ThrowServiceError(IDS_ERR_HOOK, static_cast<int>(GetLastError()));
        m_header->keyboardHook = static_cast<int32_t>(reinterpret_cast<INT_PTR>(hook));
    } else if (m_header->keyboardHook) {
        UnhookWindowsHookEx(reinterpret_cast<HHOOK>(static_cast<INT_PTR>(m_header->keyboardHook)));
        m_header->keyboardHook = 0;
    }
}

BOOL CHotkey::RecoverAbandonedSwitch()
{
    // The dialog took the hook away when it started: it comes back whatever
    // becomes of the undo, whose error then follows.
    BOOL recovered = FALSE;
    try {
        recovered = m_pHardware->UndoAbandonedSwitch();
    } catch (...) {
        EnableHotKeys(TRUE);
        throw;
    }
    if (recovered)
        EnableHotKeys(TRUE);
    return recovered;
}

void RestoreHotKeys(CHotkey& hotkeys)
{
    HWND tray = FindWindowA(kTrayWindowClass, nullptr);
    DWORD trayProcess = 0;
    if (tray)
        GetWindowThreadProcessId(tray, &trayProcess);
    if (tray && trayProcess != GetCurrentProcessId()) {
        DWORD_PTR answer = 0;
        SendMessageTimeoutA(tray, RegisterWindowMessageA(kEnableHotKeysMessage), 0, 0,
                            SMTO_ABORTIFHUNG | SMTO_BLOCK, 5000, &answer);
    }
    // Without a tray program that did it, the hot keys still come back.
    hotkeys.EnableHotKeys(TRUE);
}
