// The window-choice dialog of dual application: what it offers, how Refresh
// keeps the choices, and that one window cannot take both halves.
#include "dual_app_fixture.h"

#include <algorithm>

#include "resource_ids.h"

using testsupport::MessageBoxText;
using testsupport::PressButton;
using testsupport::ResourceString;
using testsupport::WaitForDialog;

namespace {

BOOL CALLBACK Collect(HWND window, LPARAM windows)
{
    reinterpret_cast<std::vector<HWND>*>(windows)->push_back(window);
    return TRUE;
}

// The windows the dialog should offer, worked out independently: visible,
// resizable and titled top-level windows.
std::vector<HWND> ExpectedChoices()
{
    std::vector<HWND> all, suitable;
    EnumWindows(Collect, reinterpret_cast<LPARAM>(&all));
    for (HWND window : all)
        if (IsWindowVisible(window) && (GetWindowLongA(window, GWL_STYLE) & WS_THICKFRAME) &&
            GetWindowTextLengthA(window) > 0)
            suitable.push_back(window);
    return suitable;
}

std::vector<HWND> Handles(const std::vector<std::pair<std::string, HWND>>& entries)
{
    std::vector<HWND> handles;
    for (const auto& entry : entries)
        handles.push_back(entry.second);
    return handles;
}

std::vector<HWND> SortedHandles(const std::vector<std::pair<std::string, HWND>>& entries)
{
    std::vector<HWND> handles = Handles(entries);
    std::sort(handles.begin(), handles.end());
    return handles;
}

bool Lists(const std::vector<std::pair<std::string, HWND>>& entries, HWND window)
{
    const std::vector<HWND> handles = Handles(entries);
    return std::find(handles.begin(), handles.end(), window) != handles.end();
}

} // namespace

using WindowChoice = DualApp;

TEST_F(WindowChoice, OffersNoWindowAndEverySuitableWindowOnly)
{
    Start();
    AppWindow editor = StartApp("Editor window");
    AppWindow viewer = StartApp("Viewer window");
    LocalWindow hidden(WS_OVERLAPPEDWINDOW, "Hidden window");
    LocalWindow fixedSize(WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_VISIBLE, "Fixed-size window");
    LocalWindow untitled(WS_OVERLAPPEDWINDOW | WS_VISIBLE, "");
    LocalWindow resizable(WS_OVERLAPPEDWINDOW | WS_VISIBLE, "Resizable window");

    std::vector<std::pair<std::string, HWND>> first, second;
    std::vector<HWND> expected;
    HWND firstSelection = nullptr, secondSelection = nullptr;
    RunDriven([&] { Service()->SetDualApp(TRUE, 0); },
              [&] {
                  HWND dialog = WaitForChoiceDialog();
                  if (!dialog)
                      return;
                  first = ListEntries(dialog, IDC_DUALAPP_FIRST_WINDOW);
                  second = ListEntries(dialog, IDC_DUALAPP_SECOND_WINDOW);
                  firstSelection = ListSelection(dialog, IDC_DUALAPP_FIRST_WINDOW);
                  secondSelection = ListSelection(dialog, IDC_DUALAPP_SECOND_WINDOW);
                  expected = ExpectedChoices();
                  PressButton(dialog, IDCANCEL);
              });

    ASSERT_FALSE(first.empty());
    EXPECT_EQ(ResourceString(IDS_DUALAPP_NO_WINDOW), first[0].first);
    EXPECT_EQ(nullptr, first[0].second);
    // Other programs' windows may still change places in the Z order while
    // the dialog opens (they activate themselves later), so the lists are
    // compared as sets.
    EXPECT_EQ(SortedHandles(first), SortedHandles(second)) << "both lists offer the same";
    EXPECT_EQ(nullptr, firstSelection) << "the no-window entry is selected at first";
    EXPECT_EQ(nullptr, secondSelection);

    expected.push_back(nullptr);  // the no-window entry
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(expected, SortedHandles(first)) << "every suitable window";
    EXPECT_TRUE(Lists(first, editor.window));
    EXPECT_TRUE(Lists(first, viewer.window));
    EXPECT_TRUE(Lists(first, resizable.Get()));
    EXPECT_FALSE(Lists(first, hidden.Get()));
    EXPECT_FALSE(Lists(first, fixedSize.Get()));
    EXPECT_FALSE(Lists(first, untitled.Get()));
    for (const auto& entry : first) {
        if (entry.second == editor.window) {
            EXPECT_EQ("Editor window", entry.first) << "entries show the window's title";
        }
    }
}

