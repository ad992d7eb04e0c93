// Fixture of the robustness tests: the simulated adapter with the hot-key
// service, applications that receive keys, and fresh processes of the
// system (this test program run again with one disabled test).
#pragma once

#include <memory>
#include <string>

#include "hotkey_fixture.h"
#include "key_target.h"

class Robustness : public HotKeys {
protected:
    // A focused application; fails the test when it cannot be had.
    std::unique_ptr<KeyTarget> StartTarget();

    // Another process of the system that has taken `share` ("page": shows a
    // page of the extension; "hook": switched the hot keys on) and waits to
    // be ended (reset the pointer: it is terminated, as End Task would);
    // fails the test when it could not.
    static std::unique_ptr<testsupport::Program> StartHolder(const char* share);

    // Runs the disabled test `name` ("Suite.Test" without the DISABLED_
    // prefix of its suite) in a new process; TRUE when it passed.
    static bool RunInFreshProcess(const std::string& name);

    // Counts the hook's message boxes on the screen.
    static int HookBoxes();
};
