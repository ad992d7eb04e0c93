// Fixture of the extension's page tests: VQXPage.dll on the simulated
// adapter, loaded by the test as the Display control panel loads it, its
// pages in a modeless sheet of the test's thread, and the advanced sheet
// that the display-devices page opens.
//
// A hidden window of the tray program's class stands in for the tray
// program: the extension then does not start the real one, and the window
// counts the power-status broadcasts that reach the tray program.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "display_properties.h"
#include "resource_ids.h"
#include "simulated_adapter.h"
#include "test_support.h"

// The property sheet's Apply button.
constexpr int kApplyButton = 12321;

// The test prefix runs an OS of the 95 family, whose driver is told the AC
// line status.
bool Is95Family(const HardwareHeader& header);

class ExtensionPages : public SimulatedAdapter {
protected:
    void SetUp() override;
    void TearDown() override;

    // Loads the extension and shows its pages for display `deviceName` of
    // the scenario; `beforeShowing` runs between AddPages and the sheet's
    // creation (when the pages are made but not yet initialised).  Fails the
    // test unless both pages come.
    void OpenDisplayProperties(const std::function<void()>& beforeShowing = {},
                               const std::string& deviceName = "\\\\.\\DISPLAY1");
    // Closes the sheet and unloads the extension.
    void CloseDisplayProperties();
    HWND ShowInformationPage() { return m_sheet->Select(0); }
    HWND ShowDevicesPage() { return m_sheet->Select(1); }
    HardwareHeader& Header() { return *Hardware()->GetHeader(TRUE); }

    // Presses the devices page's button 1252 and runs `drive` on a second
    // thread with the advanced sheet it opens, while this thread runs that
    // sheet modally; Cancel ends the sheet after `drive`.  Fails the test
    // when no sheet comes, or a box of the extension.
    void WithAdvancedSheet(const std::function<void(HWND sheet)>& drive);
    // Presses button 1252 and tells whether any window (the sheet or a box)
    // came up before its handler returned; such a window is closed.
    bool AdvancedSheetShowsAWindow();

    // Power-status broadcasts (PBT_APMPOWERSTATUSCHANGE) that reached the
    // stand-in tray window, counted up to the last WaitForPostedMessages.
    int PowerBroadcasts() const;
    // Returns once every message posted so far, from any thread, has
    // reached the stand-in tray window: a message posted after them does.
    // Callable from the test's thread and from a driving thread.
    void WaitForPostedMessages() const;

    // The driver escapes of `function` sent by this process.
    std::vector<SimJournalEntry> OwnEscapes(DWORD function) const;

private:
    void CreateStandInTray();
    // Presses button 1252 while a second thread waits for the advanced
    // sheet or a box, runs `drive` (if any) with the sheet, and closes what
    // is open until the button's handler has returned; whether a window came.
    bool PressAdvanced(const std::function<void(HWND sheet)>& drive);

    std::unique_ptr<extensiontest::ExtensionLibrary> m_extension;
    std::unique_ptr<extensiontest::DisplayPropertiesSheet> m_sheet;
    testsupport::StandInWindow m_standInTray;
};

// Driving a page of a sheet from any thread.
namespace sheetdriving {

bool ApplyEnabled(HWND sheet);
// The text and item data of the list's selection ("" and -1 without one).
std::string SelectedText(HWND list);
LRESULT SelectedData(HWND list);
// Selects entry `index` and notifies the page as a user's choice does.
void Choose(HWND page, int listId, int index);
// Chooses the entry whose item data is `data` as the user does; false when
// the list has none.
bool ChooseData(HWND page, int listId, int data);
// The entry of `list` whose text is `text`; -1 when none.
int FindEntry(HWND list, const std::string& text);
// Presses Apply and returns once the sheet has handled it (the button goes
// off after an accepted Apply); false when it did not within the time.
bool PressApply(HWND sheet);
// A message box shown by this process (the extension's, or one of the
// service library's errors reported by the extension), if there is one.
HWND MessageBoxOfThisProcess();

// The sheet's pages: how many, and the window of page `index` (null for a
// page not created yet).
int PageCount(HWND sheet);
HWND PageAt(HWND sheet, int index);
// Makes page `index` the current one and returns its window.
HWND ShowPage(HWND sheet, int index);
// Sets check box `id` of `page` and notifies the page as a user's click does.
void SetCheck(HWND page, int id, bool checked);
// Waits for a dialog of this process owned by `owner` that is no message
// box; null when none came in time.
HWND WaitForDialogOwnedBy(HWND owner);
// Waits for a message box of this process, returns its text and closes it;
// "" when none came in time.
std::string TakeMessageBox();

} // namespace sheetdriving
