// The information page as the Display control panel shows it: the adapter's
// facts from the driver, the file versions of the display driver (by OS
// class) and of the tray program, and the pages-open flag.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "os_service.h"
#include "pages_fixture.h"
#include "tray_version_probe.h"

using testsupport::ItemText;
using testsupport::ResourceString;

namespace {

// The stand-in driver files of this test's build, each with a version of its
// own (STAND_IN_* from the build: one place for the numbers).
struct StandInDriver {
    const char* builtFile;   // beside the test program
    const char* driverFile;  // the name the page looks for
    std::vector<int> version;
};
const StandInDriver kStandInDrivers[] = {
    { "stand_in_vqxdd32.dll", "vqxdd32.dll", { STAND_IN_VQXDD32_VERSION } },
    { "stand_in_vqxdisp.dll", "vqxdisp.dll", { STAND_IN_VQXDISP_VERSION } },
    { "stand_in_vqxdispb.dll", "vqxdispb.dll", { STAND_IN_VQXDISPB_VERSION } },
};

// The stand-in driver files in the system folder, where the system finds
// libraries by bare name, for the life of the object.
class InstalledStandInDrivers {
public:
    InstalledStandInDrivers()
    {
        for (const StandInDriver& driver : kStandInDrivers)
            EXPECT_TRUE(CopyFileA((testsupport::TestFolder() + driver.builtFile).c_str(),
                                  (testsupport::SystemFolder() + driver.driverFile).c_str(), FALSE))
                << driver.builtFile << ": error " << GetLastError();
    }
    ~InstalledStandInDrivers()
    {
        for (const StandInDriver& driver : kStandInDrivers)
            DeleteFileA((testsupport::SystemFolder() + driver.driverFile).c_str());
    }
    InstalledStandInDrivers(const InstalledStandInDrivers&) = delete;
    InstalledStandInDrivers& operator=(const InstalledStandInDrivers&) = delete;
};

std::string DriverVersionText(const StandInDriver& driver)
{
    const std::vector<int>& v = driver.version;
    return testsupport::FormatResource(IDS_FMT_DRIVER_VERSION, v[0], v[1], v[2], v[3]);
}

// A folder holding the probe program and every library beside the test
// program, but not the tray program; removed with the object.
class FolderWithoutTrayProgram {
public:
    FolderWithoutTrayProgram() : m_folder("vqx_pages_without_tray")
    {
        Copy(kTrayVersionProbe);
        WIN32_FIND_DATAA found;
        HANDLE search = FindFirstFileA((testsupport::TestFolder() + "*.dll").c_str(), &found);
        if (search == INVALID_HANDLE_VALUE)
            return;
        do
            Copy(found.cFileName);
        while (FindNextFileA(search, &found));
        FindClose(search);
    }
    const std::string& Path() const { return m_folder.Path(); }

private:
    void Copy(const std::string& file)
    {
        EXPECT_TRUE(m_folder.CopyFromTestFolder(file)) << file << ": error " << GetLastError();
    }

    testsupport::TemporaryFolder m_folder;
};

// Runs the probe program of `folder` on the fixture's display; its answer.
DWORD RunTrayVersionProbe(const std::string& folder)
{
    testsupport::Program probe("\"" + folder + kTrayVersionProbe + "\" \\\\.\\DISPLAY1");
    EXPECT_TRUE(probe.Started()) << folder;
    // Pumping while waiting: the probe's windows may send to this thread's.
    DWORD code = STILL_ACTIVE;
    testsupport::WaitUntil([&] { return (code = probe.Wait(0)) != STILL_ACTIVE; }, 30000);
    return code;
}

class InformationPage : public ExtensionPages {};

} // namespace

