// The hot keys end to end: the hook installed by this process carries out
// keys typed into a window of another process.
#include "hotkey_fixture.h"

#include "hotkey_table.h"
#include "resource_ids.h"

namespace {

const UINT kCtrlAlt = HOTKEYF_CONTROL | HOTKEYF_ALT;

} // namespace

class HotKeyHook : public HotKeys {
protected:
    void StartTarget()
    {
        Hardware()->Refresh();
        Hotkeys()->EnableHotKeys(TRUE);
        LaunchTarget();
        SimClearJournal();
    }

    // Starts the focused application.
    void LaunchTarget()
    {
        target.reset(new testsupport::Program(Program("hotkey_key_target.exe")));
        ASSERT_TRUE(target->Started());
        window = target->WaitForWindow("VQXHotKeyTarget");
        ASSERT_NE(nullptr, window);
        FocusTarget();
        typed = 0;
    }

    // Brings the target to the front, so that typed keys go to it.
    void FocusTarget()
    {
        // Asked again while waiting: a box that just closed may hand the
        // foreground to another window first.  What counts is that the
        // target had it: the focus events of the box's end may still take
        // it away later (TypeHotKey brings the target back then).
        const bool focused = testsupport::WaitUntil([&] {
            SetForegroundWindow(window);
            return GetForegroundWindow() == window;
        });
        ASSERT_TRUE(focused) << "the keys must go to the target";
    }

    // Ends the target as its user would, by closing its window.  A process
    // killed while its thread is inside the hook leaves Wine's keyboard
    // hook chain counted as in use for the rest of the session; Wine then
    // only disables the hooks removed later and keeps their handles valid,
    // which the hot-key service's tests would take for hooks left behind.
    void CloseTarget()
    {
        if (target && window) {
            PostMessageA(window, WM_CLOSE, 0, 0);
            EXPECT_EQ(0u, target->Wait(10000)) << "the target ends when closed";
        }
        target.reset();
        window = nullptr;
    }

    void TearDown() override
    {
        CloseTarget();
        HotKeys::TearDown();
    }

    // Types a hot key and waits until the target application got the key.
    void Type(BYTE key, UINT modifiers)
    {
        ++typed;
        EXPECT_TRUE(TypeHotKey(window, key, modifiers)) << "the target must be brought to the front";
        WaitForKeys(typed);
    }

    void WaitForKeys(int count)
    {
        const std::string expected = "keys: " + std::to_string(count);
        testsupport::WaitUntil([&] { return testsupport::WindowText(window) == expected; }, 20000);
        EXPECT_EQ(expected, testsupport::WindowText(window)) << "the key must reach the application";
    }

    // Waits until the thread of `window` has handled the input queued for it
    // so far: GetMessage hands out WM_PAINT only when no input waits, so the
    // window invalidated here is painted after those keys.
    static bool WaitForInputHandled(HWND window)
    {
        InvalidateRect(window, nullptr, FALSE);
        return testsupport::WaitUntil([&] { return !GetUpdateRect(window, nullptr, FALSE); }, 20000);
    }

    // The journal's entries sent from the target process.
    std::vector<SimJournalEntry> TargetEscapes(DWORD function)
    {
        std::vector<SimJournalEntry> sent;
        for (const SimJournalEntry& entry : Escapes(function))
            if (entry.processId == target->ProcessId())
                sent.push_back(entry);
        return sent;
    }

    std::unique_ptr<testsupport::Program> target;
    HWND window = nullptr;
    int typed = 0;
};

TEST_F(HotKeyHook, CtrlAltCSwitchesToTheCrtInTheFocusedApplication)
{
    StartTarget();
    Type('C', kCtrlAlt);
    const std::vector<SimJournalEntry> switches = TargetEscapes(SIM_FN_SWITCH);
    ASSERT_EQ(1u, switches.size());
    EXPECT_EQ(2u, switches[0].request[1]);
    EXPECT_EQ(2u, State().adapters[0].values[SIM_VALUE_DEVICE_MASK]);
}

TEST_F(HotKeyHook, ModifiersMustMatchExactly)
{
    StartTarget();
    Type('L', kCtrlAlt | HOTKEYF_SHIFT);
    Type('C', HOTKEYF_CONTROL);
    Type('C', 0);
    EXPECT_TRUE(TargetEscapes(SIM_FN_SWITCH).empty());
}

TEST_F(HotKeyHook, RepeatsAndKeyUpsDoNothing)
{
    StartTarget();
    ASSERT_TRUE(TypeHotKey(window, 'C', kCtrlAlt, 3));  // held down: the later key-downs are repeats
    typed = 3;
    WaitForKeys(3);
    EXPECT_EQ(1u, TargetEscapes(SIM_FN_SWITCH).size());
}

TEST_F(HotKeyHook, NothingActsWhileGated)
{
    StartTarget();
    Header().pagesOpen = 1;
    Type('C', kCtrlAlt);
    Header().pagesOpen = 0;

    Hardware()->GetCurrentAdapter()->hotKeyTable.enabled = 0;
    Type('C', kCtrlAlt);
    Hardware()->GetCurrentAdapter()->hotKeyTable.enabled = 1;

    SimState state = State();
    state.adapters[0].statusBytes[0] = 1;  // the driver's suspend flag
    SetState(state);
    Type('C', kCtrlAlt);
    EXPECT_TRUE(TargetEscapes(SIM_FN_SWITCH).empty());

    state.adapters[0].statusBytes[0] = 0;
    SetState(state);
    Type('C', kCtrlAlt);
    EXPECT_EQ(1u, TargetEscapes(SIM_FN_SWITCH).size());
}

