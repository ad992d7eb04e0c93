// Switching dual application on and off: the outputs, the driver state, the
// doubled desktop, the stored choice and the placed windows, and how far a
// failure gets.
#include "dual_app_fixture.h"

#include "resource_ids.h"

using Strings = std::vector<std::string>;

namespace {

// The halves of the doubled desktop for a panel `width` wide.
RECT FirstHalf(const RECT& workArea, LONG width)
{
    return { workArea.left, workArea.top, width, workArea.bottom };
}
RECT SecondHalf(const RECT& workArea, LONG width)
{
    return { workArea.left + width, workArea.top, 2 * width, workArea.bottom };
}

RECT CurrentWorkArea()
{
    RECT area = {};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    return area;
}

} // namespace

using SwitchingOn = DualApp;
using SwitchingOff = DualApp;

TEST_F(SwitchingOn, PlacesTheChosenWindowsOnTheTwoHalves)
{
    Start();
    SetWorkArea({ 12, 8, 1600, 570 });
    AppWindow left = StartApp("Left application");
    AppWindow right = StartApp("Right application");

    SwitchOn(left.window, right.window);

    EXPECT_EQ((Strings{ "dual application on, swapped 0", "mode 1600x600" }), Changes());
    EXPECT_EQ(unsigned(kModeDualApp), DisplayMode());
    EXPECT_EQ(1600u, State().devices[0].current.width);

    const RECT first = { 12, 8, 800, 570 };
    const RECT second = { 812, 8, 1600, 570 };
    EXPECT_EQ(first, WindowRect(left.window));
    EXPECT_EQ(second, WindowRect(right.window));

    EXPECT_EQ(HandleValue(left.window), SettingDword("DualAppPrimaryWindow"));
    EXPECT_EQ(HandleValue(right.window), SettingDword("DualAppSecondaryWindow"));
    EXPECT_EQ(first, SettingRect("DualAppPrimaryRect"));
    EXPECT_EQ(second, SettingRect("DualAppSecondaryRect"));
    EXPECT_EQ(std::optional<DWORD>(0), SettingDword("DualAppSwapped"));
}

TEST_F(SwitchingOn, BringsEachPlacedWindowToTheFrontInTurn)
{
    Start();
    LocalWindow second(WS_OVERLAPPEDWINDOW | WS_VISIBLE, "Second half");
    LocalWindow first(WS_OVERLAPPEDWINDOW | WS_VISIBLE, "First half");
    LocalWindow other(WS_OVERLAPPEDWINDOW | WS_VISIBLE, "Not chosen");
    ASSERT_TRUE(IsAbove(first.Get(), second.Get()));

    SwitchOn(first.Get(), second.Get());

    EXPECT_TRUE(IsAbove(second.Get(), first.Get())) << "the second window is placed last";
    EXPECT_TRUE(IsAbove(first.Get(), other.Get()));
    EXPECT_EQ(second.Get(), GetForegroundWindow());
    EXPECT_EQ(second.Get(), GetActiveWindow());
}

TEST_F(SwitchingOn, DoublesA1024PanelTo2048AndSplitsTheWorkArea)
{
    Start("[Adapter0]\nPanelId=2\nDeviceMask=3\nResolutions=1024x768,2048x768\n[Device0]\n");
    SetWorkArea({ 0, 0, 2048, 740 });
    AppWindow left = StartApp("First");
    AppWindow right = StartApp("Second");

    SwitchOn(left.window, right.window);

    EXPECT_EQ((Strings{ "dual application on, swapped 0", "mode 2048x768" }), Changes());
    EXPECT_EQ(RECT({ 0, 0, 1024, 740 }), WindowRect(left.window));
    EXPECT_EQ(RECT({ 1024, 0, 2048, 740 }), WindowRect(right.window));
}

TEST_F(SwitchingOn, HandsTheSwapFlagToTheDriverAndKeepsIt)
{
    Start();
    SwitchOn(nullptr, nullptr, 0x101);  // only the low 8 bits count

    EXPECT_EQ((Strings{ "dual application on, swapped 1", "mode 1600x600" }), Changes());
    EXPECT_EQ(1u, State().adapters[0].dualAppSwapped);
    EXPECT_EQ(std::optional<DWORD>(1), SettingDword("DualAppSwapped"));
    EXPECT_EQ(1, Hardware()->GetCurrentAdapter()->dualAppSwapped);
}

// One output active: a second one joins it before the state is entered.
struct AddedOutput {
    int active;
    const char* expectedSwitch;
};
class AddsASecondOutput : public DualApp, public ::testing::WithParamInterface<AddedOutput> {};

TEST_P(AddsASecondOutput, BeforeEnteringTheState)
{
    Start(std::string("[Adapter0]\nPanelId=1\nTvAttached=1\nResolutions=800x600,1600x600\nDeviceMask=") +
          std::to_string(GetParam().active) + "\n[Device0]\nResolution=800x600\n");
    SwitchOn(nullptr, nullptr);
    EXPECT_EQ((Strings{ GetParam().expectedSwitch, "dual application on, swapped 0", "mode 1600x600" }), Changes());
    EXPECT_EQ(unsigned(kModeDualApp), DisplayMode());
}

