// Start and end of the tray program: one copy per system, the icon, the
// hidden window, the hook, the selection of the primary display, and a
// program that says once why it cannot start and ends.
#include "tray_fixture.h"

#include <shellapi.h>

#include <fstream>

#include "resource_ids.h"

using testsupport::WaitUntil;

namespace {

// Three displays on one adapter, the second is the system's primary one.
const char kSecondPrimary[] =
    "[Adapter0]\n"
    "DeviceMask=1\n"
    "[Device0]\n"
    "Primary=0\n"
    "[Device1]\n"
    "Primary=1\n"
    "[Device2]\n"
    "Primary=0\n";

// Two adapters; the primary display is on the second.
const char kPrimaryOnSecondAdapter[] =
    "[Adapter0]\n"
    "[Adapter1]\n"
    "SubsystemId=0x2201\n"
    "[Device0]\n"
    "Adapter=0\n"
    "Primary=0\n"
    "[Device1]\n"
    "Adapter=1\n"
    "Primary=1\n";

// Fills `folder` with the tray program and the libraries it runs with, but
// no resource library.
void CopyTrayWithoutResources(const testsupport::TemporaryFolder& folder)
{
    DeleteFileA(folder.File("VQXRES.DLL").c_str());
    for (const std::string& file : testsupport::WithRuntimeLibraries({ "VQXTray.exe" }))
        EXPECT_TRUE(folder.CopyFromTestFolder(file)) << file;
}

// Starts `commandLine`, which cannot start the tray program: one box of the
// program, with no tray window, is read and closed with OK, and the program
// ends.  The box's text; "" when none came.
std::string TextOfTheOneBoxBeforeTheEnd(const std::string& commandLine)
{
    testsupport::Program tray(commandLine);
    EXPECT_TRUE(tray.Started());
    HWND box = testsupport::WaitForDialog(kTrayBoxCaption, 15000);
    std::string text;
    if (box) {
        EXPECT_EQ(CountWindows(tray.ProcessId(), "#32770"), 1);
        EXPECT_EQ(CountWindows(tray.ProcessId(), kTrayClass), 0);
        text = testsupport::MessageBoxText(box);
        testsupport::PressButton(box, IDOK);
    }
    EXPECT_NE(tray.Wait(15000), STILL_ACTIVE);
    EXPECT_EQ(FindWindowA(kTrayClass, nullptr), nullptr);
    return text;
}

} // namespace

