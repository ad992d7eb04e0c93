#include "extension_app.h"

#include "client_resources.h"
#include "error_box.h"
#include "system_files.h"

namespace {

CExtensionApp theExtensionApp;

LONG g_objectCount = 0;
// Written by the common controls through the pages' pcRefParent.
UINT g_sheetReferences = 0;

} // namespace

CExtensionApp& TheExtensionApp()
{
    return theExtensionApp;
}

void LockModule()
{
    InterlockedIncrement(&g_objectCount);
}

void UnlockModule()
{
    InterlockedDecrement(&g_objectCount);
}

LONG ModuleObjectCount()
{
    return InterlockedCompareExchange(&g_objectCount, 0, 0) +
           static_cast<LONG>(InterlockedCompareExchange(reinterpret_cast<volatile LONG*>(&g_sheetReferences), 0, 0));
}

UINT* ModuleReferenceParent()
{
    return &g_sheetReferences;
}

bool CExtensionApp::Start()
{
    if (m_started)
        return m_startProblem.empty();
    m_started = true;
    m_startProblem = LoadSystemFiles(m_hInstance, m_resourceLib);
    if (!m_startProblem.empty())
        return false;
    // Every text, template and picture of the extension lives there.
    AfxSetResourceHandle(m_resourceLib);
    try {
        if (!m_hardware.Acquire())
            m_startProblem = ServiceLibraryUnavailable();
    } catch (CException* e) {
        // Kept, not shown: the reason is said once, when pages are asked for.
        char text[512] = "";
        m_startProblem = e->GetErrorMessage(text, sizeof(text)) && *text ? text : ServiceLibraryUnavailable();
        e->Delete();
    }
    return m_startProblem.empty();
}

void CExtensionApp::Stop()
{
    m_hardware.Release();
    FreeResourceLibrary(m_resourceLib);
    m_started = false;
    m_startProblem.clear();
}

void CExtensionApp::ReportStartProblem()
{
    if (m_startProblem.empty() || m_problemReported)
        return;
    m_problemReported = true;
    MessageBoxA(nullptr, m_startProblem.c_str(), m_pszAppName, MB_OK | MB_ICONSTOP);
}

void CExtensionApp::ProcessWndProcException(CException* e, const MSG*)
{
    if (e)
        ShowErrorBox(e, m_pszAppName);
}

// Reached when the library goes without the control panel having asked
// DllCanUnloadNow (at the process's end, mostly).  The loader lock is held:
// what is given back here only closes handles (the resource library has
// no code of its own to run), nothing waits or loads.
int CExtensionApp::ExitInstance()
{
    Stop();
    return CWinApp::ExitInstance();
}
