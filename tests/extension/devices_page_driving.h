// Driving the display-devices page as the user does, and reading what it
// shows and what it asked of the simulated driver.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "vqxsim.h"

namespace devicespage {

// One adapter with one display (\\.\DISPLAY1) showing `mask` in `mode`,
// its device turned by `rotation`; `adapterLines` adds keys to [Adapter0].
// The adapter offers the doubled mode of its 800x600 panel (dual
// application) and has a CRT and a TV attached.
std::string OneDisplay(int mask, int mode = 0, int rotation = 0, const std::string& adapterLines = "");
// Dual-monitor mode: \\.\DISPLAY1 (primary) and \\.\DISPLAY2 on outputs
// `mask`; the second display turned by `secondRotation`.
std::string DualMonitor(int mask, int secondRotation = 0, const std::string& adapterLines = "");

// Moves the rotation slider to `position` as the user does.
void MoveSlider(HWND page, int position);

// What this process asked the driver and the system to change, in order:
// "rotate 1", "dual view on", "dual view off", "dual app on, swapped 1",
// "dual app off", "switch 3", "swap 1", "mode 768x1024" (a request the
// driver refused ends with " refused"; queries are left out).
std::vector<std::string> DriverChanges(const std::vector<SimJournalEntry>& journal);

// Presses the sheet's Apply and runs its handler on this thread while a
// second thread answers what the handler shows: the window-choice dialog of
// dual application with OK (no windows chosen), message boxes with OK.
// Returns "caption: text" of each message box, in order.
std::vector<std::string> ApplyAnswering(HWND sheet);

// The pixels (0x00RRGGBB) of the preview area as the page prints its
// client area, with the area's size.
struct Preview {
    int width = 0;
    int height = 0;
    std::vector<DWORD> pixels;
    DWORD At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};
Preview PrintPreview(HWND page);
// A bitmap of the resource library as pixels.
Preview LoadPicture(UINT id);

} // namespace devicespage
