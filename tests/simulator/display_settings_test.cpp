// Display modes through the seam: enumeration, mode changes and the
// resolution the device contexts report.
#include "sim_fixture.h"

using namespace simtest;

namespace {

const char kDisplay[] = "\\\\.\\DISPLAY1";

DEVMODEA Mode(DWORD width, DWORD height)
{
    DEVMODEA mode = {};
    mode.dmSize = sizeof(mode);
    mode.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT;
    mode.dmPelsWidth = width;
    mode.dmPelsHeight = height;
    return mode;
}

bool Enumerated(const char* device, DWORD index, DEVMODEA& mode)
{
    mode = {};
    mode.dmSize = sizeof(mode);
    return SimEnumDisplaySettingsA(device, index, &mode);
}

class DisplaySettingsTest : public SimTest {};

TEST_F(DisplaySettingsTest, ModesAreListedInOrderAndTheCurrentOneAsSuch)
{
    DEVMODEA mode;
    ASSERT_TRUE(Enumerated(kDisplay, 0, mode));
    EXPECT_EQ(640u, mode.dmPelsWidth);
    EXPECT_EQ(8u, mode.dmBitsPerPel);
    ASSERT_TRUE(Enumerated(kDisplay, 11, mode));
    EXPECT_EQ(1280u, mode.dmPelsWidth);
    EXPECT_EQ(1024u, mode.dmPelsHeight);
    EXPECT_EQ(32u, mode.dmBitsPerPel);
    EXPECT_EQ(60u, mode.dmDisplayFrequency);
    EXPECT_FALSE(Enumerated(kDisplay, 12, mode));
    ASSERT_TRUE(Enumerated(kDisplay, ENUM_CURRENT_SETTINGS, mode));
    EXPECT_EQ(1024u, mode.dmPelsWidth);
    EXPECT_EQ(768u, mode.dmPelsHeight);
    EXPECT_FALSE(Enumerated("\\\\.\\DISPLAY9", 0, mode));
}

TEST_F(DisplaySettingsTest, RotatedDevicesListTurnedModes)
{
    Load("[Device0]\nRotation=1\nResolution=768x1024\n");
    DEVMODEA mode;
    ASSERT_TRUE(Enumerated(kDisplay, 2, mode));
    EXPECT_EQ(768u, mode.dmPelsWidth);
    EXPECT_EQ(1024u, mode.dmPelsHeight);
    EXPECT_EQ(DWORD(DMDO_90), mode.dmDisplayOrientation);
}

TEST_F(DisplaySettingsTest, ModeChangeChangesTheResolutionTheDeviceContextReports)
{
    SimDC dc(kDisplay);
    DEVMODEA small = Mode(800, 600);
    EXPECT_EQ(DISP_CHANGE_SUCCESSFUL,
              SimChangeDisplaySettingsExA(kDisplay, &small, nullptr, CDS_UPDATEREGISTRY | CDS_RESET, nullptr));
    EXPECT_EQ(800, dc.Caps(HORZRES));
    EXPECT_EQ(600, dc.Caps(VERTRES));
    EXPECT_EQ(32, dc.Caps(BITSPIXEL));
    EXPECT_EQ(60, dc.Caps(VREFRESH));

    DEVMODEA odd = Mode(1000, 700);
    EXPECT_EQ(DISP_CHANGE_BADMODE, SimChangeDisplaySettingsExA(kDisplay, &odd, nullptr, 0, nullptr));
    DEVMODEA tested = Mode(640, 480);
    EXPECT_EQ(DISP_CHANGE_SUCCESSFUL, SimChangeDisplaySettingsExA(kDisplay, &tested, nullptr, CDS_TEST, nullptr));
    EXPECT_EQ(800, dc.Caps(HORZRES));

    // Without a device name the primary display changes.
    DEVMODEA large = Mode(1280, 1024);
    EXPECT_EQ(DISP_CHANGE_SUCCESSFUL, SimChangeDisplaySettingsA(&large, CDS_UPDATEREGISTRY));
    EXPECT_EQ(1280, dc.Caps(HORZRES));
    // No mode: the system re-reads its settings, nothing changes.
    EXPECT_EQ(DISP_CHANGE_SUCCESSFUL, SimChangeDisplaySettingsA(nullptr, 0));
    EXPECT_EQ(1280, dc.Caps(HORZRES));
    EXPECT_GT(dc.Caps(LOGPIXELSX), 0);  // not simulated: the real DC answers
}

TEST_F(DisplaySettingsTest, DualApplicationAcceptsTheDoubleWidth)
{
    Load("[Adapter0]\nDeviceMask=3\n");
    SimDC dc(kDisplay);
    DEVMODEA wide = Mode(2048, 768);
    EXPECT_EQ(DISP_CHANGE_BADMODE, SimChangeDisplaySettingsA(&wide, 0));
    ASSERT_EQ(0u, dc.Status(Bytes(SIM_FN_DUAL_APP, { 1, 0 })));
    EXPECT_EQ(DISP_CHANGE_SUCCESSFUL, SimChangeDisplaySettingsA(&wide, 0));
    EXPECT_EQ(2048, dc.Caps(HORZRES));
}

TEST_F(DisplaySettingsTest, RotationThenTheTurnedModeChange)
{
    SimDC dc(kDisplay);
    ASSERT_EQ(0u, dc.Status(Bytes(SIM_FN_ROTATE, { 1 })));
    DEVMODEA portrait = Mode(768, 1024);
    EXPECT_EQ(DISP_CHANGE_SUCCESSFUL, SimChangeDisplaySettingsExA(kDisplay, &portrait, nullptr, 0, nullptr));
    DEVMODEA landscape = Mode(1024, 768);
    EXPECT_EQ(DISP_CHANGE_BADMODE, SimChangeDisplaySettingsExA(kDisplay, &landscape, nullptr, 0, nullptr));
}

TEST_F(DisplaySettingsTest, ForcedResultsOverrideValidation)
{
    SimDC dc(kDisplay);
    SimSetModeChangeResult(DISP_CHANGE_FAILED);
    DEVMODEA small = Mode(800, 600);
    EXPECT_EQ(DISP_CHANGE_FAILED, SimChangeDisplaySettingsExA(kDisplay, &small, nullptr, 0, nullptr));
    EXPECT_EQ(1024, dc.Caps(HORZRES));
    SimSetModeChangeResult(DISP_CHANGE_SUCCESSFUL);
    DEVMODEA odd = Mode(1000, 700);
    EXPECT_EQ(DISP_CHANGE_SUCCESSFUL, SimChangeDisplaySettingsExA(kDisplay, &odd, nullptr, 0, nullptr));
    EXPECT_EQ(1000, dc.Caps(HORZRES));
    SimSetModeChangeResult(SIM_MODE_CHANGE_NORMAL);
    EXPECT_EQ(DISP_CHANGE_BADMODE, SimChangeDisplaySettingsExA(kDisplay, &odd, nullptr, 0, nullptr));
}

TEST_F(DisplaySettingsTest, DeviceContextsOnlyForAttachedDevices)
{
    ASSERT_EQ(0, SimLoadScenario(ScenarioPath("two-adapters.ini").c_str()));
    SimDC other("\\\\.\\DISPLAY1");
    EXPECT_EQ(1280, other.Caps(HORZRES));
    SimDC detached("\\\\.\\DISPLAY3");
    EXPECT_EQ(nullptr, detached.Get());
    SimDC missing("\\\\.\\DISPLAY9");
    EXPECT_EQ(nullptr, missing.Get());
    // "DISPLAY" is the adapter's display even when another vendor's is primary.
    SimDC display("DISPLAY");
    ASSERT_NE(nullptr, display.Get());
    EXPECT_EQ(1024, display.Caps(HORZRES));
    EXPECT_EQ(SIM_ESCAPE, display.Send(Words({ SIM_FN_STATUS })).returned);
}

} // namespace
