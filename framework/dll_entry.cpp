// The library entry of a module built on this layer: process attach runs the
// application object's InitInstance (FALSE fails the load, after
// ExitInstance has cleaned up), process detach runs ExitInstance.  Nothing
// is shown from here: the loader lock is held, and a library that cannot
// start fails silently.
#include "exception.h"
#include "winapp.h"

namespace {

template <class Body>
BOOL RunSilently(Body&& body)
{
    try {
        return body();
    } catch (CException* e) {
        e->Delete();
    } catch (...) {
    }
    return FALSE;
}

} // namespace

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    CWinApp* app = AfxGetApp();
    if (!app)
        return TRUE;
    switch (reason) {
    case DLL_PROCESS_ATTACH:
        DisableThreadLibraryCalls(instance);
        app->m_hInstance = instance;
        return RunSilently([app] {
            if (app->InitInstance())
                return TRUE;
            app->ExitInstance();
            return FALSE;
        });
    case DLL_PROCESS_DETACH:
        RunSilently([app] { app->ExitInstance(); return TRUE; });
        break;
    }
    return TRUE;
}
