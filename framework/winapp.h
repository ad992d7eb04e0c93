// CWinApp: the application object of a program or a library, and the
// module-wide state that goes with it.
//
// Each module (EXE or DLL) links its own copy of this layer, so the current
// application object and the resource handle below are the module's own:
// a library can make a resource-only DLL the source of every dialog, string,
// menu, bitmap and icon it loads without affecting its host.
//
// Programs link the framework's WinMain (target vqx_framework_exe): it runs
// InitInstance, then the message loop (Run), then ExitInstance.  Libraries
// link its DllMain (target vqx_framework_dll): process attach runs
// InitInstance, whose FALSE fails the load (ExitInstance still runs then),
// and process detach runs ExitInstance.
#pragma once

#include <windows.h>

#include "exception.h"
#include "object.h"

class CWnd;

class CWinApp : public CObject {
public:
    // Becomes the module's current application object.
    explicit CWinApp(const char* appName = nullptr);
    ~CWinApp() override;

    virtual BOOL InitInstance();
    // Returns the program's exit code.
    virtual int ExitInstance();
    // The message loop; ends with WM_QUIT and returns ExitInstance's code.
    virtual int Run();
    // Called by every window, dialog and page procedure of the module when a
    // handler throws.  `e` is null for exceptions that are not CException
    // pointers.  The default shows a CException's text and deletes it.
    virtual void ProcessWndProcException(CException* e, const MSG* msg);

    const char* m_pszAppName;
    HINSTANCE m_hInstance;
    CWnd* m_pMainWnd = nullptr;
    int m_exitCode = 0;
};

CWinApp* AfxGetApp();
void AfxSetApp(CWinApp* app);
// The application's name, or the module's file name without folder.
const char* AfxGetAppName();
// This module's instance handle.
HINSTANCE AfxGetInstanceHandle();
// Where this module loads its resources from (the module itself by default).
HINSTANCE AfxGetResourceHandle();
void AfxSetResourceHandle(HINSTANCE resources);

// Routes an exception caught at a callback boundary to the application (or
// handles it by default when the module has none).
void AfxProcessWndProcException(CException* e, const MSG* msg);

// Runs `body` and stops every exception there: for callbacks into Win32
// (window, dialog and hook procedures, page callbacks), which must never let
// a C++ exception pass.  Returns `failed` when the body threw.
template <class Result, class Body>
Result AfxCallGuarded(const MSG& msg, Result failed, Body&& body)
{
    try {
        return body();
    } catch (CException* e) {
        AfxProcessWndProcException(e, &msg);
    } catch (...) {
        AfxProcessWndProcException(nullptr, &msg);
    }
    return failed;
}

// The two ways this layer's modules treat an error outside a window
// procedure:
//
// AfxRunReporting runs `body`; what it throws is reported as an error that
// reached a window procedure is (the application's ProcessWndProcException:
// in this system's modules one box captioned with the module's name, with
// the error's own text), and false is returned.  An error without a text of
// its own is reported with `otherFailure` when one is given.
template <class Body>
bool AfxRunReporting(Body&& body, const char* otherFailure = nullptr)
{
    const bool hasOtherFailure = otherFailure && *otherFailure;
    try {
        body();
        return true;
    } catch (CException* e) {
        char text[2] = "";
        if (hasOtherFailure && !e->GetErrorMessage(text, sizeof(text))) {
            e->Delete();
            MessageBoxA(nullptr, otherFailure, AfxGetAppName(), MB_OK);
        } else {
            AfxProcessWndProcException(e, nullptr);
        }
    } catch (...) {
        if (hasOtherFailure)
            MessageBoxA(nullptr, otherFailure, AfxGetAppName(), MB_OK);
        else
            AfxProcessWndProcException(nullptr, nullptr);
    }
    return false;
}

// AfxRunQuietly runs `body` and keeps quiet about what it throws (a
// CException is deleted): for work nobody asked for at that moment, such as
// a timer's round or an unasked notice, whose next turn tries again.  False
// when it threw.
template <class Body>
bool AfxRunQuietly(Body&& body)
{
    try {
        body();
        return true;
    } catch (CException* e) {
        e->Delete();
    } catch (...) {
    }
    return false;
}
