// The system as a user meets it: the Display Properties opened the way the
// tray program opens them (the stand-in "desk.cpl" run by rundll32 loads
// the registered VQXPage.dll), the tray program started by the extension,
// and the displays left alone while a page of the extension is shown.
#include "tray_fixture.h"

#include <commctrl.h>

#include "display_panel_contract.h"
#include "extension_registration.h"
#include "key_target.h"
#include "resource_ids.h"

using testsupport::WaitForDialog;
using testsupport::WaitUntil;

namespace {

const int kTabControl = 0x3020;  // the property sheet's tabs

// The page of `sheet` that holds control `id`, or null.
HWND PageWith(HWND sheet, int id)
{
    for (HWND child = GetWindow(sheet, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (GetDlgItem(child, id))
            return child;
    return nullptr;
}

} // namespace

class DisplayProperties : public TrayProgram {
protected:
    void SetUp() override
    {
        TrayProgram::SetUp();
        m_registration = displaypanel::ProductRegistration(testsupport::TestFolder());
        ASSERT_EQ(displaypanel::RegisterHandler(m_registration), ERROR_SUCCESS);
        ASSERT_EQ(displaypanel::InstallApplet(testsupport::TestFolder() + "desk.cpl",
                                              testsupport::NoTrailingBackslash(testsupport::SystemFolder())),
                  displaypanel::AppletResult::Done);
        // Programs started from here find the tray program in this folder.
        SetCurrentDirectoryA(testsupport::TestFolder().c_str());
    }
    void TearDown() override
    {
        if (m_sheet && IsWindow(m_sheet))
            testsupport::PressButton(m_sheet, IDCANCEL);
        TrayProgram::TearDown();
        if (HWND tray = FindWindowA(kTrayClass, nullptr))  // started by the extension
            PostMessageA(tray, WM_COMMAND, ID_TRAY_EXIT, 0);
        WaitUntil([] { return !FindWindowA(kTrayClass, nullptr); }, 10000);
        displaypanel::RemoveApplet(testsupport::NoTrailingBackslash(testsupport::SystemFolder()));
        displaypanel::UnregisterHandler(m_registration);
    }

    // Waits for the sheet with both pages of the extension; null when none.
    HWND WaitForSheet()
    {
        m_sheet = WaitForDialog(displaypanel::kSheetCaption, 15000);
        return m_sheet;
    }

    HWND m_sheet = nullptr;

private:
    displaypanel::HandlerRegistration m_registration;
};

TEST_F(DisplayProperties, TheAppletShowsBothPagesStartsTheTrayAndHoldsTheDisplays)
{
    testsupport::Program panel(displaypanel::kRunAppletCommand);
    ASSERT_TRUE(panel.Started());
    HWND sheet = WaitForSheet();
    ASSERT_TRUE(sheet);
    EXPECT_EQ(SendDlgItemMessageA(sheet, kTabControl, TCM_GETITEMCOUNT, 0, 0), 2);
    HWND information = PageWith(sheet, IDC_INFO_TITLE);
    ASSERT_TRUE(information) << "the information page is shown first";
    EXPECT_EQ(testsupport::ItemText(information, IDC_INFO_TITLE), testsupport::ResourceString(IDS_INFO_TITLE));

    EXPECT_TRUE(WaitUntil([] { return FindWindowA(kTrayClass, nullptr) != nullptr; }, 10000))
        << "the extension started the tray program";
    EXPECT_TRUE(WaitUntil([&] { return Header().pagesOpen == 1; }));

    // A hot key in another application leaves the displays alone now.
    ASSERT_TRUE(WaitUntil([&] { return Header().keyboardHook != 0; }, 10000));
    const DWORD outputs = State().adapters[0].values[SIM_VALUE_DEVICE_MASK];
    {
        KeyTarget target(Program("hotkey_key_target.exe"));
        ASSERT_TRUE(target.Ready());
        EXPECT_TRUE(target.Type('C', HOTKEYF_CONTROL | HOTKEYF_ALT)) << "the key reaches the application";
        EXPECT_EQ(State().adapters[0].values[SIM_VALUE_DEVICE_MASK], outputs);
        EXPECT_TRUE(Escapes(SIM_FN_SWITCH).empty());
    }

    testsupport::PressButton(sheet, IDCANCEL);
    EXPECT_NE(panel.Wait(15000), STILL_ACTIVE) << "rundll32 ends with the sheet";
    EXPECT_EQ(Header().pagesOpen, 0);
}

TEST_F(DisplayProperties, TheTrayMenusFirstItemOpensThem)
{
    ASSERT_TRUE(StartTray());
    Choose(ID_TRAY_DISPLAY_PROPERTIES);
    HWND sheet = WaitForSheet();
    ASSERT_TRUE(sheet) << "the Display Properties from the tray menu";
    EXPECT_TRUE(PageWith(sheet, IDC_INFO_TITLE));
    EXPECT_TRUE(WaitUntil([&] { return Header().pagesOpen == 1; }));
    testsupport::PressButton(sheet, IDOK);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(sheet); }, 10000));
    EXPECT_EQ(Header().pagesOpen, 0);
}

