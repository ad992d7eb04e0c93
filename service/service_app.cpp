#include "service_app.h"

namespace {
CServiceApp theServiceApp;
}

BOOL CServiceApp::InitInstance()
{
    if (!CWinApp::InitInstance())
        return FALSE;
    m_hResourceLib = LoadLibraryA("VQXRES.DLL");
    if (!m_hResourceLib)
        return FALSE;
    AfxSetApp(this);
    AfxSetResourceHandle(m_hResourceLib);
    return TRUE;
}

int CServiceApp::ExitInstance()
{
    if (m_hResourceLib) {
        AfxSetResourceHandle(nullptr);
        FreeLibrary(m_hResourceLib);
        m_hResourceLib = nullptr;
    }
    return CWinApp::ExitInstance();
}
