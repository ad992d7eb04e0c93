#include "winapp.h"

#include "exception.h"

extern "C" IMAGE_DOS_HEADER __ImageBase;  // the base of the module this code is linked into

namespace {

CWinApp* g_currentApp = nullptr;
HINSTANCE g_resourceHandle = nullptr;

} // namespace

CWinApp::CWinApp(const char* appName)
    : m_pszAppName(appName), m_hInstance(AfxGetInstanceHandle())
{
    g_currentApp = this;
}

CWinApp::~CWinApp()
{
    if (g_currentApp == this)
        g_currentApp = nullptr;
}

BOOL CWinApp::InitInstance()
{
    return TRUE;
}

int CWinApp::ExitInstance()
{
    return m_exitCode;
}

int CWinApp::Run()
{
    MSG msg;
    BOOL got;
    while ((got = GetMessageA(&msg, nullptr, 0, 0)) != 0 && got != -1) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    if (got == 0)
        m_exitCode = static_cast<int>(msg.wParam);
    return ExitInstance();
}

void CWinApp::ProcessWndProcException(CException* e, const MSG*)
{
    if (e) {
        e->ReportError(MB_OK | MB_ICONEXCLAMATION);
        e->Delete();
    }
}

CWinApp* AfxGetApp()
{
    return g_currentApp;
}

void AfxSetApp(CWinApp* app)
{
    g_currentApp = app;
}

const char* AfxGetAppName()
{
    if (g_currentApp && g_currentApp->m_pszAppName)
        return g_currentApp->m_pszAppName;
    static char name[MAX_PATH] = "";
    if (!*name) {
        char path[MAX_PATH] = "";
        GetModuleFileNameA(AfxGetInstanceHandle(), path, sizeof(path));
        const char* base = path;
        for (const char* p = path; *p; ++p)
            if (*p == '\\' || *p == '/')
                base = p + 1;
        lstrcpynA(name, base, sizeof(name));
    }
    return name;
}

HINSTANCE AfxGetInstanceHandle()
{
    return reinterpret_cast<HINSTANCE>(&__ImageBase);
}

HINSTANCE AfxGetResourceHandle()
{
    return g_resourceHandle ? g_resourceHandle : AfxGetInstanceHandle();
}

void AfxSetResourceHandle(HINSTANCE resources)
{
    g_resourceHandle = resources;
}

void AfxProcessWndProcException(CException* e, const MSG* msg)
{
    if (CWinApp* app = AfxGetApp()) {
        try {
            app->ProcessWndProcException(e, msg);
        } catch (...) {
            // The report itself failed; nothing is left to tell the user.
        }
    } else if (e) {
        e->Delete();
    }
}