// The extension's files are found beside it: a control panel whose current
// folder is another one (the shell's rarely is the install folder) shows
// both pages all the same.
TEST_F(DisplayProperties, FromAnotherCurrentFolderBothPagesShow)
{
    SetCurrentDirectoryA(testsupport::NoTrailingBackslash(testsupport::SystemFolder()).c_str());
    testsupport::Program panel(displaypanel::kRunAppletCommand);
    ASSERT_TRUE(panel.Started());
    HWND sheet = WaitForSheet();
    ASSERT_TRUE(sheet);
    EXPECT_EQ(SendDlgItemMessageA(sheet, kTabControl, TCM_GETITEMCOUNT, 0, 0), 2);
    EXPECT_TRUE(PageWith(sheet, IDC_INFO_TITLE));
    EXPECT_TRUE(WaitUntil([] { return FindWindowA(kTrayClass, nullptr) != nullptr; }, 10000))
        << "the tray program beside the extension was started";
    // Closed as the user closes it: no ended holder of `pagesOpen` is left
    // for the next test.
    testsupport::PressButton(sheet, IDCANCEL);
    EXPECT_NE(panel.Wait(15000), STILL_ACTIVE) << "rundll32 ends with the sheet";
    EXPECT_EQ(Header().pagesOpen, 0);
}

// `pagesOpen` holds exactly while a live process shows a page: a control
// panel that dies with its sheet open gives the displays back to the hot
// keys once the tray program's guardian notices; of two sheets, closing one
// keeps them held for the other.
TEST_F(DisplayProperties, TheDisplaysAreHeldExactlyWhileALiveProcessShowsAPage)
{
    ASSERT_TRUE(StartTray());
    ASSERT_TRUE(WaitUntil([&] { return Header().keyboardHook != 0; }, 10000));
    // Types Ctrl+Alt+C (the CRT alone) into another application; whether
    // the hot key switched the outputs.  The key must reach the application
    // either way.
    const auto hotKeySwitches = [&] {
        SimClearJournal();
        KeyTarget target(Program("hotkey_key_target.exe"));
        EXPECT_TRUE(target.Ready());
        EXPECT_TRUE(target.Type('C', HOTKEYF_CONTROL | HOTKEYF_ALT)) << "the key reaches the application";
        return !Escapes(SIM_FN_SWITCH).empty();
    };

    {
        testsupport::Program first(displaypanel::kRunAppletCommand);
        ASSERT_TRUE(WaitForSheet());
        testsupport::Program second(displaypanel::kRunAppletCommand);
        HWND other = testsupport::WaitForWindow([&](HWND hwnd) {
            return hwnd != m_sheet && IsWindowVisible(hwnd) && testsupport::WindowText(hwnd) == displaypanel::kSheetCaption;
        }, 15000);
        ASSERT_TRUE(other) << "a second sheet";
        // Its page is shown (it counts itself as shown before it is made
        // visible): from here on the second process holds the displays too.
        ASSERT_TRUE(WaitUntil([&] {
            HWND page = PageWith(other, IDC_INFO_TITLE);
            return page && IsWindowVisible(page);
        }, 15000)) << "the second sheet's information page";
        ASSERT_TRUE(WaitUntil([&] { return Header().pagesOpen == 1; }));
        testsupport::PressButton(m_sheet, IDCANCEL);
        ASSERT_NE(first.Wait(15000), STILL_ACTIVE);
        EXPECT_EQ(Header().pagesOpen, 1) << "the second sheet still shows a page";
        EXPECT_FALSE(hotKeySwitches()) << "so a hot key leaves the displays alone";
        // The second control panel is ended as End Task would end it.
    }
    EXPECT_TRUE(WaitUntil([&] { return Header().pagesOpen == 0; }, 10000))
        << "the guardian gives the displays back";
    EXPECT_TRUE(hotKeySwitches()) << "and a hot key acts again";
}
