#include "service_app.h"

#include <cstring>

#include "module_files.h"
#include "resource_library.h"

namespace {
CServiceApp theServiceApp;

// Both modules carry the version generated for the whole system; a module
// without a version resource is of no known version.
bool SameVersion(HMODULE a, HMODULE b)
{
    WORD versionA[4], versionB[4];
    return ReadModuleVersion(a, versionA) && ReadModuleVersion(b, versionB) &&
           std::memcmp(versionA, versionB, sizeof(versionA)) == 0;
}

} // namespace

BOOL CServiceApp::InitInstance()
{
    if (!CWinApp::InitInstance())
        return FALSE;
    AfxSetApp(this);
    m_hResourceLib = LoadLibraryBesideModule(AfxGetInstanceHandle(), kResourceLibraryFile);
    // Texts of another version may not match what this library fills in.
    if (m_hResourceLib && !SameVersion(m_hResourceLib, AfxGetInstanceHandle())) {
        FreeLibrary(m_hResourceLib);
        m_hResourceLib = nullptr;
    }
    if (m_hResourceLib)
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

bool ServicesOffered()
{
    return theServiceApp.m_hResourceLib != nullptr;
}
