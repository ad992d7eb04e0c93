// What the hot-key hook costs a focused application, per key event.
//
// The program is the focused application: it sends itself key events with
// keybd_event and times each until its window procedure receives it.  It
// measures with no hook, with a hook that only passes events on, and with
// the service library's hot-key hook, for key-ups, repeats, key-downs that
// are no hot key, and a hot key that may not act (an extension page open).
// Run it pinned to one CPU (tools/bench.sh does).
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

#include "hardware.h"
#include "hotkey_service.h"
#include "service_ids.h"
#include "vqxsim.h"

namespace {

const int kEvents = 1500;

HWND g_window = nullptr;
BYTE g_waitingKey = 0;   // the key of the current event
bool g_waitingRelease = false;
bool g_arrived = false;

LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    const bool key = message == WM_KEYDOWN || message == WM_KEYUP || message == WM_SYSKEYDOWN || message == WM_SYSKEYUP;
    if (key && wParam == g_waitingKey && ((lParam & 0x80000000) != 0) == g_waitingRelease)
        g_arrived = true;
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

LARGE_INTEGER Now()
{
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return t;
}

// Sends one key event and pumps until the window got it; returns the time
// in microseconds (a lost event counts as one second).
double TimeEvent(BYTE key, DWORD flags)
{
    static const double ticksPerMicrosecond = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f.QuadPart / 1e6;
    }();
    g_waitingKey = key;
    g_waitingRelease = (flags & KEYEVENTF_KEYUP) != 0;
    g_arrived = false;
    const LARGE_INTEGER start = Now();
    keybd_event(key, 0, flags, 0);
    while (!g_arrived) {
        if (MsgWaitForMultipleObjects(0, nullptr, FALSE, 1000, QS_ALLINPUT) == WAIT_TIMEOUT)
            break;
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
    return (Now().QuadPart - start.QuadPart) / ticksPerMicrosecond;
}

void Untimed(BYTE key, DWORD flags)
{
    TimeEvent(key, flags);
}

double Median(std::vector<double> samples)
{
    std::sort(samples.begin(), samples.end());
    return samples[samples.size() / 2];
}

struct Measurement {
    double keyUp, repeat, noHotKey, gatedHotKey;
};

Measurement Measure(HardwareHeader* header)
{
    std::vector<double> up, repeat, none, gated;
    for (int i = 0; i < kEvents; ++i) {
        Untimed('Z', 0);
        up.push_back(TimeEvent('Z', KEYEVENTF_KEYUP));
    }
    Untimed('Z', 0);
    for (int i = 0; i < kEvents; ++i)
        repeat.push_back(TimeEvent('Z', 0));
    Untimed('Z', KEYEVENTF_KEYUP);
    for (int i = 0; i < kEvents; ++i) {
        none.push_back(TimeEvent('Z', 0));
        Untimed('Z', KEYEVENTF_KEYUP);
    }
    if (header)
        header->pagesOpen = 1;
    Untimed(VK_CONTROL, 0);
    Untimed(VK_MENU, 0);
    for (int i = 0; i < kEvents; ++i) {
        gated.push_back(TimeEvent('C', 0));
        Untimed('C', KEYEVENTF_KEYUP);
    }
    Untimed(VK_MENU, KEYEVENTF_KEYUP);
    Untimed(VK_CONTROL, KEYEVENTF_KEYUP);
    if (header)
        header->pagesOpen = 0;
    return { Median(up), Median(repeat), Median(none), Median(gated) };
}

void Print(const char* name, const Measurement& m, const Measurement& base)
{
    std::printf("%-22s %8.1f %6.2fx %8.1f %6.2fx %8.1f %6.2fx %8.1f %6.2fx\n", name,
                m.keyUp, m.keyUp / base.keyUp, m.repeat, m.repeat / base.repeat,
                m.noHotKey, m.noHotKey / base.noHotKey, m.gatedHotKey, m.gatedHotKey / base.gatedHotKey);
}

} // namespace

int main()
{
    INITCOMMONCONTROLSEX icc = { sizeof(icc), ICC_WIN95_CLASSES };
    InitCommonControlsEx(&icc);
    SimInstallSwitch(SIM_DLL_NAME, nullptr);
    SimReset();

    WNDCLASSA wc = {};
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "VQXHookBenchmark";
    RegisterClassA(&wc);
    g_window = CreateWindowExA(0, wc.lpszClassName, "hook benchmark", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                               0, 0, 300, 100, nullptr, nullptr, wc.hInstance, nullptr);
    SetForegroundWindow(g_window);
    SetFocus(g_window);

    CHardware* hardware = nullptr;
    CHotkey* hotkeys = nullptr;
    try {
        hardware = static_cast<CHardware*>(GetServerInterface(kServiceHardware));
        hardware->Refresh();
        hotkeys = static_cast<CHotkey*>(GetServerInterface(kServiceHotkey));
    } catch (CException* e) {
        e->Delete();
        std::fprintf(stderr, "the service library cannot start on the simulated adapter\n");
        return 1;
    }

    const Measurement none = Measure(nullptr);

    HMODULE passThroughDll = LoadLibraryA("vqx_passthrough_hook.dll");
#ifdef _WIN64
    const char* const passThroughName = "PassThroughHookProc";  // x86-64 decorates nothing
#else
    const char* const passThroughName = "PassThroughHookProc@12";
#endif
    auto passThroughProc = reinterpret_cast<HOOKPROC>(
        reinterpret_cast<void*>(GetProcAddress(passThroughDll, passThroughName)));
    HHOOK passThrough = passThroughProc ? SetWindowsHookExA(WH_KEYBOARD, passThroughProc, passThroughDll, 0) : nullptr;
    if (!passThrough) {
        std::fprintf(stderr, "the pass-through hook cannot be installed\n");
        return 1;
    }
    const Measurement base = Measure(nullptr);
    UnhookWindowsHookEx(passThrough);

    hotkeys->EnableHotKeys(TRUE);
    const Measurement system = Measure(hardware->GetHeader(TRUE));
    hotkeys->EnableHotKeys(FALSE);

    std::printf("median microseconds per key event, and the ratio to the pass-through hook\n");
    std::printf("%-22s %15s %15s %15s %15s\n", "", "key-up", "repeat", "no hot key", "gated hot key");
    Print("no hook", none, base);
    Print("pass-through hook", base, base);
    Print("hot-key hook", system, base);

    ReleaseServerInterface(kServiceHotkey, hotkeys);
    ReleaseServerInterface(kServiceHardware, hardware);
    SimRemoveSwitch();
    return 0;
}
