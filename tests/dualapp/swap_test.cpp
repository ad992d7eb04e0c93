// Exchanging the two windows between the halves, and the halves between the
// outputs, while dual application is on; and the refusals that leave
// everything as it was.
#include "dual_app_fixture.h"

#include "resource_ids.h"

using Strings = std::vector<std::string>;

namespace {

RECT StoredOrEmpty(const std::optional<RECT>& rect)
{
    return rect ? *rect : RECT{};
}

} // namespace

// Dual application on with two helper windows placed on the halves.
class Swap : public DualApp {
protected:
    void StartWithTwoWindows()
    {
        Start();
        m_left = StartApp("Left window");
        m_right = StartApp("Right window");
        SwitchOn(m_left.window, m_right.window);
        m_firstHalf = StoredOrEmpty(SettingRect("DualAppPrimaryRect"));
        m_secondHalf = StoredOrEmpty(SettingRect("DualAppSecondaryRect"));
        ASSERT_EQ(m_firstHalf, WindowRect(m_left.window));
        ASSERT_EQ(m_secondHalf, WindowRect(m_right.window));
        SimClearJournal();
    }

    // Swapping the windows fails with `id` and moves nothing.
    void ExpectRefusedWindowSwap(UINT id)
    {
        const RECT left = WindowRect(m_left.window), right = WindowRect(m_right.window);
        const auto primary = SettingDword("DualAppPrimaryWindow");
        const auto secondary = SettingDword("DualAppSecondaryWindow");
        EXPECT_EQ((ServiceError{ id, 0 }), CatchServiceError([&] { Service()->SwapDualAppWindows(); }));
        if (IsWindow(m_left.window)) {
            EXPECT_EQ(left, WindowRect(m_left.window));
        }
        if (IsWindow(m_right.window)) {
            EXPECT_EQ(right, WindowRect(m_right.window));
        }
        EXPECT_EQ(primary, SettingDword("DualAppPrimaryWindow"));
        EXPECT_EQ(secondary, SettingDword("DualAppSecondaryWindow"));
        EXPECT_EQ(Strings{}, Changes());
    }

    AppWindow m_left, m_right;
    RECT m_firstHalf = {}, m_secondHalf = {};
};

TEST_F(Swap, WindowsChangeHalvesBackAndForth)
{
    StartWithTwoWindows();

    Service()->SwapDualAppWindows();
    EXPECT_EQ(m_secondHalf, WindowRect(m_left.window));
    EXPECT_EQ(m_firstHalf, WindowRect(m_right.window));
    EXPECT_EQ(HandleValue(m_right.window), SettingDword("DualAppPrimaryWindow"));
    EXPECT_EQ(HandleValue(m_left.window), SettingDword("DualAppSecondaryWindow"));
    EXPECT_EQ(m_firstHalf, SettingRect("DualAppPrimaryRect")) << "the halves stay";
    EXPECT_EQ(m_secondHalf, SettingRect("DualAppSecondaryRect"));
    EXPECT_EQ(Strings{}, Changes()) << "neither the driver nor the mode is touched";

    Service()->SwapDualAppWindows();
    EXPECT_EQ(m_firstHalf, WindowRect(m_left.window));
    EXPECT_EQ(m_secondHalf, WindowRect(m_right.window));
    EXPECT_EQ(HandleValue(m_left.window), SettingDword("DualAppPrimaryWindow"));
}

TEST_F(Swap, TheWindowPlacedLastEndsOnTop)
{
    Start();
    LocalWindow first(WS_OVERLAPPEDWINDOW | WS_VISIBLE, "First half");
    LocalWindow second(WS_OVERLAPPEDWINDOW | WS_VISIBLE, "Second half");
    SwitchOn(first.Get(), second.Get());
    BringWindowToTop(first.Get());

    // The first window goes to the second half, then the second to the first.
    Service()->SwapDualAppWindows();
    EXPECT_TRUE(IsAbove(second.Get(), first.Get()));
    EXPECT_EQ(second.Get(), GetForegroundWindow());
}

TEST_F(Swap, OneWindowMovesToTheOtherHalf)
{
    Start();
    AppWindow only = StartApp("Only window");
    SwitchOn(only.window, nullptr);
    const RECT secondHalf = StoredOrEmpty(SettingRect("DualAppSecondaryRect"));

    Service()->SwapDualAppWindows();
    EXPECT_EQ(secondHalf, WindowRect(only.window));
    EXPECT_EQ(HandleValue(nullptr), SettingDword("DualAppPrimaryWindow"));
    EXPECT_EQ(HandleValue(only.window), SettingDword("DualAppSecondaryWindow"));
}