INSTANTIATE_TEST_SUITE_P(OneActiveOutput, AddsASecondOutput,
                         ::testing::Values(AddedOutput{ 1, "switch 3 mode word 0" },    // LCD: the CRT joins
                                           AddedOutput{ 2, "switch 3 mode word 0" },    // CRT: the LCD joins
                                           AddedOutput{ 4, "switch 5 mode word 0" },    // TV
                                           AddedOutput{ 8, "switch 9 mode word 0" }));  // secondary panel

TEST_F(SwitchingOn, LeavesTwoActiveOutputsAsTheyAre)
{
    Start("[Adapter0]\nPanelId=1\nTvAttached=1\nResolutions=800x600,1600x600\nDeviceMask=6\n"
          "[Device0]\nResolution=800x600\n");
    SwitchOn(nullptr, nullptr);
    EXPECT_EQ((Strings{ "dual application on, swapped 0", "mode 1600x600" }), Changes());
}

TEST_F(SwitchingOn, AlreadyOnIsRefusedWithoutAsking)
{
    Start("[Adapter0]\nPanelId=1\nDeviceMask=3\nMode=2\nResolutions=800x600,1600x600\n"
          "[Device0]\nResolution=1600x600\n");
    ServiceError error;
    {
        DialogSentry sentry;
        error = CatchServiceError([&] { Service()->SetDualApp(TRUE, 0); });
        EXPECT_FALSE(sentry.Appeared());
    }
    EXPECT_EQ((ServiceError{ IDS_ERR_DUALAPP_ALREADY_ON, 0 }), error);
    EXPECT_EQ(Strings{}, Changes());
    EXPECT_EQ(unsigned(kModeDualApp), DisplayMode());
}

TEST_F(SwitchingOn, CancelChangesNothing)
{
    Start("[Adapter0]\nPanelId=1\nDeviceMask=1\nResolutions=800x600,1600x600\n[Device0]\nResolution=800x600\n");
    AppWindow app = StartApp("Untouched");
    const RECT before = WindowRect(app.window);

    RunDriven([&] { Service()->SetDualApp(TRUE, 0); },
              [&] {
                  HWND dialog = WaitForChoiceDialog();
                  if (!dialog)
                      return;
                  EXPECT_TRUE(ChooseWindow(dialog, IDC_DUALAPP_FIRST_WINDOW, app.window));
                  testsupport::PressButton(dialog, IDCANCEL);
              });

    EXPECT_EQ(Strings{}, Changes());
    EXPECT_EQ(1u, State().adapters[0].values[SIM_VALUE_DEVICE_MASK]);
    EXPECT_EQ(unsigned(kModeSingle), DisplayMode());
    EXPECT_EQ(before, WindowRect(app.window));
    EXPECT_FALSE(SettingDword("DualAppPrimaryWindow"));
    EXPECT_FALSE(SettingRect("DualAppPrimaryRect"));
    EXPECT_FALSE(SettingDword("DualAppSwapped"));
}

TEST_F(SwitchingOn, NoWindowOnEitherHalfStillDoublesTheDesktop)
{
    Start();
    const RECT area = CurrentWorkArea();
    SwitchOn(nullptr, nullptr);

    EXPECT_EQ((Strings{ "dual application on, swapped 0", "mode 1600x600" }), Changes());
    EXPECT_EQ(std::optional<DWORD>(0), SettingDword("DualAppPrimaryWindow"));
    EXPECT_EQ(std::optional<DWORD>(0), SettingDword("DualAppSecondaryWindow"));
    EXPECT_EQ(FirstHalf(area, 800), SettingRect("DualAppPrimaryRect"));
    EXPECT_EQ(SecondHalf(area, 800), SettingRect("DualAppSecondaryRect"));
    EXPECT_EQ((ServiceError{ IDS_ERR_DUALAPP_NO_WINDOWS, 0 }),
              CatchServiceError([&] { Service()->SwapDualAppWindows(); }));
}

// ---- failures: the error passes out and nothing after it happens --------

TEST_F(SwitchingOn, RefusedOutputStopsBeforeTheDriverState)
{
    Start("[Adapter0]\nPanelId=1\nDeviceMask=1\nCrtAttached=0\nResolutions=800x600,1600x600\n"
          "[Device0]\nResolution=800x600\n");
    AppWindow app = StartApp("Chosen");
    const RECT before = WindowRect(app.window);
    const ServiceError error = TrySwitchOn(app.window, nullptr, 0);
    EXPECT_EQ((ServiceError{ IDS_ERR_NO_CRT, 0 }), error);
    EXPECT_EQ(Strings{}, Changes());
    EXPECT_EQ(before, WindowRect(app.window));
    EXPECT_FALSE(SettingDword("DualAppPrimaryWindow"));
}

