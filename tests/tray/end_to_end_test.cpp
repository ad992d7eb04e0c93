// The tray program as the user meets it: real mouse clicks on the icon in
// the notification area and real key presses, made on the X display the
// test runs on, and the keep-or-undo dialog of a hot key in another
// application.
#include "tray_fixture.h"

#include "key_target.h"
#include "resource_ids.h"

using testsupport::WaitForDialog;
using testsupport::WaitUntil;

namespace {

const UINT kCtrlAlt = HOTKEYF_CONTROL | HOTKEYF_ALT;
const char kConfirmCaption[] = "VQX Displays";
const char kAboutCaption[] = "About VQX Control Panel";

// Starts xdotool on the display the test runs on: Wine starts Unix programs
// too, but hands back no process to wait for, so callers wait for what the
// events do.
bool Xdotool(const std::string& arguments)
{
    std::string command = "/usr/bin/xdotool " + arguments;
    STARTUPINFOA startup = { sizeof(startup) };
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return false;
    if (process.hThread)
        CloseHandle(process.hThread);
    if (process.hProcess)
        CloseHandle(process.hProcess);
    return true;
}

// The icon's window in the shell's notification area (the standalone tray
// window Wine shows when there is no taskbar); null when there is none.
HWND FindIconWindow()
{
    HWND tray = FindWindowA(nullptr, "Wine System Tray");
    return tray ? FindWindowExA(tray, nullptr, "__winex11_tray_icon", nullptr) : nullptr;
}

POINT CentreOf(HWND window)
{
    RECT r = {};
    GetWindowRect(window, &r);
    return { (r.left + r.right) / 2, (r.top + r.bottom) / 2 };
}

bool IsShownMenu(HWND window, DWORD processId)
{
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    return pid == processId && testsupport::ClassName(window) == "#32768" && IsWindowVisible(window);
}

} // namespace

class TrayEndToEnd : public TrayProgram {
protected:
    std::unique_ptr<KeyTarget> StartTarget()
    {
        auto target = std::make_unique<KeyTarget>(Program("hotkey_key_target.exe"));
        EXPECT_TRUE(target->Ready()) << "the application that receives the keys";
        return target;
    }

    DWORD Outputs() const { return State().adapters[0].values[SIM_VALUE_DEVICE_MASK]; }
};

TEST_F(TrayEndToEnd, ARightClickOnTheIconOpensTheMenuWhereTheAboutBoxIsChosen)
{
    HWND tray = StartTray();
    ASSERT_TRUE(tray);
    ASSERT_TRUE(WaitUntil([&] { return IsIconShown(tray) && FindIconWindow(); }));
    const POINT icon = CentreOf(FindIconWindow());
    ASSERT_TRUE(Xdotool("mousemove " + std::to_string(icon.x) + " " + std::to_string(icon.y) + " click 3"));

    HWND menu = testsupport::WaitForWindow([&](HWND w) { return IsShownMenu(w, Tray().ProcessId()); });
    ASSERT_TRUE(menu) << "the popup";
    RECT shown = {};
    GetWindowRect(menu, &shown);
    InflateRect(&shown, 2, 2);
    EXPECT_TRUE(PtInRect(&shown, icon)) << "the menu opens where the user clicked";

    // From the bottom: exit, about.  The menu has the keyboard of the
    // tray program's thread, which has no X window of its own to take the X
    // focus: the keys go in through Wine's input.
    for (BYTE key : { VK_UP, VK_UP, VK_RETURN }) {
        keybd_event(key, 0, 0, 0);
        keybd_event(key, 0, KEYEVENTF_KEYUP, 0);
    }
    HWND about = WaitForDialog(kAboutCaption);
    ASSERT_TRUE(about);
    const std::string version = testsupport::ItemText(about, IDC_ABOUT_VERSION);
    EXPECT_EQ(version.rfind("Version ", 0), 0u) << version;
    EXPECT_EQ(testsupport::ItemText(about, IDC_COPYRIGHT_YEARS),
              testsupport::FormatResource(IDS_FMT_COPYRIGHT_YEARS, 2000, 2003));
    EXPECT_EQ(testsupport::ItemText(about, IDC_COPYRIGHT_NOTICE), testsupport::ResourceString(IDS_COPYRIGHT_NOTICE));
    testsupport::PressButton(about, IDOK);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(about); }));
    EXPECT_EQ(Tray().Wait(0), STILL_ACTIVE);
}

TEST_F(TrayEndToEnd, AHotKeyTypedInAnotherApplicationSwitchesThroughTheTraysHook)
{
    ASSERT_TRUE(StartTray());
    ASSERT_TRUE(WaitUntil([&] { return Header().keyboardHook != 0; }));
    std::unique_ptr<KeyTarget> target = StartTarget();
    ASSERT_TRUE(target->Ready());
    const int keysBefore = target->KeysReceived();

    ASSERT_TRUE(Xdotool("key ctrl+alt+c"));
    EXPECT_TRUE(WaitUntil([&] { return Outputs() == SIM_OUTPUT_CRT; }, 10000)) << "switched to the CRT";
    EXPECT_TRUE(WaitUntil([&] { return target->KeysReceived() > keysBefore; })) << "the key reached the application";
}

// After a keep-or-undo dialog in another application, the hook is the tray
// program's again; when that application dies during the dialog, the tray
// program undoes the switch and installs the hook itself.
TEST_F(TrayEndToEnd, TheTrayTakesTheHotKeysBackAfterADialogAndAfterItsApplicationDied)
{
    SetOem("OEM", "DSMessage", 1);
    ASSERT_TRUE(StartTray());
    ASSERT_TRUE(WaitUntil([&] { return Header().keyboardHook != 0; }));

    std::unique_ptr<KeyTarget> confirmed = StartTarget();
    ASSERT_TRUE(confirmed->Press('C', kCtrlAlt));
    HWND dialog = WaitForDialog(kConfirmCaption, 20000);
    ASSERT_TRUE(dialog);
    EXPECT_EQ(Header().keyboardHook, 0) << "hot keys are off while the dialog is shown";
    testsupport::PressButton(dialog, IDOK);
    EXPECT_TRUE(WaitUntil([&] { return Header().keyboardHook != 0; })) << "given back through the tray program";
    EXPECT_EQ(Outputs(), static_cast<DWORD>(SIM_OUTPUT_CRT));
    confirmed.reset();

    std::unique_ptr<KeyTarget> abandoned = StartTarget();
    ASSERT_TRUE(abandoned->Press('L', kCtrlAlt));  // back to the LCD panel, then the application dies
    ASSERT_TRUE(WaitForDialog(kConfirmCaption, 20000));
    abandoned->Kill();
    EXPECT_TRUE(WaitUntil([&] { return Outputs() == SIM_OUTPUT_CRT && Header().keyboardHook != 0; },
                          8 * kSwitchGuardPeriod))
        << "the unconfirmed switch undone and the hook installed again";
}