TEST_F(WindowChoice, RefreshKeepsTheChoicesOfWindowsStillThere)
{
    Start();
    AppWindow kept = StartApp("Kept window");
    AppWindow closed = StartApp("Closed window");

    std::vector<std::pair<std::string, HWND>> after;
    HWND firstAfter = nullptr, secondAfter = nullptr;
    HWND added = nullptr;
    std::unique_ptr<AppWindow> latecomer;
    RunDriven([&] { Service()->SetDualApp(TRUE, 0); },
              [&] {
                  HWND dialog = WaitForChoiceDialog();
                  if (!dialog)
                      return;
                  EXPECT_TRUE(ChooseWindow(dialog, IDC_DUALAPP_FIRST_WINDOW, kept.window));
                  EXPECT_TRUE(ChooseWindow(dialog, IDC_DUALAPP_SECOND_WINDOW, closed.window));
                  latecomer = std::make_unique<AppWindow>(StartApp("Latecomer window"));
                  added = latecomer->window;
                  closed.program.reset();
                  EXPECT_FALSE(Lists(ListEntries(dialog, IDC_DUALAPP_FIRST_WINDOW), added)) << "not yet";
                  SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_DUALAPP_REFRESH, BN_CLICKED),
                               reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDC_DUALAPP_REFRESH)));
                  after = ListEntries(dialog, IDC_DUALAPP_SECOND_WINDOW);
                  firstAfter = ListSelection(dialog, IDC_DUALAPP_FIRST_WINDOW);
                  secondAfter = ListSelection(dialog, IDC_DUALAPP_SECOND_WINDOW);
                  PressButton(dialog, IDCANCEL);
              });

    EXPECT_TRUE(Lists(after, added));
    EXPECT_FALSE(Lists(after, closed.window));
    EXPECT_EQ(kept.window, firstAfter);
    EXPECT_EQ(nullptr, secondAfter) << "a vanished choice falls back to the no-window entry";
    EXPECT_EQ(std::vector<std::string>{}, Changes());
}

TEST_F(WindowChoice, OneWindowForBothHalvesIsRefusedAndTheDialogStays)
{
    Start();
    AppWindow app = StartApp("Only window");

    std::string message;
    bool stayedOpen = false;
    RunDriven([&] { Service()->SetDualApp(TRUE, 0); },
              [&] {
                  HWND dialog = WaitForChoiceDialog();
                  if (!dialog)
                      return;
                  ChooseWindow(dialog, IDC_DUALAPP_FIRST_WINDOW, app.window);
                  ChooseWindow(dialog, IDC_DUALAPP_SECOND_WINDOW, app.window);
                  PressButton(dialog, IDOK);
                  HWND box = WaitForDialog("VQXAPI");
                  EXPECT_NE(nullptr, box) << "no message box";
                  if (box) {
                      message = MessageBoxText(box);
                      EXPECT_EQ(dialog, GetWindow(box, GW_OWNER)) << "the dialog's own box";
                      PressButton(box, IDOK);
                      WaitUntilClosed(box);
                  }
                  stayedOpen = IsWindow(dialog) && IsWindowVisible(dialog);
                  // Then the no-window entry for the second half is accepted.
                  ChooseWindow(dialog, IDC_DUALAPP_SECOND_WINDOW, nullptr);
                  PressButton(dialog, IDOK);
              });

    EXPECT_EQ(ResourceString(IDS_DUALAPP_SAME_WINDOW), message);
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ((std::vector<std::string>{ "dual application on, swapped 0", "mode 1600x600" }), Changes());
    EXPECT_EQ(HandleValue(app.window), SettingDword("DualAppPrimaryWindow"));
    EXPECT_EQ(HandleValue(nullptr), SettingDword("DualAppSecondaryWindow"));
}
