// A keep-or-undo dialog shown by a hot key runs in whatever application had
// the key, with the hook removed.  When that application ends while the
// dialog is shown, the tray program installs the hook again and undoes the
// switch the user never confirmed, as the dialog's time-out would have.
#include "robustness_fixture.h"

#include "resource_ids.h"

namespace {

const UINT kCtrlAlt = HOTKEYF_CONTROL | HOTKEYF_ALT;
const char kDialogCaption[] = "VQX Displays";

// Long enough for several of the tray program's checks, short of the
// dialog's own 15-second time-out.
const DWORD kGuardWait = 8 * kSwitchGuardPeriod;

DWORD ProcessOf(HWND window)
{
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    return process;
}

} // namespace

class AbandonedDialog : public Robustness {
protected:
    void SetUp() override
    {
        Robustness::SetUp();
        SetOem("OEM", "DSMessage", 1);
        Hardware()->Refresh();
        Hotkeys();  // so that the hook is removed at the end of the test
        tray.reset(new testsupport::Program(Program("hotkey_tray_stand_in.exe") + " --hook"));
        trayWindow = tray->WaitForWindow("VQXTray");
        ASSERT_NE(nullptr, trayWindow);
        ASSERT_TRUE(testsupport::WaitUntil([&] { return Header().keyboardHook != 0; })) << "the tray's hook";
    }

    void TearDown() override
    {
        tray.reset();
        Robustness::TearDown();
    }

    // Presses Ctrl+Alt+C in `target` and returns the dialog it shows.
    HWND SwitchToTheCrtIn(KeyTarget& target)
    {
        EXPECT_TRUE(target.Press('C', kCtrlAlt));
        HWND dialog = testsupport::WaitForDialog(kDialogCaption, 20000);
        EXPECT_NE(nullptr, dialog) << "the keep-or-undo dialog";
        if (dialog) {
            EXPECT_EQ(target.ProcessId(), ProcessOf(dialog));
        }
        return dialog;
    }

    std::unique_ptr<testsupport::Program> tray;
    HWND trayWindow = nullptr;
};

TEST_F(AbandonedDialog, TheTrayUndoesTheSwitchAndGetsTheHotKeysBack)
{
    const DWORD before = State().adapters[0].values[SIM_VALUE_DEVICE_MASK];
    std::unique_ptr<KeyTarget> target = StartTarget();
    ASSERT_NE(nullptr, SwitchToTheCrtIn(*target));
    ASSERT_EQ(static_cast<DWORD>(SIM_OUTPUT_CRT), State().adapters[0].values[SIM_VALUE_DEVICE_MASK]);
    ASSERT_EQ(0, Header().keyboardHook) << "hot keys are off while the dialog is shown";

    target->Kill();
    EXPECT_TRUE(testsupport::WaitUntil([&] {
        return State().adapters[0].values[SIM_VALUE_DEVICE_MASK] == before && Header().keyboardHook != 0;
    }, kGuardWait)) << "switched back and hooked again";
    EXPECT_EQ("switch undone", testsupport::WindowText(trayWindow));
    std::vector<DWORD> switched;
    for (const SimJournalEntry& entry : Escapes(SIM_FN_SWITCH))
        switched.push_back(entry.request[1]);
    EXPECT_EQ((std::vector<DWORD>{ SIM_OUTPUT_CRT, before }), switched) << "one undo, not one per check";

    // The hot keys work again, from the hook the tray program installed.
    std::unique_ptr<KeyTarget> next = StartTarget();
    HWND dialog = SwitchToTheCrtIn(*next);
    ASSERT_NE(nullptr, dialog);
    testsupport::PressButton(dialog, IDOK);
    EXPECT_TRUE(next->WaitForKeys());
}

