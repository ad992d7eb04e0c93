#include "tray_app.h"

#include "client_resources.h"
#include "os_service.h"
#include "primary_displays.h"
#include "service_ids.h"
#include "system_files.h"
#include "tray_message.h"
#include "tray_window.h"

namespace tray {

namespace {
CTrayApp theTrayApp;
}

bool CTrayApp::IsAnotherCopyRunning()
{
    SetLastError(ERROR_SUCCESS);
    m_singleInstance.Reset(CreateMutexA(nullptr, FALSE, kSingleInstanceMutex));
    const DWORD error = GetLastError();
    // A mutex that cannot be made for another reason lets this copy run:
    // better two icons than none.
    return error == ERROR_ALREADY_EXISTS || error == ERROR_ACCESS_DENIED;
}

// A failure here is said once, in the service library's own words where it
// gave any: the program ends, and the user would otherwise not know why the
// icon never came.
bool CTrayApp::TakeHardwareService()
{
    bool taken = false;
    const bool ran = AfxRunReporting([this, &taken] {
        if (!m_hardware.Acquire()) {
            ShowTrayMessage(ServiceLibraryUnavailable());
            return;
        }
        // Another process built the shared block: this one has no display
        // selected yet, so it takes the system's primary display.
        if (!m_hardware->GetDisplayDC()) {
            ForEachPrimaryDisplay(*m_hardware, [this](UINT a, UINT d) {
                m_hardware->SelectDisplay(a, d);
                return true;
            });
        }
        m_hardware->Refresh();
        taken = true;
    });
    return ran && taken;
}

bool CTrayApp::CreateTrayWindow()
{
    CTrayWindow* window = new CTrayWindow(m_hardware.Get());
    m_pMainWnd = window;
    if (window->Create())
        return true;
    // A window that got as far as WM_NCDESTROY has deleted itself and is no
    // longer the main window; one that never came into being has not.
    if (m_pMainWnd == window && !window->GetSafeHwnd()) {
        m_pMainWnd = nullptr;
        delete window;
    }
    return false;
}

BOOL CTrayApp::InitInstance()
{
    if (!CWinApp::InitInstance() || IsAnotherCopyRunning())
        return FALSE;
    if (!CWnd::RegisterWindowClass(kTrayWindowClass, CS_DBLCLKS, LoadIcon(nullptr, IDI_WINLOGO),
                                   LoadCursor(nullptr, IDC_ARROW),
                                   static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH))))
        return FALSE;
    // Every text lives in the resource library; one of another version (or
    // none) leaves only plain words to say why the program cannot run.
    const std::string problem = LoadSystemFiles(AfxGetInstanceHandle(), m_resourceLib);
    if (!problem.empty()) {
        MessageBoxA(nullptr, problem.c_str(), m_pszAppName, MB_OK | MB_ICONSTOP);
        return FALSE;
    }
    if (!TakeHardwareService())
        return FALSE;
    AfxSetResourceHandle(m_resourceLib);
    // A window that cannot be made would leave a program nobody can reach
    // or end.
    return CreateTrayWindow();
}

void CTrayApp::ProcessWndProcException(CException* e, const MSG*)
{
    if (e)
        ShowTrayError(e);
}

int CTrayApp::ExitInstance()
{
    if (m_pMainWnd && m_pMainWnd->GetSafeHwnd())
        m_pMainWnd->DestroyWindow();
    FreeResourceLibrary(m_resourceLib);
    m_hardware.Release();
    return CWinApp::ExitInstance();
}

} // namespace tray
