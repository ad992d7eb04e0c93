// Test fixture for dual application: the service on the simulated adapter,
// real application windows of helper programs, the window-choice dialog
// driven from a second thread, and the driver and mode-change requests the
// simulated adapter received, as readable lines.
#pragma once

#include <atomic>
#include <future>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "dual_app.h"
#include "simulated_adapter.h"
#include "test_support.h"

// The caption of the window-choice dialog.
extern const char kChoiceCaption[];

// One adapter, LCD and CRT active, an 800x600 panel whose doubled mode
// (1600x600) the adapter offers.
extern const char kDualAppScenario[];

// A helper program showing one resizable window with a caption.
struct AppWindow {
    std::unique_ptr<testsupport::Program> program;
    HWND window = nullptr;
};

// A window of the calling thread with the given style and title.  Unlike
// another program's window it is activated at once, so its place in the Z
// order can be checked right after a call.
class LocalWindow {
public:
    LocalWindow(DWORD style, const char* title);
    ~LocalWindow();
    LocalWindow(const LocalWindow&) = delete;
    LocalWindow& operator=(const LocalWindow&) = delete;
    HWND Get() const { return m_window; }

private:
    HWND m_window = nullptr;
};

class DualApp : public SimulatedAdapter {
protected:
    void TearDown() override;

    // Loads a scenario, acquires the services and refreshes the shared state.
    void Start(const std::string& scenario = kDualAppScenario);
    CDualApp* Service() const { return m_dualApp.Get(); }

    // Makes the work area `area` for this process (restored afterwards).
    void SetWorkArea(const RECT& area);

    // Starts a helper program and waits until its window is shown.
    AppWindow StartApp(const std::string& caption);

    // Runs `action` here while `drive` runs on a second thread.
    template <class Action, class Drive>
    void RunDriven(Action&& action, Drive&& drive)
    {
        auto driver = std::async(std::launch::async, std::forward<Drive>(drive));
        action();
        driver.get();
    }
    // Switches dual application on, choosing `first` and `second` (null:
    // the no-window entry) in the dialog and pressing OK.
    void SwitchOn(HWND first, HWND second, UINT swapped = 0);
    // The same where switching on may fail: the error it threw, or {0, 0}.
    ServiceError TrySwitchOn(HWND first, HWND second, UINT swapped = 0);

    // What the driver and the system were asked to change since the journal
    // was last cleared: "switch 3", "dual application on, swapped 0",
    // "dual application off", "mode 1600x600" (queries are left out).
    std::vector<std::string> Changes();

    // The settings key's values (nullopt when absent).
    std::optional<DWORD> SettingDword(const char* name) const;
    std::optional<RECT> SettingRect(const char* name) const;
    void DeleteSetting(const char* name) const;
    void WriteSettingDword(const char* name, DWORD value) const;

    // The current display's mode as the driver reports it now.
    UINT DisplayMode();

private:
    ServiceReference<CDualApp> m_dualApp;
    std::optional<RECT> m_savedWorkArea;
};

// ---- Driving the window-choice dialog (from the driver thread) ----------

// The dialog, or null (and a test failure) when it does not appear.
HWND WaitForChoiceDialog();
// The entries of a list: text and item data.
std::vector<std::pair<std::string, HWND>> ListEntries(HWND dialog, int listId);
// The item data of the list's selection; null when nothing is selected.
HWND ListSelection(HWND dialog, int listId);
// Selects the entry whose item data is `window` as a click would; false
// when the list has no such entry.
bool ChooseWindow(HWND dialog, int listId, HWND window);
// Waits until `dialog` (or a box) is gone; a test failure when it stays.
void WaitUntilClosed(HWND dialog);

// Watches for a window-choice dialog while it lives; one that appears is
// cancelled and recorded.
class DialogSentry {
public:
    DialogSentry();
    ~DialogSentry();
    DialogSentry(const DialogSentry&) = delete;
    DialogSentry& operator=(const DialogSentry&) = delete;
    bool Appeared() const { return m_appeared; }

private:
    std::atomic<bool> m_done{ false };
    std::atomic<bool> m_appeared{ false };
    std::thread m_thread;
};

// Window rectangles print as (left, top, right, bottom).
std::ostream& operator<<(std::ostream& out, const RECT& rect);
bool operator==(const RECT& a, const RECT& b);
RECT WindowRect(HWND window);
// A window handle as the settings hold it.
std::optional<DWORD> HandleValue(HWND window);
// TRUE when `upper` lies above `lower` in the Z order.
bool IsAbove(HWND upper, HWND lower);
