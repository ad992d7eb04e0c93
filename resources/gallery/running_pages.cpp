#include "running_pages.h"

#include "display_panel_contract.h"
#include "handles.h"
#include "message_pump.h"
#include "module_files.h"
#include "os_service.h"
#include "resource_ids.h"
#include "screenshot.h"
#include "simulated_adapter_switch.h"
#include "vqxsim.h"
#include "window_driving.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace gallery {

namespace {

constexpr char kSection[] = "Display Properties";
constexpr char kOemFile[] = "VQXOEM.INI";
constexpr char kOemSection[] = "OEM";
constexpr DWORD kWindowTimeoutMs = 20000;

// Every output attached and every arrangement enabled.
const char kAllOutputs[] =
    "[Adapter0]\nDeviceMask=3\nCrtAttached=1\nTvAttached=1\n[Device0]\n";
// The adapter drives two monitors, each a display of its own.
const char kDualMonitor[] =
    "[Adapter0]\nMode=3\nDeviceMask=3\nCrtAttached=1\n"
    "[Device0]\nName=\\\\.\\DISPLAY1\nPrimary=1\n[Device1]\nName=\\\\.\\DISPLAY2\nPrimary=0\n";

std::string Quoted(const std::string& text)
{
    return "\"" + text + "\"";
}

// The gallery's folder, where the binaries are, without a trailing
// backslash.
std::string ProgramFolder()
{
    const std::string folder = ModuleFolder(nullptr);
    return folder.substr(0, folder.size() - 1);
}

bool RunAndWait(std::string command)
{
    STARTUPINFOA startup = { sizeof(startup) };
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return false;
    CloseHandle(process.hThread);
    CHandle owner(process.hProcess);
    DWORD code = 1;
    return WaitForSingleObject(process.hProcess, kWindowTimeoutMs) == WAIT_OBJECT_0 &&
           GetExitCodeProcess(process.hProcess, &code) && code == 0;
}

// One OEM setting for the time of the pictures; what was there before
// comes back (or the setting goes again).
class OemSetting {
public:
    OemSetting(const char* key, int value) : m_key(key)
    {
        char previous[32] = "";
        m_had = GetPrivateProfileStringA(kOemSection, key, "\n", previous, sizeof(previous), kOemFile) > 0 &&
                previous[0] != '\n';
        m_previous = previous;
        WritePrivateProfileStringA(kOemSection, key, std::to_string(value).c_str(), kOemFile);
    }
    ~OemSetting() { WritePrivateProfileStringA(kOemSection, m_key, m_had ? m_previous.c_str() : nullptr, kOemFile); }
    OemSetting(const OemSetting&) = delete;
    OemSetting& operator=(const OemSetting&) = delete;

private:
    const char* m_key;
    bool m_had = false;
    std::string m_previous;
};

// The extension registered from the gallery's folder and desk.cpl in the
// system folder, for as long as the object lives.
class InstalledPanel {
public:
    InstalledPanel()
        : m_tool(Quoted(ProgramFolder() + "\\vqxregister.exe")),
          m_installed(RunAndWait(m_tool + " install " + Quoted(ProgramFolder())))
    {
    }
    ~InstalledPanel()
    {
        if (m_installed)
            RunAndWait(m_tool + " remove");
    }
    InstalledPanel(const InstalledPanel&) = delete;
    InstalledPanel& operator=(const InstalledPanel&) = delete;

