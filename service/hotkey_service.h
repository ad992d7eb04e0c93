// CHotkey: service 6.  Resets and saves the current adapter's hot-key table
// and installs or removes the system-wide keyboard hook whose procedure
// (hotkey_hook.cpp) carries out the hot keys in whatever process has the
// focus.  The hook's handle lives in the shared header, so every process
// sees the one hook; which process installed it is recorded beside the
// records (CHookOwner, held by the hardware service), so that a hook whose
// owner ended is installed again.
#pragma once

#include "service_base.h"
#include "shared_records.h"

class CHookOwner;

class CHotkey : public CServiceBase {
public:
    CHotkey();
    static CHotkey* Acquire();

    // Puts the defaults of the current feature switches into the adapter's
    // table; returns its enabled word.  Nothing is saved.
    virtual DWORD LoadHotKeys();
    // Writes the adapter's table to the user's settings.
    virtual void SaveHotKeys();
    // TRUE: installs the hook from this process unless the header holds a
    // hook that a hot-key service installed from a process that still runs
    // (error 350 when the system refuses); FALSE: removes the hook a
    // hot-key service recorded and clears the header (a value nobody
    // recorded is cleared, never removed).
    virtual void EnableHotKeys(BOOL on);
    // The tray program's guard, called every few seconds: when a keep-or-
    // undo dialog's process ended while the dialog was shown, undoes its
    // switch (unless the user had kept it) and installs the hook again from
    // this process; TRUE when it did.  The hook comes back also when the
    // undo fails (which throws).
    virtual BOOL RecoverAbandonedSwitch();
    // The guardian's part: a hook recorded in the header whose installing
    // process ended, or that no hot-key service recorded (any process can
    // write the header), is installed again from this process; TRUE when it
    // was.  Nothing while no hook is recorded (a keep-or-undo dialog has it).
    virtual BOOL CheckHookOwner();

private:
    // Installs the hook from this process in place of `current`, the
    // header's value; of the hooks before it only the one a hot-key service
    // recorded is removed.  The caller holds the lock.
    void InstallHook(int32_t current);

    HardwareHeader* m_header;
    AdapterRecord* m_adapter;
    CHookOwner& m_hookOwner;
};

// The tray program's window answers this registered message by switching
// the hot keys on from its own process, so that the hook stays owned by
// the tray program (a hook belongs to the process that installed it and
// goes when that process ends).
constexpr char kEnableHotKeysMessage[] = "VQXTray.EnableHotKeys";

// How often the tray program calls RecoverAbandonedSwitch.
constexpr UINT kSwitchGuardPeriod = 1000;

// Switches the hot keys on again after they were off for a while: through
// the tray program when it runs in another process, else from this one.
void RestoreHotKeys(CHotkey& hotkeys);
