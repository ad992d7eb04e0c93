// How fast Display Properties comes up with the extension's pages, how long
// the display-devices page takes to paint its preview, and how soon a device
// choice reaches the driver after Apply (tools/bench.sh runs it pinned to
// one CPU, under Wine on the simulated adapter):
//   - sheet: from the panel's command (rundll32 running desk.cpl) to the
//     sheet on the screen with both pages; beside it the same command for an
//     applet whose sheet has two pages of one line of text each;
//   - paint: the devices page repainting its preview area, asked from this
//     process; beside it the same area of the plain applet's page;
//   - apply: from Apply of another combination of devices to the driver's
//     switch request in the simulator's journal.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <string>
#include <vector>

#include "bench_clock.h"
#include "module_files.h"
#include "display_panel_contract.h"
#include "plain_sheet_resource.h"
#include "resource_ids.h"
#include "vqxsim.h"

using bench::Median;
using bench::Milliseconds;
using bench::Now;

namespace {

const int kStarts = 10;
const int kPaints = 200;
const int kApplies = 20;
constexpr DWORD kTimeoutMs = 20000;

// Two devices; the CRT attached, so that LCD, CRT and LCD + CRT are offered.
const char kScenario[] =
    "[Adapter0]\n"
    "DeviceMask=1\n"
    "CrtAttached=1\n"
    "[Device0]\n";

std::string Quoted(const std::string& text)
{
    return "\"" + text + "\"";
}

DWORD RunAndWait(std::string command)
{
    STARTUPINFOA startup = { sizeof(startup) };
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return static_cast<DWORD>(-1);
    CloseHandle(process.hThread);
    WaitForSingleObject(process.hProcess, kTimeoutMs);
    DWORD code = static_cast<DWORD>(-1);
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hProcess);
    return code;
}

int TabCount(HWND sheet)
{
    HWND tabs = reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETTABCONTROL, 0, 0));
    return tabs ? static_cast<int>(SendMessageA(tabs, TCM_GETITEMCOUNT, 0, 0)) : 0;
}

// A sheet of a panel's process: from its command to the sheet shown with
// both pages, and then closed again (Cancel) when `keepOpen` is false.
struct Panel {
    PROCESS_INFORMATION process = {};
    HWND sheet = nullptr;
    double toSheet = 0;

    bool Start(std::string command, const char* caption)
    {
        STARTUPINFOA startup = { sizeof(startup) };
        const LARGE_INTEGER start = Now();
        if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
            return false;
        CloseHandle(process.hThread);
        while (Milliseconds(start) < kTimeoutMs) {
            HWND window = FindWindowA(reinterpret_cast<LPCSTR>(WC_DIALOG), caption);
            if (window && IsWindowVisible(window) && TabCount(window) == 2) {
                sheet = window;
                break;
            }
            Sleep(0);
        }
        toSheet = Milliseconds(start);
        return sheet != nullptr;
    }

