// The keep-or-undo dialog after a change of display devices.
#include "hotkey_fixture.h"

#include <future>

#include "confirm_display_dialog.h"
#include "dual_view.h"
#include "resource_ids.h"

using testsupport::ItemText;
using testsupport::PressButton;

namespace {

const char kCaption[] = "VQX Displays";

std::string CountdownText(int seconds)
{
    return testsupport::ResourceString(IDS_FMT_CONFIRM_COUNTDOWN, seconds);
}

} // namespace

class ConfirmDisplay : public HotKeys {
protected:
    void SetUp() override
    {
        HotKeys::SetUp();
        SetOem("OEM", "DSMessage", 1);
        Hardware()->Refresh();
        Hotkeys()->EnableHotKeys(TRUE);
        SimClearJournal();
    }

    // Switches to `mask` while `answer` deals with the dialog on another thread.
    template <class Answer>
    void SwitchAndAnswer(UINT mask, Answer answer)
    {
        auto driver = std::async(std::launch::async, [&] {
            HWND dialog = testsupport::WaitForDialog(kCaption);
            if (!dialog) {
                ADD_FAILURE() << "no keep-or-undo dialog";
                return;
            }
            hookWhileShown = Header().keyboardHook;
            answer(dialog);
        });
        error = ServiceErrorOf([&] { Hardware()->SetDisplayDevices(mask); });
        driver.get();
    }

    std::vector<DWORD> SwitchedMasks()
    {
        std::vector<DWORD> masks;
        for (const SimJournalEntry& entry : Escapes(SIM_FN_SWITCH))
            masks.push_back(entry.request[1]);
        return masks;
    }

    int32_t hookWhileShown = -1;
    ServiceError error = { 0, 0 };
};

TEST_F(ConfirmDisplay, OkKeepsTheChange)
{
    std::string shown;
    SwitchAndAnswer(2, [&](HWND dialog) {
        shown = ItemText(dialog, IDC_CONFIRM_TEXT);
        PressButton(dialog, IDOK);
    });
    EXPECT_EQ((ServiceError{ 0, 0 }), error);
    EXPECT_EQ(CountdownText(15), shown);
    EXPECT_EQ(std::vector<DWORD>{ 2 }, SwitchedMasks());
    EXPECT_EQ(2u, State().adapters[0].values[SIM_VALUE_DEVICE_MASK]);
    EXPECT_EQ(0, hookWhileShown) << "hot keys are off while the dialog is shown";
    EXPECT_NE(0, Header().keyboardHook) << "and on again after";
}

TEST_F(ConfirmDisplay, CancelAndCloseSwitchBack)
{
    SwitchAndAnswer(2, [](HWND dialog) { PressButton(dialog, IDCANCEL); });
    EXPECT_EQ((std::vector<DWORD>{ 2, 3 }), SwitchedMasks());
    EXPECT_EQ(3u, State().adapters[0].values[SIM_VALUE_DEVICE_MASK]);

    SimClearJournal();
    SwitchAndAnswer(1, [](HWND dialog) { PostMessageA(dialog, WM_CLOSE, 0, 0); });
    EXPECT_EQ((std::vector<DWORD>{ 1, 3 }), SwitchedMasks());
    EXPECT_NE(0, Header().keyboardHook);
}

TEST_F(ConfirmDisplay, CountsDownFromFifteenAndUndoesOnTheTickAfterZero)
{
    std::vector<std::string> texts;
    bool openAfterZero = false;
    SwitchAndAnswer(2, [&](HWND dialog) {
        texts.push_back(ItemText(dialog, IDC_CONFIRM_TEXT));
        // The one-second ticks, delivered at once.
        for (int tick = 0; tick < 15; ++tick) {
            SendMessageA(dialog, WM_TIMER, CConfirmDisplayDialog::kCountdownTimer, 0);
            texts.push_back(ItemText(dialog, IDC_CONFIRM_TEXT));
        }
        openAfterZero = IsWindow(dialog) != FALSE;
        PostMessageA(dialog, WM_TIMER, CConfirmDisplayDialog::kCountdownTimer, 0);
    });
    ASSERT_EQ(16u, texts.size());
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(CountdownText(15 - i), texts[i]);
    EXPECT_TRUE(openAfterZero);
    EXPECT_EQ((std::vector<DWORD>{ 2, 3 }), SwitchedMasks());
}

TEST_F(ConfirmDisplay, FailedUndoReportsTheUndoSwitchError)
{
    SwitchAndAnswer(2, [](HWND dialog) {
        SimSetEscapeFault(SIM_FN_SWITCH, 0x10003);
        PressButton(dialog, IDCANCEL);
    });
    SimSetEscapeFault(SIM_FN_SWITCH, 0);
    EXPECT_EQ((ServiceError{ IDS_ERR_SWITCH_LCD_CRT, 13 }), error) << "the error of switching back to 3";
}

TEST_F(ConfirmDisplay, TrayProgramGetsTheHookBack)
{
    // The hook goes back to the tray program when another process showed the
    // dialog: a hook belongs to the process that installed it.
    testsupport::Program tray(Program("hotkey_tray_stand_in.exe"));
    ASSERT_TRUE(tray.Started());
    HWND trayWindow = tray.WaitForWindow("VQXTray");
    ASSERT_NE(nullptr, trayWindow);
    SwitchAndAnswer(2, [](HWND dialog) { PressButton(dialog, IDOK); });
    EXPECT_EQ("hot keys on", testsupport::WindowText(trayWindow));
    EXPECT_NE(0, Header().keyboardHook);
}

TEST_F(ConfirmDisplay, UndoneDeviceChangeRequestsNoDualView)
{
    Load("[Adapter0]\nDeviceMask=1\n[Device0]\n");
    Hardware()->Refresh();
    ServiceReference<CDualView> dualView;
    ASSERT_NE(nullptr, dualView.Acquire());
    SimClearJournal();
    auto driver = std::async(std::launch::async, [] {
        if (HWND dialog = testsupport::WaitForDialog(kCaption))
            PressButton(dialog, IDCANCEL);
    });
    dualView->SetDualView(TRUE);
    driver.get();
    dualView.Release();
    EXPECT_EQ((std::vector<DWORD>{ 3, 1 }), SwitchedMasks());
    EXPECT_TRUE(Escapes(SIM_FN_DUAL_VIEW).empty()) << "dual view needs the device the user refused";
}

using NoConfirmation = HotKeys;

TEST_F(NoConfirmation, WithoutDSMessageTheSwitchStaysAtOnce)
{
    Hardware()->Refresh();
    SimClearJournal();
    Hardware()->SetDisplayDevices(2);
    EXPECT_EQ(1u, Escapes(SIM_FN_SWITCH).size());
    EXPECT_EQ(2u, State().adapters[0].values[SIM_VALUE_DEVICE_MASK]);
    EXPECT_EQ(nullptr, FindWindowA(nullptr, kCaption));
}