TEST_F(TrayProgram, RunsHiddenWithItsIconAndHookAndEndsThroughExit)
{
    HWND tray = StartTray();
    ASSERT_TRUE(tray);
    EXPECT_TRUE(WaitUntil([&] { return IsIconShown(tray); }));
    EXPECT_FALSE(IsWindowVisible(tray));
    EXPECT_TRUE(GetWindowLongA(tray, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_EQ(testsupport::WindowText(tray), "VQX Control Panel");
    EXPECT_TRUE(GetClassLongA(tray, GCL_STYLE) & CS_DBLCLKS);
    EXPECT_NE(Header().keyboardHook, 0);

    EXPECT_EQ(ExitTray(), 0u);
    EXPECT_FALSE(IsIconShown(tray));
    EXPECT_EQ(Header().keyboardHook, 0) << "the hook's record is cleared";
}

TEST_F(TrayProgram, ASecondCopyEndsAtOnceAndLeavesTheFirstAlone)
{
    HWND tray = StartTray();
    ASSERT_TRUE(tray);
    // The program adds its icon before it installs its hook.
    ASSERT_TRUE(WaitUntil([&] { return IsIconShown(tray) && Header().keyboardHook != 0; }));
    const int32_t hook = Header().keyboardHook;

    testsupport::Program second(Program("VQXTray.exe"));
    ASSERT_TRUE(second.Started());
    EXPECT_EQ(second.Wait(10000), 0u);
    EXPECT_EQ(CountWindows(second.ProcessId(), kTrayClass), 0);
    EXPECT_EQ(CountWindows(second.ProcessId(), "#32770"), 0);
    EXPECT_TRUE(IsIconShown(tray));
    EXPECT_EQ(Header().keyboardHook, hook);
    EXPECT_TRUE(IsWindow(tray));
}

// When another process built the shared block, the tray program has no
// display of its own yet and takes the primary one: a switch from its menu
// goes to that display.
TEST_F(TrayProgram, SelectsThePrimaryDisplayOfABlockAnotherProcessBuilt)
{
    for (const char* scenario : { kSecondPrimary, kPrimaryOnSecondAdapter }) {
        Load(scenario);
        ASSERT_TRUE(Hardware());
        ASSERT_TRUE(StartTray());
        Choose(ID_TRAY_DEVICES_CRT);
        const auto switches = TrayEscapes(SIM_FN_SWITCH);
        ASSERT_EQ(switches.size(), 1u) << scenario;
        EXPECT_STREQ(switches[0].deviceName, "\\\\.\\DISPLAY2");
        EXPECT_EQ(switches[0].request[1], 2u);
        ASSERT_EQ(ExitTray(), 0u);
        ReleaseHardware();
    }
}

TEST_F(TrayProgram, HiddenIconIsNeverAddedButHotKeysStillWork)
{
    SetOem("OEM", "HideTrayIcon", 1);
    HWND tray = StartTray();
    ASSERT_TRUE(tray);
    ASSERT_TRUE(WaitUntil([&] { return Header().keyboardHook != 0; }));
    EXPECT_FALSE(IsIconShown(tray));
    EXPECT_EQ(ExitTray(), 0u);
}

// Without its resource library, or with one of another version, the
// program cannot say anything in the user's words: it names the file in
// plain words, once, and ends.
TEST_F(TrayProgram, WithoutAResourceLibraryOfItsVersionItNamesTheFileOnceAndEnds)
{
    struct Case {
        const char* folder;
        const char* resources;  // copied beside the program as VQXRES.DLL; null: none
    } const cases[] = {
        { "vqx-no-resources", nullptr },
        { "vqx-other-resources", "other-version\\VQXRES.DLL" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.folder);
        const testsupport::TemporaryFolder folder(c.folder);
        CopyTrayWithoutResources(folder);
        if (c.resources) {
            ASSERT_TRUE(folder.Copy(testsupport::TestFolder() + c.resources, "VQXRES.DLL"));
        }
        const std::string text = TextOfTheOneBoxBeforeTheEnd("\"" + folder.File("VQXTray.exe") + "\"");
        EXPECT_NE(text.find("VQXRES.DLL"), std::string::npos) << text;
    }
}

// An error of the service library while the program takes its service
// (here the driver does not answer) is shown in the library's words.
TEST_F(TrayProgram, AServiceErrorAtStartIsShownOnceAndTheProgramEnds)
{
    ASSERT_TRUE(SimSetEscapeFault(SIM_FN_STATUS, SIM_NO_ANSWER));
    EXPECT_NE(TextOfTheOneBoxBeforeTheEnd(Program("VQXTray.exe")), "");
}

// The shell lost the icon (its taskbar was made again): the broadcast that
// says so brings it back.
TEST_F(TrayProgram, IconComesBackWhenTheTaskbarIsCreatedAgain)
{
    HWND tray = StartTray();
    ASSERT_TRUE(tray);
    ASSERT_TRUE(WaitUntil([&] { return IsIconShown(tray); }));
    NOTIFYICONDATAA gone = {};
    gone.cbSize = 488;
    gone.hWnd = tray;
    gone.uID = kTrayIconId;
    ASSERT_TRUE(Shell_NotifyIconA(NIM_DELETE, &gone));
    ASSERT_FALSE(IsIconShown(tray));

    PostMessageA(HWND_BROADCAST, RegisterWindowMessageA("TaskbarCreated"), 0, 0);
    EXPECT_TRUE(WaitUntil([&] { return IsIconShown(tray); }));
}
