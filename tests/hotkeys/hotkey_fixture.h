// Fixture of the hot-key tests: the simulated adapter, the hot-key service,
// and no hook left behind.
#pragma once

#include <string>

#include "hotkey_service.h"
#include "simulated_adapter.h"
#include "test_support.h"

class HotKeys : public SimulatedAdapter {
protected:
    void TearDown() override;

    // The hot-key service (after the hardware service, which it holds),
    // taken at the first call and switched off and returned at the end.
    CHotkey* Hotkeys();
    HardwareHeader& Header() { return *Hardware()->GetHeader(TRUE); }
    // Runs the block's current state through Refresh, as the tray does.
    void RefreshAll() { Hardware()->Refresh(); }

    // A program of the test folder, started from the test's own folder.
    static std::string Program(const char* name);

private:
    ServiceReference<CHotkey> m_hotkeys;
};

// Brings `target`, the window of hotkey_key_target.exe, to the front and has
// it press and release `key` with the modifiers (HOTKEYF_* bits) as the user
// would (key_target_typing.h says why the target types); with `downs` above
// 1 the key is held down until it repeats.  Returns once the keys are
// queued, before the application has handled them; FALSE when nothing was
// typed because the window could not be brought to the front.
bool TypeHotKey(HWND target, BYTE key, UINT modifiers, int downs = 1);
