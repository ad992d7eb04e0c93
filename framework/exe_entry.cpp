// The program entry of a module built on this layer: initialise the
// application object, run its message loop, clean up.
#include "exception.h"
#include "winapp.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    CWinApp* app = AfxGetApp();
    if (!app)
        return -1;
    app->m_hInstance = instance;
    const MSG start = {};
    return AfxCallGuarded(start, -1, [app] {
        if (!app->InitInstance())
            return app->ExitInstance();
        return app->Run();
    });
}