TEST_F(SwitchingOn, NoOutputAtAllGetsTheLcdAloneAndTheDriverRefuses)
{
    Start("[Adapter0]\nPanelId=1\nDeviceMask=0\nResolutions=800x600,1600x600\n[Device0]\nResolution=800x600\n");
    const ServiceError error = TrySwitchOn(nullptr, nullptr);
    EXPECT_EQ((ServiceError{ IDS_ERR_DRIVER_FAILED, SIM_FN_DUAL_APP }), error);
    EXPECT_EQ((Strings{ "switch 1 mode word 0", "dual application on, swapped 0 -> status 0x10002" }), Changes());
    EXPECT_EQ(unsigned(kModeSingle), DisplayMode());
    EXPECT_FALSE(SettingDword("DualAppPrimaryWindow"));
}

TEST_F(SwitchingOn, DriverRefusalLeavesDesktopWindowsAndSettingsAlone)
{
    Start();
    SimSetEscapeFault(SIM_FN_DUAL_APP, SIM_STATUS_INVALID);
    AppWindow app = StartApp("Chosen");
    const RECT before = WindowRect(app.window);
    const ServiceError error = TrySwitchOn(app.window, nullptr, 1);
    SimSetEscapeFault(SIM_FN_DUAL_APP, 0);
    EXPECT_EQ((ServiceError{ IDS_ERR_DRIVER_FAILED, SIM_FN_DUAL_APP }), error);
    EXPECT_EQ((Strings{ "dual application on, swapped 1 -> status 0x10001" }), Changes());
    EXPECT_EQ(before, WindowRect(app.window));
    EXPECT_FALSE(SettingDword("DualAppPrimaryWindow"));
    EXPECT_FALSE(SettingDword("DualAppSwapped")) << "kept only when the driver took it";
}

TEST_F(SwitchingOn, RefusedModeLeavesTheDriverStateOnButPlacesNothing)
{
    Start();
    SimSetModeChangeResult(DISP_CHANGE_BADMODE);
    AppWindow app = StartApp("Chosen");
    const RECT before = WindowRect(app.window);
    const ServiceError error = TrySwitchOn(app.window, nullptr, 0);
    SimSetModeChangeResult(SIM_MODE_CHANGE_NORMAL);
    EXPECT_EQ((ServiceError{ IDS_ERR_MODE_REFUSED, DISP_CHANGE_BADMODE }), error);
    EXPECT_EQ((Strings{ "dual application on, swapped 0", "mode 1600x600" }), Changes());
    EXPECT_EQ(unsigned(kModeDualApp), DisplayMode()) << "as far as the steps before got";
    EXPECT_EQ(before, WindowRect(app.window));
    EXPECT_FALSE(SettingDword("DualAppPrimaryWindow"));
}

TEST_F(SwitchingOn, AChosenWindowClosedMeanwhileIsNotPlaced)
{
    Start();
    AppWindow closing = StartApp("Closing");
    AppWindow staying = StartApp("Staying");
    RunDriven([&] { Service()->SetDualApp(TRUE, 0); },
              [&] {
                  HWND dialog = WaitForChoiceDialog();
                  if (!dialog)
                      return;
                  ChooseWindow(dialog, IDC_DUALAPP_FIRST_WINDOW, closing.window);
                  ChooseWindow(dialog, IDC_DUALAPP_SECOND_WINDOW, staying.window);
                  closing.program.reset();  // the program ends while the dialog is open
                  testsupport::PressButton(dialog, IDOK);
              });
    EXPECT_FALSE(IsWindow(closing.window));
    const RECT area = CurrentWorkArea();
    EXPECT_EQ(SecondHalf(area, 800), WindowRect(staying.window));
    EXPECT_EQ((ServiceError{ IDS_ERR_DUALAPP_WINDOW_GONE, 0 }),
              CatchServiceError([&] { Service()->SwapDualAppWindows(); }));
}

// ---- off ------------------------------------------------------------------

TEST_F(SwitchingOff, LeavesTheStateAndKeepsTheChoice)
{
    Start();
    AppWindow app = StartApp("Kept");
    SwitchOn(app.window, nullptr);
    const RECT placed = WindowRect(app.window);
    SimClearJournal();

    Service()->SetDualApp(FALSE, 0);

    EXPECT_EQ((Strings{ "dual application off", "mode 800x600" }), Changes());
    EXPECT_EQ(unsigned(kModeSingle), DisplayMode());
    EXPECT_EQ(800u, State().devices[0].current.width);
    EXPECT_EQ(placed, WindowRect(app.window)) << "windows stay where they are";
    EXPECT_EQ(HandleValue(app.window), SettingDword("DualAppPrimaryWindow"));
    EXPECT_TRUE(SettingRect("DualAppPrimaryRect"));
}

TEST_F(SwitchingOff, AsksTheDriverEvenWhenTheStateIsOff)
{
    Start();
    DialogSentry sentry;
    Service()->SetDualApp(FALSE, 0);
    EXPECT_EQ((Strings{ "dual application off", "mode 800x600" }), Changes());
    EXPECT_FALSE(sentry.Appeared());
}
