#include "extension_app.h"

#include "devices_page.h"
#include "client_resources.h"
#include "error_box.h"
#include "information_page.h"
#include "service_ids.h"

namespace {

CExtensionApp theExtensionApp;

// Class factories, extension objects and the pages that sheets hold.  Only
// the control panel's user-interface thread calls into the library.
LONG g_objectCount = 0;

} // namespace

CExtensionApp& TheExtensionApp()
{
    return theExtensionApp;
}

void LockModule()
{
    ++g_objectCount;
}

void UnlockModule()
{
    --g_objectCount;
}

LONG ModuleObjectCount()
{
    return g_objectCount;
}

UINT* ModuleReferenceParent()
{
    return reinterpret_cast<UINT*>(&g_objectCount);
}

BOOL CExtensionApp::InitInstance()
{
    if (!CWinApp::InitInstance())
        return FALSE;
    // Every text, template and picture of the extension lives there.
    m_hResourceLib = LoadLibraryA(kResourceLibraryFile);
    if (!m_hResourceLib)
        return FALSE;
    AfxSetResourceHandle(m_hResourceLib);
    try {
        m_pHardware = static_cast<CHardware*>(GetServerInterface(kServiceHardware));
    } catch (CException* e) {
        e->Delete();
        m_pHardware = nullptr;
    } catch (...) {
        m_pHardware = nullptr;
    }
    if (!m_pHardware)
        return FALSE;
    m_pHardware->Settings()->StartTrayProgram();
    return TRUE;
}

void CExtensionApp::ForgetPage(const CExtensionPage* page)
{
    if (page == m_pInfoPage)
        m_pInfoPage = nullptr;
    if (page == m_pDispCtrl)
        m_pDispCtrl = nullptr;
}

void CExtensionApp::ProcessWndProcException(CException* e, const MSG*)
{
    if (e)
        ShowErrorBox(e, m_pszAppName);
}

int CExtensionApp::ExitInstance()
{
    FreeResourceLibrary(m_hResourceLib);
    ReturnHardwareService(m_pHardware);
    // Pages whose handles a sheet never let go of; the library only goes
    // with its process then, and no window of theirs is left.
    delete m_pDispCtrl;
    m_pDispCtrl = nullptr;
    delete m_pInfoPage;
    m_pInfoPage = nullptr;
    return CWinApp::ExitInstance();
}