TEST_F(Swap, DisplaysReenterTheStateWithTheHalvesExchanged)
{
    StartWithTwoWindows();
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        SimClearJournal();
        Service()->SwapDualAppDisplays();
        EXPECT_EQ((Strings{ "dual application off", "dual application on, swapped 1", "mode 1600x600" }), Changes());
        EXPECT_EQ(unsigned(kModeDualApp), DisplayMode());
        EXPECT_EQ(1u, State().adapters[0].dualAppSwapped) << "stays exchanged";
        EXPECT_EQ(std::optional<DWORD>(1), SettingDword("DualAppSwapped"));
        EXPECT_EQ(m_firstHalf, WindowRect(m_left.window)) << "the windows are not moved";
        EXPECT_EQ(m_secondHalf, WindowRect(m_right.window));
    }
}

TEST_F(Swap, BothAreRefusedWhileTheStateIsOff)
{
    Start();
    EXPECT_EQ((ServiceError{ IDS_ERR_DUALAPP_NOT_ON, 0 }), CatchServiceError([&] { Service()->SwapDualAppDisplays(); }));
    EXPECT_EQ((ServiceError{ IDS_ERR_DUALAPP_NOT_ON, 0 }), CatchServiceError([&] { Service()->SwapDualAppWindows(); }));
    EXPECT_EQ(Strings{}, Changes());
}

TEST_F(Swap, WindowsWithNothingStoredIs412)
{
    Start("[Adapter0]\nPanelId=1\nDeviceMask=3\nMode=2\nResolutions=800x600,1600x600\n"
          "[Device0]\nResolution=1600x600\n");
    EXPECT_EQ((ServiceError{ IDS_ERR_DUALAPP_NO_WINDOWS, 0 }),
              CatchServiceError([&] { Service()->SwapDualAppWindows(); }));
    EXPECT_EQ(Strings{}, Changes());
}

TEST_F(Swap, ClosedFirstWindowIs413AndTheOtherStays)
{
    StartWithTwoWindows();
    m_left.program.reset();
    ASSERT_FALSE(IsWindow(m_left.window));
    ExpectRefusedWindowSwap(IDS_ERR_DUALAPP_WINDOW_GONE);
}

TEST_F(Swap, ClosedSecondWindowIs413AndTheFirstStays)
{
    StartWithTwoWindows();
    m_right.program.reset();
    ExpectRefusedWindowSwap(IDS_ERR_DUALAPP_WINDOW_GONE);
}

TEST_F(Swap, HiddenWindowIs413)
{
    StartWithTwoWindows();
    ShowWindow(m_left.window, SW_HIDE);
    ExpectRefusedWindowSwap(IDS_ERR_DUALAPP_WINDOW_GONE);
}

TEST_F(Swap, WindowThatCannotBeResizedIs413)
{
    StartWithTwoWindows();
    SetWindowLongA(m_right.window, GWL_STYLE, GetWindowLongA(m_right.window, GWL_STYLE) & ~WS_THICKFRAME);
    ASSERT_EQ(0, GetWindowLongA(m_right.window, GWL_STYLE) & WS_THICKFRAME);
    ExpectRefusedWindowSwap(IDS_ERR_DUALAPP_WINDOW_GONE);
}

TEST_F(Swap, UntitledWindowIs413)
{
    StartWithTwoWindows();
    SetWindowTextA(m_left.window, "");
    ExpectRefusedWindowSwap(IDS_ERR_DUALAPP_WINDOW_GONE);
}

TEST_F(Swap, StoredHandleOfAnotherProgramsWindowIs413)
{
    // The stored handle now names a window of another program, as a closed
    // window's handle can after it has been handed out again.
    StartWithTwoWindows();
    AppWindow stranger = StartApp("Stranger window");
    const RECT strangerRect = WindowRect(stranger.window);
    WriteSettingDword("DualAppPrimaryWindow", *HandleValue(stranger.window));
    ExpectRefusedWindowSwap(IDS_ERR_DUALAPP_WINDOW_GONE);
    EXPECT_EQ(strangerRect, WindowRect(stranger.window));
}

TEST_F(Swap, MissingHalfRectangleIsRefusedRatherThanShrinkingAWindow)
{
    StartWithTwoWindows();
    DeleteSetting("DualAppSecondaryRect");
    ExpectRefusedWindowSwap(IDS_ERR_DUALAPP_NO_WINDOWS);
}