TEST_F(AbandonedDialog, ADialogStillShownIsLeftAlone)
{
    std::unique_ptr<KeyTarget> target = StartTarget();
    HWND dialog = SwitchToTheCrtIn(*target);
    ASSERT_NE(nullptr, dialog);
    // The tray program checks every period; the countdown shows that the
    // dialog has lived through several of them.
    ASSERT_TRUE(testsupport::WaitUntil([&] {
        return testsupport::ItemText(dialog, IDC_CONFIRM_TEXT) == testsupport::ResourceString(IDS_FMT_CONFIRM_COUNTDOWN, 12);
    }, kGuardWait));
    EXPECT_EQ(static_cast<DWORD>(SIM_OUTPUT_CRT), State().adapters[0].values[SIM_VALUE_DEVICE_MASK]);
    EXPECT_EQ(0, Header().keyboardHook);
    EXPECT_EQ("VQX Control Panel", testsupport::WindowText(trayWindow));

    testsupport::PressButton(dialog, IDOK);
    EXPECT_TRUE(target->WaitForKeys());
    EXPECT_TRUE(testsupport::WaitUntil([&] { return Header().keyboardHook != 0; })) << "given back by the dialog";
    EXPECT_EQ(static_cast<DWORD>(SIM_OUTPUT_CRT), State().adapters[0].values[SIM_VALUE_DEVICE_MASK]) << "kept";
}

// The user keeps the switch and the application ends while its dialog is
// still on the way out: the switch stays, and the hot keys come back.
class KeptSwitch : public Robustness {
protected:
    void SetUp() override
    {
        Robustness::SetUp();
        SetOem("OEM", "DSMessage", 1);
        Hardware()->Refresh();
        Hotkeys()->EnableHotKeys(TRUE);
        s_ending = this;
        // The tray program, played by this test: asked for the hot keys by
        // a closing dialog, it ends that dialog's application instead.
        ASSERT_NE(nullptr, tray.Create(kTrayWindowClass, "VQX Control Panel", 0, &EndingTrayProc));
    }

    void TearDown() override
    {
        tray.Destroy();
        s_ending = nullptr;
        target.reset();
        Robustness::TearDown();
    }

    static LRESULT CALLBACK EndingTrayProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message == RegisterWindowMessageA(kEnableHotKeysMessage) && s_ending && s_ending->target) {
            s_ending->target->Kill();
            s_ending->ended = true;
            return 0;
        }
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }

    static KeptSwitch* s_ending;
    testsupport::StandInWindow tray;
    std::unique_ptr<KeyTarget> target;
    bool ended = false;
};

KeptSwitch* KeptSwitch::s_ending = nullptr;

TEST_F(KeptSwitch, ASwitchKeptBeforeTheApplicationEndedStays)
{
    target = StartTarget();
    ASSERT_TRUE(target->Press('C', kCtrlAlt));
    HWND dialog = testsupport::WaitForDialog(kDialogCaption, 20000);
    ASSERT_NE(nullptr, dialog) << "the keep-or-undo dialog";
    ASSERT_EQ(static_cast<DWORD>(SIM_OUTPUT_CRT), State().adapters[0].values[SIM_VALUE_DEVICE_MASK]);
    testsupport::PressButton(dialog, IDOK);
    ASSERT_TRUE(testsupport::WaitUntil([&] { return ended; }, 20000)) << "the dialog asked for the hot keys";

    // The tray program's next check.
    EXPECT_TRUE(Hotkeys()->RecoverAbandonedSwitch()) << "the hot keys were still to come back";
    EXPECT_NE(0, Header().keyboardHook);
    EXPECT_EQ(static_cast<DWORD>(SIM_OUTPUT_CRT), State().adapters[0].values[SIM_VALUE_DEVICE_MASK]) << "kept";
    EXPECT_EQ(1u, Escapes(SIM_FN_SWITCH).size()) << "the switch to the CRT, and no undo";
    EXPECT_FALSE(Hotkeys()->RecoverAbandonedSwitch()) << "reported once";
}
