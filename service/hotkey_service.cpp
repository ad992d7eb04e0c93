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
    : m_header(m_pHardware->GetHeader(FALSE)),
      m_adapter(m_pHardware->GetCurrentAdapter()),
      m_hookOwner(m_pHardware->HookOwner())
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
    CSharedLock lock(m_pHardware->SharedBlock());
    const int32_t current = m_header->keyboardHook;
    if (on) {
        // Without the owner's record, a recorded hook is trusted as before.
        const bool owned = m_hookOwner.Available() ? m_hookOwner.IsOwnedByLiveProcess(current) : current != 0;
        if (!owned)
            InstallHook(current);
        return;
    }
    // The hook a hot-key service installed goes, whatever the header holds
    // now; a value nobody recorded is only cleared (it may be anyone's hook).
    const int32_t installed = m_hookOwner.Available() ? m_hookOwner.Hook() : current;
    if (installed)
        UnhookWindowsHookEx(reinterpret_cast<HHOOK>(static_cast<INT_PTR>(installed)));
    m_header->keyboardHook = 0;
    m_hookOwner.Clear();
}

void CHotkey::InstallHook(int32_t current)
{
    // Only a hook that a hot-key service recorded is removed, never a value
    // some other process wrote (it may be anyone's hook): the header's, whose
    // owner has ended, or one whose owner runs but which the header no longer
    // names (it would act a second time beside the new one).
    const int32_t recorded = m_hookOwner.Hook();
    const bool removed = recorded != 0 && (recorded == current || m_hookOwner.IsOwnedByLiveProcess(recorded));
    if (removed) {
        UnhookWindowsHookEx(reinterpret_cast<HHOOK>(static_cast<INT_PTR>(recorded)));
        m_hookOwner.Clear();
        if (recorded == current)
            m_header->keyboardHook = 0;
    }
    SetLastError(ERROR_SUCCESS);
    HHOOK hook = SetWindowsHookExA(WH_KEYBOARD, &HotKeyHookProc, AfxGetInstanceHandle(), 0);
    if (!hook)
        ThrowServiceError(IDS_ERR_HOOK, static_cast<int>(GetLastError()));
    m_header->keyboardHook = static_cast<int32_t>(reinterpret_cast<INT_PTR>(hook));
    m_hookOwner.Set(m_header->keyboardHook);
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

BOOL CHotkey::CheckHookOwner()
{
    CSharedLock lock(m_pHardware->SharedBlock());
    const int32_t current = m_header->keyboardHook;
    // No hook: the hot keys are off, or a keep-or-undo dialog holds them off.
    if (current == 0 || !m_hookOwner.Available() || m_hookOwner.IsOwnedByLiveProcess(current))
        return FALSE;
    InstallHook(current);
    return TRUE;
}
