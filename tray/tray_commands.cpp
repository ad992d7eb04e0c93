// The commands of the tray menu.
#include <memory>

#include "about_dialog.h"
#include "base_exception.h"
#include "dual_app.h"
#include "dual_view.h"
#include "primary_displays.h"
#include "resource_ids.h"
#include "rotation.h"
#include "service_reference.h"
#include "tray_commands.h"
#include "tray_window.h"

namespace tray {

namespace {

constexpr char kMessageCaption[] = "VQXTRAY";
constexpr char kDisplayPropertiesCommand[] = "rundll32 shell32.dll,Control_RunDLL desk.cpl";
constexpr char kHelpFile[] = "VQXHELP.HLP";

void ShowMessage(const std::string& text)
{
    MessageBoxA(nullptr, text.c_str(), kMessageCaption, MB_OK);
}

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

// Runs `command` on the feature services.  An error of the service library
// is shown with its own text, any other failure with string `otherFailure`.
template <class Command>
void RunFeatureCommand(UINT otherFailure, Command command)
{
    try {
        FeatureServices services;
        if (!services.Complete()) {
            ShowMessage(AfxLoadString(otherFailure));
            return;
        }
        command(services);
    } catch (CBaseException* e) {
        ShowMessage(e->GetErrorText());
        e->Delete();
    } catch (CException* e) {
        e->Delete();
        ShowMessage(AfxLoadString(otherFailure));
    } catch (...) {
        ShowMessage(AfxLoadString(otherFailure));
    }
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
    SwitchDisplayDevices(command->mask);
    return true;
}

void CTrayWindow::OnDisplayProperties()
{
    WinExec(kDisplayPropertiesCommand, SW_SHOW);
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
    RunFeatureCommand(IDS_TRAY_FEATURE_FAILED, [](FeatureServices& s) { s.rotation->SetRotation(kRotation90); });
}

void CTrayWindow::OnRotate180()
{
    RunFeatureCommand(IDS_TRAY_FEATURE_FAILED, [](FeatureServices& s) { s.rotation->SetRotation(kRotation180); });
}

void CTrayWindow::OnRotate270()
{
    RunFeatureCommand(IDS_TRAY_FEATURE_FAILED, [](FeatureServices& s) { s.rotation->SetRotation(kRotation270); });
}

void CTrayWindow::OnDualAppOn()
{
    RunFeatureCommand(IDS_TRAY_FEATURE_FAILED, [](FeatureServices& s) { s.dualApp->SetDualApp(TRUE, FALSE); });
}

void CTrayWindow::OnSwapAppWindows()
{
    RunFeatureCommand(IDS_TRAY_FEATURE_FAILED, [](FeatureServices& s) { s.dualApp->SwapDualAppWindows(); });
}

void CTrayWindow::OnSwapAppDisplays()
{
    RunFeatureCommand(IDS_TRAY_FEATURE_FAILED, [](FeatureServices& s) { s.dualApp->SwapDualAppDisplays(); });
}

void CTrayWindow::OnDualViewOn()
{
    RunFeatureCommand(IDS_TRAY_FEATURE_FAILED, [](FeatureServices& s) { s.dualView->SetDualView(TRUE); });
}

// Undoes whichever of rotation, dual view (or dual monitor) and dual
// application the current display is in, judged from its fresh state.
void CTrayWindow::OnNormalState()
{
    RunFeatureCommand(IDS_TRAY_NORMAL_FAILED, [this](FeatureServices& s) {
        m_pHardware->RefreshDisplayState();
        if (m_pCurrentDisplay->rotation != kRotationNone)
            s.rotation->SetRotation(kRotationNone);
        else if (m_pCurrentDisplay->mode & kModeDualView)
            s.dualView->SetDualView(FALSE);
        else if (m_pCurrentDisplay->mode & kModeDualApp)
            s.dualApp->SetDualApp(FALSE, FALSE);
    });
}

// Switches every primary display (one per adapter) to `mask`; the first
// failure ends the walk and is shown once the display selected before is
// selected again (while the box waits for the user, the hot keys and the
// power watch of this process go on working on it).
void CTrayWindow::SwitchDisplayDevices(UINT mask)
{
    DWORD adapter = 0;
    DWORD display = 0;
    m_pHardware->GetSelectedDisplay(&adapter, &display);
    std::string failure;
    try {
        ForEachPrimaryDisplay(*m_pHardware, [this, mask](UINT a, UINT d) {
            m_pHardware->SelectDisplay(a, d);
            m_pHardware->SetDisplayDevices(mask);
            return true;
        });
        return;
    } catch (CBaseException* e) {
        failure = e->GetErrorText();
        e->Delete();
    } catch (CException* e) {
        e->Delete();
        failure = AfxLoadString(IDS_TRAY_SWITCH_FAILED);
    } catch (...) {
        failure = AfxLoadString(IDS_TRAY_SWITCH_FAILED);
    }
    ReselectDisplay(adapter, display);
    ShowMessage(failure);
}

// A display that could not be selected leaves this process with none, and
// the hot keys and the power watch of this process work on the selected
// one: the one selected before the walk is taken again where it can be.
void CTrayWindow::ReselectDisplay(DWORD adapter, DWORD display)
{
    try {
        if (!m_pHardware->GetDisplayDC())
            m_pHardware->SelectDisplay(adapter, display);
    } catch (CException* e) {
        e->Delete();
    } catch (...) {
    }
}

} // namespace tray
