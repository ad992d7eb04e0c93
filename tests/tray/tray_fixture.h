// Fixture of the tray program's tests: VQXTray.exe running on the simulated
// adapter, driven as the shell and the user drive it, and seen through the
// shell, the shared block and the driver's journal.
#pragma once

#include <memory>
#include <string>

#include "hotkey_fixture.h"
#include "test_support.h"

// What the tray program and the shell agree on.
constexpr UINT kTrayNotify = WM_USER + 1;
constexpr UINT kTrayIconId = 1000;
constexpr char kTrayClass[] = "VQXTray";
constexpr char kTrayBoxCaption[] = "VQXTRAY";

class TrayProgram : public HotKeys {
protected:
    void TearDown() override;

    // Starts VQXTray.exe and waits for its window; null (and a failed test)
    // when none comes.
    HWND StartTray();
    testsupport::Program& Tray() { return *m_tray; }
    HWND TrayWindow() const { return m_window; }

    // Sends the icon's callback as the shell does for `mouseMessage`.
    void PostIconMessage(UINT mouseMessage);
    // Carries out a menu command as a choice in the popup does and returns
    // when the tray program has handled it (or shows a box about it).
    void Choose(UINT command);
    // Ends the tray program with the Exit command; its exit code, or
    // STILL_ACTIVE when it did not end.
    DWORD ExitTray();

    // The journal's escape entries of one driver function since the last
    // clear, made by the tray program's process.
    std::vector<SimJournalEntry> TrayEscapes(DWORD function) const;
    // What the tray program's process asked to change since the last clear:
    // rotations, dual view, dual application, output switches and mode
    // changes.
    std::vector<SimJournalEntry> TrayDisplayChanges() const;

    // The box the tray program shows, its text, closed with OK; "" when
    // none came.  Fails the test when more than one is shown.
    std::string TakeBox();

    // The text the service library gives for what `body` throws.
    template <class Body>
    std::string ErrorTextOf(Body body)
    {
        try {
            body();
        } catch (CBaseException* e) {
            const std::string text = e->GetErrorText();
            e->Delete();
            return text;
        }
        ADD_FAILURE() << "no error";
        return std::string();
    }

    // A page of the Display Properties shown by the test's own process, a
    // live holder of `pagesOpen` (a value merely written into the header is
    // lowered by the tray program's guardian); hidden again at the end.
    // Only a change of the state is passed on.
    void ShowPage(bool shown);

private:
    std::unique_ptr<testsupport::Program> m_tray;
    HWND m_window = nullptr;
    bool m_pageShown = false;
};

// Whether the shell shows the icon of `window`: it accepts a change only of
// an icon it has.
bool IsIconShown(HWND window);

// The top-level windows of class `className` of process `processId`.
int CountWindows(DWORD processId, const char* className);