TEST_F(InformationPage, ShowsTheAdapterAsTheDriverReportsIt)
{
    struct Case {
        const char* adapter;  // keys of the scenario's [Adapter0]
        int kind;
        const char* panelSize;
        std::string adapterVersion;
    };
    const Case cases[] = {
        { "AdapterKind=0\nPanelWidth=1400\nPanelHeight=1050\nVersion=1.2.3\n", 0, "1400 x 1050",
          testsupport::FormatResource(IDS_FMT_ADAPTER_VERSION3, 1, 2, 3) },
        { "AdapterKind=3\nPanelId=1\nVersion=6.14.10.2\n", 3, "800 x 600",
          testsupport::FormatResource(IDS_FMT_ADAPTER_VERSION4, 6, 14, 10, 2) },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.adapter);
        Load(std::string("[Adapter0]\nDeviceMask=3\n") + c.adapter + "[Device0]\nName=\\\\.\\DISPLAY1\n");
        OpenDisplayProperties();
        HWND page = ShowInformationPage();
        EXPECT_EQ(ResourceString(IDS_INFO_TITLE), ItemText(page, IDC_INFO_TITLE));
        EXPECT_EQ(ResourceString(IDS_ADAPTER_KIND_BASE + c.kind), ItemText(page, IDC_INFO_ADAPTER_KIND));
        EXPECT_EQ(c.panelSize, ItemText(page, IDC_INFO_PANEL_SIZE));
        EXPECT_EQ(c.adapterVersion, ItemText(page, IDC_INFO_ADAPTER_VERSION));
        EXPECT_EQ(testsupport::FormatResource(IDS_FMT_COPYRIGHT_YEARS, 2000, 2003),
                  ItemText(page, IDC_COPYRIGHT_YEARS));
        EXPECT_EQ(ResourceString(IDS_COPYRIGHT_NOTICE), ItemText(page, IDC_COPYRIGHT_NOTICE));
        CloseDisplayProperties();
    }
}

TEST_F(InformationPage, ShowsTheVersionOfTheDisplayDriverFileOfTheOSClass)
{
    const InstalledStandInDrivers installed;
    struct Case {
        int osClass;
        const StandInDriver& driver;
    };
    const Case cases[] = {
        { kOSWin32s, kStandInDrivers[0] },        { kOSWin95, kStandInDrivers[0] },
        { kOSWin98, kStandInDrivers[0] },         { kOSWinNT4, kStandInDrivers[1] },
        { kOSWin2000, kStandInDrivers[1] },       { kOSWinXP, kStandInDrivers[2] },
        { kOSWinXPServicePack, kStandInDrivers[2] },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("OS class " + std::to_string(c.osClass));
        // The page reads the class when it is first shown, after the
        // extension's refresh has set it.
        OpenDisplayProperties([&] { Header().osClass = c.osClass; });
        EXPECT_EQ(DriverVersionText(c.driver), ItemText(ShowInformationPage(), IDC_INFO_DRIVER_VERSION));
        CloseDisplayProperties();
    }
}

TEST_F(InformationPage, LeavesTheDriverVersionEmptyWithoutTheDriverFile)
{
    OpenDisplayProperties();
    EXPECT_EQ("", ItemText(ShowInformationPage(), IDC_INFO_DRIVER_VERSION));
}

TEST_F(InformationPage, ShowsTheTrayProgramsVersion)
{
    // VQXTray.exe lies beside the test program, where the system looks first.
    OpenDisplayProperties();
    EXPECT_EQ(testsupport::FormatResource(IDS_FMT_TRAY_VERSION, VQX_PRODUCT_VERSION),
              ItemText(ShowInformationPage(), IDC_INFO_TRAY_VERSION));
}

TEST_F(InformationPage, RaisesPagesOpenWhileAPageOfTheExtensionIsShown)
{
    Header().pagesOpen = 0;
    OpenDisplayProperties();
    ShowInformationPage();
    EXPECT_EQ(1, Header().pagesOpen);
    // Leaving one page for the other keeps the flag up.
    ShowDevicesPage();
    EXPECT_EQ(1, Header().pagesOpen);
    ShowInformationPage();
    EXPECT_EQ(1, Header().pagesOpen);
    CloseDisplayProperties();
    EXPECT_EQ(0, Header().pagesOpen);
}

TEST_F(InformationPage, LeavesTheTrayVersionEmptyWhereTheSystemDoesNotFindTheTrayProgram)
{
    // The system looks in the program's folder first: beside the test
    // program the probe finds the tray program, in a copy without it not.
    EXPECT_EQ(DWORD(kTrayVersionShown), RunTrayVersionProbe(testsupport::TestFolder()));
    const FolderWithoutTrayProgram folder;
    EXPECT_EQ(DWORD(kTrayVersionEmpty), RunTrayVersionProbe(folder.Path()));
}
