#include "tray_app.h"

#include "client_resources.h"
#include "error_box.h"
#include "os_service.h"
#include "primary_displays.h"
#include "service_ids.h"
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

bool CTrayApp::TakeHardwareService()
{
    try {
        m_pHardware = static_cast<CHardware*>(GetServerInterface(kServiceHardware));
        if (!m_pHardware)
            return false;
        // Another process built the shared block: this one has no display
        // selected yet, so it takes the system's primary display.
        if (!m_pHardware->GetDisplayDC()) {
            ForEachPrimaryDisplay(*m_pHardware, [this](UINT a, UINT d) {
                m_pHardware->SelectDisplay(a, d);
                return true;
            });
        }
        m_pHardware->Refresh();
        return true;
    } catch (CException* e) {
        e->Delete();
    } catch (...) {
    }
    return false;
}

bool CTrayApp::CreateTrayWindow()
{
    CTrayWindow* window = new CTrayWindow(m_pHardware);
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
    // Every text lives in the resource library: without it nothing can be
    // said, so the program ends silently.
    m_hResourceLib = LoadLibraryA(kResourceLibraryFile);
    if (!m_hResourceLib || !TakeHardwareService())
        return FALSE;
    AfxSetResourceHandle(m_hResourceLib);
    // A window that cannot be made would leave a program nobody can reach
    // or end.
    return CreateTrayWindow();
}

void CTrayApp::ProcessWndProcException(CException* e, const MSG*)
{
    if (e)
        ShowErrorBox(e, m_pszAppName);
}

int CTrayApp::ExitInstance()
{
    if (m_pMainWnd && m_pMainWnd->GetSafeHwnd())
        m_pMainWnd->DestroyWindow();
    FreeResourceLibrary(m_hResourceLib);
    ReturnHardwareService(m_pHardware);
    return CWinApp::ExitInstance();
}

} // namespace tray
