#include "display_properties.h"

#include <commctrl.h>
#include <prsht.h>

#include <cstdio>
#include <new>
#include <string>

#include "com_initialization.h"
#include "display_device_data.h"
#include "display_panel_contract.h"
#include "exception.h"
#include "handles.h"
#include "property_sheet_handlers.h"

namespace displaypanel {

namespace {

// The one box that tells the user the sheet is not shown, and why; built
// without allocating, so that it can say "not enough memory" too.
void ReportSheetFailure(HWND owner, const char* reason)
{
    char text[512];
    std::snprintf(text, sizeof(text), "The %s cannot be shown: %s", kSheetCaption, reason);
    MessageBoxA(owner, text, kSheetCaption, MB_OK | MB_ICONERROR);
}

void ReportSheetFailure(HWND owner, const char* what, unsigned long errorCode)
{
    char reason[256];
    std::snprintf(reason, sizeof(reason), "%s (error 0x%08lX).", what, errorCode);
    ReportSheetFailure(owner, reason);
}

// Loads the handlers and shows their pages; every COM object it made is
// gone when it returns.
INT_PTR RunSheet(HWND owner, const std::wstring& deviceName, const char* handlersKey)
{
    CComPtr<IDataObject> data = CDisplayDeviceDataObject::Create(deviceName);
    CPropertySheetPages pages;
    LoadPropertySheetHandlers(data.Get(), pages, handlersKey);
    if (pages.Count() == 0) {
        MessageBoxA(owner, "No display property pages are installed.", kSheetCaption, MB_OK | MB_ICONINFORMATION);
        return 0;
    }

    PROPSHEETHEADERA header = {};
    // The first header layout: nothing newer is used, and the common
    // controls of the 95 family know no other.
    header.dwSize = PROPSHEETHEADERA_V1_SIZE;
    header.dwFlags = PSH_DEFAULT;
    header.hwndParent = owner;
    header.pszCaption = kSheetCaption;
    header.nPages = static_cast<UINT>(pages.Count());
    header.phpage = pages.Data();
    pages.HandOver();  // PropertySheetA destroys the pages it is given
    const INT_PTR result = PropertySheetA(&header);
    if (result < 0)
        ReportSheetFailure(owner, "the property sheet could not be created", GetLastError());
    return result;
}

// RunSheet with whatever escapes it told to the user instead of lost.
INT_PTR RunSheetReportingErrors(HWND owner, const std::wstring& deviceName, const char* handlersKey)
{
    try {
        return RunSheet(owner, deviceName, handlersKey);
    } catch (CException* e) {
        char text[256] = "";
        if (!e->GetErrorMessage(text, sizeof(text)))
            lstrcpynA(text, "an unexpected error occurred.", sizeof(text));
        e->Delete();
        ReportSheetFailure(owner, text);
    } catch (const std::bad_alloc&) {
        ReportSheetFailure(owner, "there is not enough memory.");
    } catch (...) {
        ReportSheetFailure(owner, "an unexpected error occurred.");
    }
    return 0;
}

// The sheet on a thread whose COM initialisation `com` was (in a
// single-threaded apartment, where the handlers' objects live on this
// thread and call the sheet's callbacks directly).
INT_PTR ShowInApartment(HWND owner, const std::wstring& deviceName, const char* handlersKey,
                        const CComInitialization& com)
{
    if (!com) {
        ReportSheetFailure(owner, "COM could not be started", static_cast<unsigned long>(com.Result()));
        return 0;
    }
    const INT_PTR result = RunSheetReportingErrors(owner, deviceName, handlersKey);
    // Only now, with the sheet closed and its pages destroyed: an extension
    // whose objects are all gone is unloaded here.  Earlier it could unload
    // under a page the sheet still shows (the reference-parent counter of
    // the sheet is not maintained by every system).
    CoFreeUnusedLibraries();
    return result;
}

// What a sheet thread is asked to show, and the sheet's result.
struct SheetRequest {
    HWND owner;
    const std::wstring& deviceName;
    const char* handlersKey;
    INT_PTR result;
};

DWORD WINAPI SheetThread(void* parameter)
{
    auto& request = *static_cast<SheetRequest*>(parameter);
    CComInitialization com;
    request.result = ShowInApartment(request.owner, request.deviceName, request.handlersKey, com);
    return 0;
}

// Waits for `thread` to end while answering this thread's messages: the
// sheet's thread disables the owner and joins its input with the owner's
// (both by messages this thread must answer), and the owner's other windows
// keep painting.  A WM_QUIT is kept for the caller's own loop.
void WaitAnsweringMessages(HANDLE thread)
{
    bool quit = false;
    WPARAM exitCode = 0;
    for (;;) {
        // Emptied before every wait: the wait wakes only for messages that
        // arrive after the queue was last looked at.
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) {
                quit = true;
                exitCode = message.wParam;
                continue;
            }
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        const DWORD wait = MsgWaitForMultipleObjects(1, &thread, FALSE, INFINITE, QS_ALLINPUT);
        if (wait != WAIT_OBJECT_0 + 1)
            break;
    }
    // The thread uses the caller's request: never return before it ended.
    WaitForSingleObject(thread, INFINITE);
    if (quit)
        PostQuitMessage(static_cast<int>(exitCode));
}

// The caller's thread is in the multithreaded apartment.  The handlers are
// apartment objects that call back into the sheet (the add-page callback, the
// pages' procedures) through plain function pointers, which no proxy can
// carry, so creating them from here would give proxies or nothing.  The
// sheet runs instead on a thread of its own in a single-threaded apartment,
// still modal to `owner`, and the caller waits for it.
INT_PTR ShowOnSheetThread(HWND owner, const std::wstring& deviceName, const char* handlersKey)
{
    SheetRequest request = { owner, deviceName, handlersKey, 0 };
    DWORD threadId = 0;
    CHandle thread(CreateThread(nullptr, 0, SheetThread, &request, 0, &threadId));
    if (!thread) {
        ReportSheetFailure(owner, "no thread could be started for it", GetLastError());
        return 0;
    }
    WaitAnsweringMessages(thread);
    return request.result;
}

} // namespace

INT_PTR ShowDisplayProperties(HWND owner, const std::wstring& deviceName, const char* handlersKey)
{
    CComInitialization com;
    if (com.Result() == RPC_E_CHANGED_MODE)
        return ShowOnSheetThread(owner, deviceName, handlersKey);
    return ShowInApartment(owner, deviceName, handlersKey, com);
}

} // namespace displaypanel