    void Close()
    {
        if (sheet)
            PostMessageA(sheet, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
        if (WaitForSingleObject(process.hProcess, kTimeoutMs) != WAIT_OBJECT_0)
            TerminateProcess(process.hProcess, 1);
        CloseHandle(process.hProcess);
    }
};

HWND ShowPage(HWND sheet, int index)
{
    SendMessageA(sheet, PSM_SETCURSEL, static_cast<WPARAM>(index), 0);
    return reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
}

// The median time of repainting `area` of `page` (client coordinates).
double PaintTime(HWND page, const RECT& area)
{
    std::vector<double> times;
    for (int i = 0; i < kPaints; ++i) {
        const LARGE_INTEGER start = Now();
        RedrawWindow(page, &area, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        times.push_back(Milliseconds(start));
    }
    return Median(times);
}

RECT PreviewArea(HWND page)
{
    RECT area = {};
    GetWindowRect(GetDlgItem(page, IDC_DEVICES_PREVIEW), &area);
    MapWindowPoints(nullptr, page, reinterpret_cast<POINT*>(&area), 2);
    return area;
}

bool SwitchRequested()
{
    SimJournalEntry entries[64];
    const UINT count = SimGetJournal(entries, 64);
    for (UINT i = 0; i < count; ++i)
        if (entries[i].kind == SIM_JOURNAL_ESCAPE && entries[i].request[0] == SIM_FN_SWITCH)
            return true;
    return false;
}

// Chooses entry `index` of the combination box as a user does.
void ChooseCombination(HWND page, int index)
{
    HWND box = GetDlgItem(page, IDC_DEVICES_COMBINATION);
    SendMessageA(box, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SendMessageA(page, WM_COMMAND, MAKEWPARAM(IDC_DEVICES_COMBINATION, CBN_SELCHANGE), reinterpret_cast<LPARAM>(box));
}

// From Apply to the driver's switch request, alternating between the first
// two combinations (LCD, CRT); -1 when a request never came.
double ApplyTime(HWND sheet, HWND page)
{
    std::vector<double> times;
    for (int i = 0; i < kApplies; ++i) {
        ChooseCombination(page, (i + 1) % 2);
        SimClearJournal();
        const LARGE_INTEGER start = Now();
        PostMessageA(sheet, PSM_PRESSBUTTON, PSBTN_APPLYNOW, 0);
        while (!SwitchRequested() && Milliseconds(start) < kTimeoutMs)
            Sleep(0);
        if (!SwitchRequested())
            return -1;
        times.push_back(Milliseconds(start));
        // The page reloads after the request; the next choice waits for it.
        DWORD_PTR ignored = 0;
        SendMessageTimeoutA(sheet, WM_NULL, 0, 0, SMTO_NORMAL, kTimeoutMs, &ignored);
    }
    return Median(times);
}

} // namespace

int main()
{
    const std::string folder = ModuleFolder(nullptr);
    const bool installed = SimInstallSwitch(SIM_DLL_NAME, nullptr) != FALSE;
    SimLoadScenarioText(kScenario);
    if (RunAndWait(Quoted(folder + "vqxregister.exe") + " install " + Quoted(folder.substr(0, folder.size() - 1))) != 0) {
        std::fprintf(stderr, "pages_benchmark: the extension could not be registered\n");
        return 1;
    }
    const std::string plainCommand = "rundll32 shell32.dll,Control_RunDLL " + Quoted(folder + "plain_sheet.cpl");

    std::vector<double> plainSheet, displaySheet;
    double plainPaint = 0, previewPaint = 0, apply = 0;
    bool complete = true;
    for (int i = 0; i < kStarts && complete; ++i) {
        const bool last = i == kStarts - 1;
        Panel plain;
        complete = plain.Start(plainCommand, kPlainSheetCaption);
        plainSheet.push_back(plain.toSheet);
        if (complete && last) {
            HWND page = ShowPage(plain.sheet, 1);
            RECT area = {};
            GetClientRect(page, &area);
            area.right = area.left + IDB_PREVIEW_SIZE * 2;
            area.bottom = area.top + IDB_PREVIEW_SIZE;
            plainPaint = PaintTime(page, area);
        }
        plain.Close();

        Panel display;
        complete = complete && display.Start(displaypanel::kRunAppletCommand, displaypanel::kSheetCaption);
        displaySheet.push_back(display.toSheet);
        if (complete && last) {
            HWND page = ShowPage(display.sheet, 1);
            previewPaint = PaintTime(page, PreviewArea(page));
            apply = ApplyTime(display.sheet, page);
        }
        display.Close();
    }
    RunAndWait(Quoted(folder + "vqxregister.exe") + " remove");
    if (installed)
        SimRemoveSwitch();
    if (!complete) {
        std::fprintf(stderr, "pages_benchmark: a sheet did not come up\n");
        return 1;
    }

    std::printf("median of %d starts, %d paints and %d applies, milliseconds\n", kStarts, kPaints, kApplies);
    std::printf("| | sheet with both pages | repaint of the preview area |\n|---|---|---|\n");
    std::printf("| an applet with two pages of one line of text | %.0f | %.2f |\n", Median(plainSheet), plainPaint);
    std::printf("| Display Properties with the extension | %.0f | %.2f |\n", Median(displaySheet), previewPaint);
    std::printf("\n| Apply of a device combination to the driver's request | %.1f |\n", apply);
    return 0;
}
