// desk.cpl as a control panel calls it: the answers of CPlApplet in this
// process, and the whole way from rundll32's command line to the sheet.
#include "host_fixture.h"

#include <cpl.h>

#include "display_panel_contract.h"
#include "procaddress.h"
#include "test_support.h"

using testsupport::Program;

namespace {

using CplAppletFn = LONG(APIENTRY*)(HWND, UINT, LPARAM, LPARAM);

std::string AppletPath()
{
    return testsupport::TestFolder() + displaypanel::kAppletFile;
}

std::string Quoted(const std::string& text)
{
    return "\"" + text + "\"";
}

// The primary display device as the system lists it.
std::string SystemPrimaryDevice()
{
    DISPLAY_DEVICEA device = { sizeof(device) };
    for (DWORD index = 0; EnumDisplayDevicesA(nullptr, index, &device, 0); ++index) {
        if (device.StateFlags & DISPLAY_DEVICE_PRIMARY_DEVICE)
            return device.DeviceName;
        device = { sizeof(device) };
    }
    return "";
}

} // namespace

TEST(Applet, AnswersTheControlPanelsQuestionsAboutItsOneApplet)
{
    CModule applet(LoadLibraryA(AppletPath().c_str()));
    ASSERT_TRUE(applet);
    const auto cplApplet = GetProcAddressAs<CplAppletFn>(applet, "CPlApplet");
    ASSERT_TRUE(cplApplet);

    EXPECT_TRUE(cplApplet(nullptr, CPL_INIT, 0, 0));
    EXPECT_EQ(1, cplApplet(nullptr, CPL_GETCOUNT, 0, 0));

    CPLINFO info = {};
    EXPECT_EQ(0, cplApplet(nullptr, CPL_INQUIRE, 0, reinterpret_cast<LPARAM>(&info)));
    char name[64] = "";
    LoadStringA(applet, info.idName, name, sizeof(name));
    EXPECT_STREQ("Display", name);
    EXPECT_NE(nullptr, LoadIconA(applet, MAKEINTRESOURCEA(info.idIcon)));

    // A caller's buffer is big enough for the UTF-16 record; the applet
    // fills the ANSI one and says so by its size.
    NEWCPLINFOW buffer = {};
    auto& newInfo = reinterpret_cast<NEWCPLINFOA&>(buffer);
    EXPECT_EQ(0, cplApplet(nullptr, CPL_NEWINQUIRE, 0, reinterpret_cast<LPARAM>(&newInfo)));
    EXPECT_EQ(sizeof(NEWCPLINFOA), newInfo.dwSize);
    EXPECT_STREQ("Display", newInfo.szName);
    EXPECT_NE(nullptr, newInfo.hIcon);

    cplApplet(nullptr, CPL_STOP, 0, 0);
    cplApplet(nullptr, CPL_EXIT, 0, 0);
}

// The system's way in: vqxregister installs the applet into the system
// folder, and rundll32 runs it with the command the tray program uses.  The
// extension registered by vqxregister is not in the installation folder
// (only desk.cpl is), so the fake extension's page is the only one.
// rundll32 starts in the binaries' folder, where the extension's own
// WinExec("VQXTray.EXE") finds the tray program.
class AppletEndToEnd : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(CopyFileA(AppletPath().c_str(), m_install.File(displaypanel::kAppletFile).c_str(), FALSE));
        ASSERT_EQ(0u, RunRegister("install " + Quoted(m_install.Path())));
        ASSERT_EQ(ERROR_SUCCESS, displaypanel::RegisterHandler(FakeRegistration(displaypanel::kPropertySheetHandlersKey)));
    }

    void TearDown() override
    {
        displaypanel::UnregisterHandler(FakeRegistration(displaypanel::kPropertySheetHandlersKey));
        EXPECT_EQ(0u, RunRegister("remove"));
        EXPECT_EQ(INVALID_FILE_ATTRIBUTES,
                  GetFileAttributesA((testsupport::SystemFolder() + displaypanel::kAppletFile).c_str()));
    }

    static DWORD RunRegister(const std::string& arguments)
    {
        Program tool(Quoted(testsupport::TestFolder() + "vqxregister.exe") + " " + arguments);
        return tool.Wait();
    }

    // Runs `command`, waits for the sheet, reads it and closes it with
    // `button`; rundll32 must end then.
    SeenSheet RunPanel(const std::string& command, int button)
    {
        CCurrentFolder binaries(testsupport::NoTrailingBackslash(testsupport::TestFolder()));
        Program rundll32(command);
        EXPECT_TRUE(rundll32.Started());
        HWND sheet = testsupport::WaitForDialog(displaypanel::kSheetCaption, 10000);
        EXPECT_TRUE(sheet) << "no sheet from: " << command;
        if (!sheet)
            return SeenSheet();
        const SeenSheet seen = InspectAndClose(sheet, button);
        EXPECT_NE(static_cast<DWORD>(STILL_ACTIVE), rundll32.Wait()) << "rundll32 did not end";
        return seen;
    }

    CTempFolder m_install;
};

TEST_F(AppletEndToEnd, TheTrayCommandShowsThePrimaryDisplaysSheet)
{
    const SeenSheet seen = RunPanel(displaypanel::kRunAppletCommand, IDCANCEL);
    EXPECT_TRUE(seen.sheetShown);
    EXPECT_EQ(FAKE_PAGE_TEXT, seen.pageText);
    EXPECT_EQ(SystemPrimaryDevice(), seen.pageDeviceName);
    EXPECT_FALSE(seen.pageDeviceName.empty());
}

TEST_F(AppletEndToEnd, ADeviceNamedOnTheCommandLineIsTheOneShown)
{
    const SeenSheet seen = RunPanel(std::string(displaypanel::kRunAppletCommand) + ",,\\\\.\\DISPLAY2", IDOK);
    EXPECT_EQ(FAKE_PAGE_TEXT, seen.pageText);
    EXPECT_EQ("\\\\.\\DISPLAY2", seen.pageDeviceName);
}