    bool IsInstalled() const { return m_installed; }

private:
    std::string m_tool;
    bool m_installed;
};

// Display Properties in a process of its own, as the tray program's
// command starts it; cancelled and waited for at the end.
class DisplayProperties {
public:
    DisplayProperties()
    {
        std::string command = displaypanel::kRunAppletCommand;
        STARTUPINFOA startup = { sizeof(startup) };
        PROCESS_INFORMATION process = {};
        if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
            return;
        CloseHandle(process.hThread);
        m_process.Reset(process.hProcess);
        m_processId = process.dwProcessId;
        testsupport::WaitUntil([this] { return (m_sheet = FindDialog(displaypanel::kSheetCaption)) != nullptr; },
                               kWindowTimeoutMs);
    }
    ~DisplayProperties()
    {
        if (!m_process)
            return;
        if (m_sheet)
            PostMessageA(m_sheet, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
        if (WaitForSingleObject(m_process, kWindowTimeoutMs) != WAIT_OBJECT_0)
            TerminateProcess(m_process, 1);
    }
    DisplayProperties(const DisplayProperties&) = delete;
    DisplayProperties& operator=(const DisplayProperties&) = delete;

    HWND Sheet() const { return m_sheet; }

    // Shows page `index` of `sheet` and returns it.
    static HWND ShowPage(HWND sheet, int index)
    {
        SendMessageA(sheet, PSM_SETCURSEL, static_cast<WPARAM>(index), 0);
        return reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
    }

    // The shown dialog of this process whose caption is `caption`; null
    // when there is none.
    HWND FindDialog(const std::string& caption) const
    {
        HWND found = nullptr;
        ForEachShownDialog([&](HWND dialog) {
            char text[256] = "";
            GetWindowTextA(dialog, text, sizeof(text));
            if (!found && caption == text)
                found = dialog;
        });
        return found;
    }

    // Waits for a shown dialog of this process other than `known`.
    HWND WaitForNewDialog(const std::vector<HWND>& known) const
    {
        HWND found = nullptr;
        testsupport::WaitUntil([&] {
            ForEachShownDialog([&](HWND dialog) {
                if (!found && std::find(known.begin(), known.end(), dialog) == known.end())
                    found = dialog;
            });
            return found != nullptr;
        }, kWindowTimeoutMs);
        return found;
    }

private:
    void ForEachShownDialog(const std::function<void(HWND)>& visit) const
    {
        ForEachShownWindow(m_processId, kDialogWindowClass, visit);
    }

    CHandle m_process;
    DWORD m_processId = 0;
    HWND m_sheet = nullptr;
};

// A click on `id` of `dialog`, posted: the click may open a modal window.
void Click(HWND dialog, int id)
{
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

// Waits until `window`'s thread has handled what was posted to it before.
void Settle(HWND window)
{
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, kWindowTimeoutMs, &ignored);
    testsupport::PumpMessages(300);
}

bool Photograph(HWND window, const std::string& path)
{
    if (!window)
        return false;
    SetWindowPos(window, HWND_TOP, 24, 24, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    Settle(window);
    return testsupport::SaveWindowPng(window, path);
}

// A user's move of the rotation slider to `position`.
void MoveSlider(HWND page, int position)
{
    HWND slider = GetDlgItem(page, IDC_DEVICES_ROTATION);
    SendMessageA(slider, TBM_SETPOS, TRUE, position);
    SendMessageA(page, WM_HSCROLL, MAKEWPARAM(TB_THUMBPOSITION, position), reinterpret_cast<LPARAM>(slider));
}

// The devices page after `drive`, in its sheet.
struct DevicesPageState {
    const char* file;
    const char* caption;
    const char* scenario;
    std::function<void(HWND page)> drive;
};

void CaptureDevicesPage(Context& context, const DevicesPageState& state)
{
    SimLoadScenarioText(state.scenario);
    const DisplayProperties panel;
    bool saved = false;
    if (HWND sheet = panel.Sheet()) {
        HWND page = DisplayProperties::ShowPage(sheet, 1);
        if (state.drive)
            state.drive(page);
        saved = Photograph(sheet, context.outputDir + state.file);
    }
    context.Record(saved, kSection, state.file, state.caption);
}

// The advanced sheet over the devices page, and the hot-key dialog over it.
void CaptureAdvancedSheet(Context& context)
{
    SimLoadScenarioText(kAllOutputs);
    const DisplayProperties panel;
    HWND sheet = panel.Sheet();
    HWND advanced = nullptr;
    HWND hotKeys = nullptr;
    if (sheet) {
        HWND page = DisplayProperties::ShowPage(sheet, 1);
        Click(page, IDC_DEVICES_ADVANCED);
        advanced = panel.WaitForNewDialog({ sheet });
    }
    context.Record(Photograph(advanced, context.outputDir + "pages_advanced.png"), kSection, "pages_advanced.png",
                   "The advanced sheet that the devices page's button opens: the configuration page");
    if (advanced) {
        Click(DisplayProperties::ShowPage(advanced, 0), IDC_CONFIG_HOTKEYS_BUTTON);
        hotKeys = panel.WaitForNewDialog({ sheet, advanced });
    }
    context.Record(Photograph(hotKeys, context.outputDir + "pages_hotkeys.png"), kSection, "pages_hotkeys.png",
                   "The hot-key dialog that the configuration page's button opens");
    if (hotKeys)
        PostMessageA(hotKeys, WM_COMMAND, IDCANCEL, 0);
    if (advanced) {
        testsupport::WaitUntil([&] { return !IsWindowVisible(hotKeys); }, kWindowTimeoutMs);
        PostMessageA(advanced, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
        testsupport::WaitUntil([&] { return !IsWindowVisible(advanced); }, kWindowTimeoutMs);
    }
}

// The box of a driver that refuses a change of devices.
void CaptureErrorBox(Context& context)
{
    SimLoadScenarioText(kAllOutputs);
    SimSetEscapeFault(SIM_FN_SWITCH, SIM_STATUS_NOT_NOW);
    HWND box = nullptr;
    {
        const DisplayProperties panel;
        if (HWND sheet = panel.Sheet()) {
            HWND page = DisplayProperties::ShowPage(sheet, 1);
            HWND combination = GetDlgItem(page, IDC_DEVICES_COMBINATION);
            SendMessageA(combination, CB_SETCURSEL, 0, 0);
            SendMessageA(page, WM_COMMAND, MAKEWPARAM(IDC_DEVICES_COMBINATION, CBN_SELCHANGE),
                         reinterpret_cast<LPARAM>(combination));
            PostMessageA(sheet, PSM_PRESSBUTTON, PSBTN_APPLYNOW, 0);
            box = panel.WaitForNewDialog({ sheet });
            context.Record(Photograph(box, context.outputDir + "pages_error.png"), kSection, "pages_error.png",
                           "Apply of a device choice that the driver refuses: one box, the sheet stays open");
            if (box) {
                PostMessageA(box, WM_COMMAND, IDOK, 0);
                testsupport::WaitUntil([&] { return !IsWindow(box); }, kWindowTimeoutMs);
            }
        }
    }
    SimSetEscapeFault(SIM_FN_SWITCH, SIM_STATUS_OK);
}

// Ends the tray program that the extension started, through its Exit
// command (which also takes its hot-key hook away).
void EndStartedTray()
{
    HWND tray = FindWindowA(kTrayWindowClass, nullptr);
    if (!tray)
        return;
    PostMessageA(tray, WM_COMMAND, ID_TRAY_EXIT, 0);
    testsupport::WaitUntil([] { return FindWindowA(kTrayWindowClass, nullptr) == nullptr; }, kWindowTimeoutMs);
}

}  // namespace

void CaptureRunningPages(Context& context)
{
    const SimulatedAdapterSwitch simulated;
    const InstalledPanel installed;
    if (!simulated.IsOn() || !installed.IsInstalled()) {
        std::fprintf(stderr, "gallery: cannot install the extension on the simulated adapter; its pages are not shown\n");
        return;
    }
    const OemSetting rotation("EnableRotation", 1), dualView("EnableDualView", 1), dualApp("EnableDualApp", 1);
    const DevicesPageState states[] = {
        { "pages_devices.png", "Display Properties of the simulated adapter: the display-devices page, LCD and CRT showing the same picture",
          kAllOutputs, nullptr },
        { "pages_rotated.png", "The rotation slider moved to its first rotation, not yet applied", kAllOutputs,
          [](HWND page) { MoveSlider(page, 1); } },
        { "pages_dualview.png", "Dual view chosen: a first and a second device", kAllOutputs,
          [](HWND page) { Click(page, IDC_DEVICES_DUALVIEW); Settle(page); } },
        { "pages_dualapp.png", "Dual application chosen", kAllOutputs,
          [](HWND page) { Click(page, IDC_DEVICES_DUALAPP); Settle(page); } },
    };
    for (const DevicesPageState& state : states)
        CaptureDevicesPage(context, state);
    {
        const OemSetting primaryChoice("RazoroDemo", 1);
        CaptureDevicesPage(context, { "pages_dualmonitor.png",
                                      "Dual-monitor mode: one device for this monitor, and whether it is the primary one",
                                      kDualMonitor, nullptr });
    }
    CaptureAdvancedSheet(context);
    CaptureErrorBox(context);
    EndStartedTray();
}

}  // namespace gallery
