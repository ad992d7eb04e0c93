// A process of the system that takes a share of the session's state and then
// waits to be ended, as a control panel showing a page or a tray program
// owning the hook would, so that a test can end it abruptly:
//   robustness_service_holder.exe page     shows one page of the extension
//   robustness_service_holder.exe hook     switches the hot keys on
// When done it makes a hidden window of class "VQXServiceHolder" whose title
// is "ready", or "failed" when the service refused.
#include <windows.h>

#include <cstring>

#include "hardware.h"
#include "hotkey_service.h"
#include "service_ids.h"

namespace {

// Takes the share `what` names; the services stay held until the end.
bool TakeShare(const char* what)
{
    try {
        if (std::strstr(what, "page")) {
            auto* hardware = static_cast<CHardware*>(GetServerInterface(kServiceHardware));
            if (!hardware)
                return false;
            hardware->SetPageShown(TRUE);
            return true;
        }
        if (std::strstr(what, "hook")) {
            auto* hotkeys = static_cast<CHotkey*>(GetServerInterface(kServiceHotkey));
            if (!hotkeys)
                return false;
            hotkeys->EnableHotKeys(TRUE);
            return true;
        }
    } catch (CException* e) {
        e->Delete();
    }
    return false;
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int)
{
    const bool taken = TakeShare(commandLine);
    WNDCLASSA wc = {};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = instance;
    wc.lpszClassName = "VQXServiceHolder";
    RegisterClassA(&wc);
    CreateWindowExA(0, wc.lpszClassName, taken ? "ready" : "failed", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                    instance, nullptr);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0)
        DispatchMessageA(&msg);
    return 0;
}