TEST_F(HotKeyHook, DeviceKeysDoNothingInDualApplication)
{
    Load("[Adapter0]\nDeviceMask=3\nMode=2\n[Device0]\n");
    StartTarget();
    Type('C', kCtrlAlt);
    Type('L', kCtrlAlt);
    EXPECT_TRUE(TargetEscapes(SIM_FN_SWITCH).empty());
}

TEST_F(HotKeyHook, LcdAloneOfferedClearsTheLcdKey)
{
    SetOem("OEM", "EnableCRT", 0);
    SetOem("OEM", "EnableTV", 0);
    SetOem("OEM", "EnableSecondaryPanel", 0);
    StartTarget();
    Type('L', kCtrlAlt);
    EXPECT_TRUE(TargetEscapes(SIM_FN_SWITCH).empty());
}

TEST_F(HotKeyHook, RotationKeyTogglesBackWhenAsked)
{
    SetOem("OEM", "EnableRotation", 1);
    SetOem("OEM", "EnableToggleSModeHK", 1);
    StartTarget();
    Type(VK_OEM_4, kCtrlAlt);
    Type(VK_OEM_4, kCtrlAlt);
    const std::vector<SimJournalEntry> rotations = TargetEscapes(SIM_FN_ROTATE);
    ASSERT_EQ(2u, rotations.size());
    EXPECT_EQ(1, SIM_REQUEST_BYTE(&rotations[0], 4)) << "90 degrees";
    EXPECT_EQ(0, SIM_REQUEST_BYTE(&rotations[1], 4)) << "and back";
}

TEST_F(HotKeyHook, FailingActionShowsOneBoxAndPassesTheKeyOn)
{
    StartTarget();
    SimSetEscapeFault(SIM_FN_SWITCH, 0x10003);
    ++typed;
    ASSERT_TRUE(TypeHotKey(window, 'C', kCtrlAlt));
    HWND box = testsupport::WaitForDialog("VQXAPI", 20000);
    ASSERT_NE(nullptr, box);
    DWORD boxProcess = 0;
    GetWindowThreadProcessId(box, &boxProcess);
    EXPECT_EQ(target->ProcessId(), boxProcess) << "shown in the application that had the key";
    // The box's message loop hands the same key-down to the hook again; once
    // the box has handled the keys, a second box would be there.
    ASSERT_TRUE(WaitForInputHandled(box));
    int boxes = 0;
    testsupport::WaitForWindow([&](HWND hwnd) {
        if (testsupport::ClassName(hwnd) == "#32770" && testsupport::WindowText(hwnd) == "VQXAPI")
            ++boxes;
        return false;
    }, 0);
    EXPECT_EQ(1, boxes) << "one box however often the key arrives again";

    EXPECT_EQ(testsupport::ResourceString(IDS_ERR_SWITCH_CRT, 13), testsupport::MessageBoxText(box));
    testsupport::PressButton(box, IDOK);
    WaitForKeys(typed);
    SimSetEscapeFault(SIM_FN_SWITCH, 0);
    EXPECT_NE(0, Header().keyboardHook) << "the hook stays installed";

    Type('C', kCtrlAlt);
    EXPECT_EQ(2u, TargetEscapes(SIM_FN_SWITCH).size()) << "and the hot keys still work";
}

TEST_F(HotKeyHook, ServicesThatCannotStartAreReportedOnceAndKeysStillPass)
{
    StartTarget();
    // Close the target, then let the adapter vanish while this process keeps
    // the shared block: the next application cannot build its services.
    CloseTarget();
    Load("[Adapter0]\n[Device0]\nAdapter=none\nDeviceId=PCI\\VEN_10DE&DEV_0110&SUBSYS_0&REV_A1\n");
    LaunchTarget();

    // The first key-down (Ctrl) finds no services: the box takes the focus,
    // and what follows goes to it.
    ASSERT_TRUE(TypeHotKey(window, 'C', kCtrlAlt));
    HWND box = testsupport::WaitForDialog("VQXAPI", 20000);
    ASSERT_NE(nullptr, box);
    EXPECT_EQ(testsupport::ResourceString(IDS_ERR_NO_ADAPTER, 0), testsupport::MessageBoxText(box));
    testsupport::PressButton(box, IDOK);
    testsupport::WaitUntil([&] { return !IsWindow(box); });
    FocusTarget();

    // The key reaching the target shows that the hook is done with it: a
    // box shown from the hook would hold the key back.
    typed = std::stoi(testsupport::WindowText(window).substr(6));
    Type('C', kCtrlAlt);
    EXPECT_EQ(nullptr, FindWindowA(nullptr, "VQXAPI")) << "reported once, not at every key";
    EXPECT_TRUE(TargetEscapes(SIM_FN_SWITCH).empty());
}
