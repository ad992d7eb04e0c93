// The commands of the tray menu.  Any process can post a command to the tray
// window, so each one applies, at the moment it runs, the rule by which the
// menu offers it (tray_menu.h) to the freshly read primary display, and does
// nothing when the menu would not offer it.
#include "about_dialog.h"
#include "base_exception.h"
#include "dual_app.h"
#include "display_panel_contract.h"
#include "dual_view.h"
#include "primary_displays.h"
#include "resource_ids.h"
#include "rotation.h"
#include "service_reference.h"
#include "tray_device_commands.h"
#include "tray_menu.h"
#include "tray_message.h"
#include "tray_window.h"

namespace tray {

namespace {

constexpr char kHelpFile[] = "VQXHELP.HLP";

// The rotation, dual view and dual application services, taken for one
// command and returned in the order they were taken.
struct FeatureServices {
    ServiceReference<CRotation> rotation;
    ServiceReference<CDualView> dualView;
    ServiceReference<CDualApp> dualApp;

    FeatureServices()
    {
        rotation.Acquire();
        dualView.Acquire();
        dualApp.Acquire();
    }
    ~FeatureServices()
    {
        rotation.Release();
        dualView.Release();
        dualApp.Release();
    }
    bool Complete() const { return rotation && dualView && dualApp; }
};

// Whether the menu would offer `command` now: the primary displays' records
// are refreshed as for the menu, and the menu's rule is applied to the one
// left selected.  Throws when the records cannot be refreshed.
bool IsOfferedNow(CHardware& hardware, UINT command)
{
    RefreshPrimaryDisplays(hardware);
    return IsCommandOffered(command, *hardware.GetHeader(TRUE), *hardware.GetCurrentDisplay());
}

// Runs `call` on the feature services when `command` is offered now.  An
// error is shown with its own text, a failure without one (or a service the
// library refuses) with string `otherFailure`.
template <class Call>
void RunFeatureCommand(CHardware& hardware, UINT command, UINT otherFailure, Call call)
{
    const std::string failure = AfxLoadString(otherFailure);
    AfxRunReporting([&] {
        if (!IsOfferedNow(hardware, command))
            return;
        FeatureServices services;
        if (!services.Complete()) {
            ShowTrayMessage(failure);
            return;
        }
        call(services);
    }, failure.c_str());
}


} // namespace

const CommandEntry<CTrayWindow> CTrayWindow::kCommands[] = {
    { ID_TRAY_DISPLAY_PROPERTIES, 0, &CTrayWindow::OnDisplayProperties },
    { ID_TRAY_HELP, 0, &CTrayWindow::OnHelp },
    { ID_TRAY_ABOUT, 0, &CTrayWindow::OnAbout },
    { ID_TRAY_EXIT, 0, &CTrayWindow::OnExit },
    { ID_TRAY_ROTATE_90, 0, &CTrayWindow::OnRotate90 },
    { ID_TRAY_ROTATE_180, 0, &CTrayWindow::OnRotate180 },
    { ID_TRAY_ROTATE_270, 0, &CTrayWindow::OnRotate270 },
    { ID_TRAY_DUALAPP_ON, 0, &CTrayWindow::OnDualAppOn },
    { ID_TRAY_SWAP_APP_WINDOWS, 0, &CTrayWindow::OnSwapAppWindows },
    { ID_TRAY_SWAP_APP_DISPLAYS, 0, &CTrayWindow::OnSwapAppDisplays },
    { ID_TRAY_DUALVIEW_ON, 0, &CTrayWindow::OnDualViewOn },
    { ID_TRAY_NORMAL_STATE, 0, &CTrayWindow::OnNormalState },
};

bool CTrayWindow::OnCommand(UINT id, UINT code, HWND control)
{
    return DispatchCommand(this, kCommands, id, code) || OnDeviceCommand(id) ||
           CWnd::OnCommand(id, code, control);
}

bool CTrayWindow::OnDeviceCommand(UINT id)
{
    const TrayDeviceCommand* command = FindTrayDeviceCommand(id);
    if (!command)
        return false;
    SwitchDisplayDevices(command->command, command->mask);
    return true;
}

// The fixed items act in any state.
void CTrayWindow::OnDisplayProperties()
{
    WinExec(displaypanel::kRunAppletCommand, SW_SHOW);
}

void CTrayWindow::OnHelp()
{
    WinHelpA(m_hWnd, kHelpFile, HELP_CONTENTS, 0);
}

void CTrayWindow::OnAbout()
{
    CAboutDialog about;
    about.DoModal();
}

void CTrayWindow::OnExit()
{
    PostQuitMessage(0);
}

void CTrayWindow::OnRotate90()
{
    RunFeatureCommand(*m_pHardware, ID_TRAY_ROTATE_90, IDS_TRAY_FEATURE_FAILED,
                      [](FeatureServices& s) { s.rotation->SetRotation(kRotation90); });
}

void CTrayWindow::OnRotate180()
{
    RunFeatureCommand(*m_pHardware, ID_TRAY_ROTATE_180, IDS_TRAY_FEATURE_FAILED,
                      [](FeatureServices& s) { s.rotation->SetRotation(kRotation180); });
}

void CTrayWindow::OnRotate270()
{
    RunFeatureCommand(*m_pHardware, ID_TRAY_ROTATE_270, IDS_TRAY_FEATURE_FAILED,
                      [](FeatureServices& s) { s.rotation->SetRotation(kRotation270); });
}

void CTrayWindow::OnDualAppOn()
{
    RunFeatureCommand(*m_pHardware, ID_TRAY_DUALAPP_ON, IDS_TRAY_FEATURE_FAILED,
                      [](FeatureServices& s) { s.dualApp->SetDualApp(TRUE, FALSE); });
}

void CTrayWindow::OnSwapAppWindows()
{
    RunFeatureCommand(*m_pHardware, ID_TRAY_SWAP_APP_WINDOWS, IDS_TRAY_FEATURE_FAILED,
                      [](FeatureServices& s) { s.dualApp->SwapDualAppWindows(); });
}

void CTrayWindow::OnSwapAppDisplays()
{
    RunFeatureCommand(*m_pHardware, ID_TRAY_SWAP_APP_DISPLAYS, IDS_TRAY_FEATURE_FAILED,
                      [](FeatureServices& s) { s.dualApp->SwapDualAppDisplays(); });
}

void CTrayWindow::OnDualViewOn()
{
    RunFeatureCommand(*m_pHardware, ID_TRAY_DUALVIEW_ON, IDS_TRAY_FEATURE_FAILED,
                      [](FeatureServices& s) { s.dualView->SetDualView(TRUE); });
}

// Undoes whichever of rotation, dual view and dual application the primary
// display is in, judged from the record refreshed for this command.
void CTrayWindow::OnNormalState()
{
    RunFeatureCommand(*m_pHardware, ID_TRAY_NORMAL_STATE, IDS_TRAY_NORMAL_FAILED, [this](FeatureServices& s) {
        const DisplayRecord& display = *m_pHardware->GetCurrentDisplay();
        if (display.rotation != kRotationNone)
            s.rotation->SetRotation(kRotationNone);
        else if (display.mode & kModeDualView)
            s.dualView->SetDualView(FALSE);
        else if (display.mode & kModeDualApp)
            s.dualApp->SetDualApp(FALSE, FALSE);
    });
}

// Switches every primary display (one per adapter) to `mask` when the menu
// offers `command` now; the first failure ends the walk and is shown once
// the display selected before is selected again (while the box waits for
// the user, the hot keys and the power watch of this process go on working
// on it).
void CTrayWindow::SwitchDisplayDevices(UINT command, UINT mask)
{
    const std::string failure = AfxLoadString(IDS_TRAY_SWITCH_FAILED);
    AfxRunReporting([&] {
        CSelectAgainOnFailure selection(*m_pHardware);
        if (!IsOfferedNow(*m_pHardware, command))
            return;
        ForEachPrimaryDisplay(*m_pHardware, [this, mask](UINT a, UINT d) {
            m_pHardware->SelectDisplay(a, d);
            m_pHardware->SetDisplayDevices(mask);
            return true;
        });
    }, failure.c_str());
}

} // namespace tray
