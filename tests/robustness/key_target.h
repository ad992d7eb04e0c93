// The focused application of a robustness test: hotkey_key_target.exe, which
// counts the key-downs it receives in its caption ("keys: N"), so a test can
// see that a key reached the application after the hook had it.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "test_support.h"

class KeyTarget {
public:
    // Starts the program (`commandLine`: its quoted path) and brings its
    // window to the front.
    explicit KeyTarget(const std::string& commandLine);

    // Running, and its window has the focus.
    bool Ready() const { return m_ready; }
    DWORD ProcessId() const { return m_program->ProcessId(); }
    // Ends the program at once, as a crash or the task manager would.
    void Kill() { m_program.reset(); m_window = nullptr; }

    // Brings the window to the front again (after a box took the focus).
    bool Focus();
    // Types `key` with the modifiers (HOTKEYF_* bits) into the window,
    // bringing it to the front first; TRUE when the application received it.
    bool Type(BYTE key, UINT modifiers);
    // Types without waiting (a box of the hook holds the key back until it
    // is closed); WaitForKeys then waits for what was pressed.  FALSE when
    // nothing could be typed.
    bool Press(BYTE key, UINT modifiers);
    bool WaitForKeys();
    // The key-downs the application received so far.
    int KeysReceived() const;

private:
    std::unique_ptr<testsupport::Program> m_program;
    HWND m_window = nullptr;
    bool m_ready = false;
    int m_typed = 0;
};

// The caption of the hook's message boxes.
constexpr char kHookBoxCaption[] = "VQXAPI";
