// The hot keys come back when the process that owned the hook ends (Windows
// removes its hook then, but the header keeps the handle): switching them on,
// and the guardian's check, install the hook again from a live process.
#include "robustness_fixture.h"

#include <functional>

namespace {

const UINT kCtrlAlt = HOTKEYF_CONTROL | HOTKEYF_ALT;

// The two ways a live process takes the hook back; TRUE when it did.
struct TakeBack {
    const char* name;
    std::function<BOOL(CHotkey&)> call;
};

const TakeBack kTakeBacks[] = {
    { "EnableHotKeys", [](CHotkey& hotkeys) { hotkeys.EnableHotKeys(TRUE); return TRUE; } },
    { "CheckHookOwner", [](CHotkey& hotkeys) { return hotkeys.CheckHookOwner(); } },
};

} // namespace

using HookOwner = Robustness;

TEST_F(HookOwner, AHookWhoseOwnerEndedIsInstalledAgainAndActs)
{
    Hardware()->Refresh();
    for (const TakeBack& takeBack : kTakeBacks) {
        SCOPED_TRACE(takeBack.name);
        std::unique_ptr<testsupport::Program> owner = StartHolder("hook");
        const int32_t ownersHook = Header().keyboardHook;
        ASSERT_NE(0, ownersHook);
        EXPECT_FALSE(Hotkeys()->CheckHookOwner()) << "its owner runs";
        Hotkeys()->EnableHotKeys(TRUE);
        EXPECT_EQ(ownersHook, Header().keyboardHook) << "its owner runs";

        owner.reset();
        EXPECT_TRUE(takeBack.call(*Hotkeys()));
        EXPECT_NE(0, Header().keyboardHook);
        EXPECT_NE(ownersHook, Header().keyboardHook) << "installed from this process";
        EXPECT_FALSE(Hotkeys()->CheckHookOwner()) << "owned by this process now";

        // Exactly one hook acts: Wine keeps the ended owner's hook, which
        // was removed before the new one went in.
        std::unique_ptr<KeyTarget> target = StartTarget();
        SimClearJournal();
        ASSERT_TRUE(target->Type('C', kCtrlAlt));
        EXPECT_EQ(1u, Escapes(SIM_FN_SWITCH).size()) << "Ctrl+Alt+C switched to the CRT";
        Hotkeys()->EnableHotKeys(FALSE);
    }
}

TEST_F(HookOwner, TheGuardianLeavesTheHotKeysOffWhileNoHookIsRecorded)
{
    // Off, as while a keep-or-undo dialog holds them: not the guardian's to
    // switch on.
    EXPECT_FALSE(Hotkeys()->CheckHookOwner());
    EXPECT_EQ(0, Header().keyboardHook);
    Hotkeys()->EnableHotKeys(TRUE);
    const int32_t hook = Header().keyboardHook;
    EXPECT_FALSE(Hotkeys()->CheckHookOwner());
    EXPECT_EQ(hook, Header().keyboardHook);
}

// Every application the hook ran in holds the records, but only users of
// the hot-key service read who owns the hook: when the owner ends, the
// record must outlive it as long as the header that names its hook does.
TEST_F(HookOwner, TheOwnerIsKnownAfterItEndedWhileOnlyTheRecordsAreHeld)
{
    Hardware()->Refresh();  // this process holds the records, not the hot-key service
    std::unique_ptr<testsupport::Program> owner = StartHolder("hook");
    const int32_t ownersHook = Header().keyboardHook;
    ASSERT_NE(0, ownersHook);
    owner.reset();

    // A hot-key service started afterwards (a tray program started again).
    Hotkeys()->EnableHotKeys(TRUE);
    EXPECT_NE(ownersHook, Header().keyboardHook) << "installed from this process";

    // Exactly one hook acts: Wine keeps the ended owner's hook, which must
    // have been removed as the record's.
    std::unique_ptr<KeyTarget> target = StartTarget();
    SimClearJournal();
    ASSERT_TRUE(target->Type('C', kCtrlAlt));
    EXPECT_EQ(1u, Escapes(SIM_FN_SWITCH).size()) << "Ctrl+Alt+C switched to the CRT once";
}
