// The hot-key hook procedure.
//
// It is called for every key event of every application, so the events that
// cannot be a hot key leave at once: anything but a first key-down
// (HC_ACTION with bits 30 and 31 of the key data clear), and keys that no
// adapter's table holds.  The services it works with are obtained at the
// first key-down in a process and kept while the library stays there,
// instead of being built (with a display enumeration) for every event.
//
// No exception ever leaves the procedure, and an event that arrives while
// this thread is already acting on a hot key (a message box or dialog of the
// action runs a message loop) is passed on untouched.
//
// The shared block is writable by every process of the session, so the
// procedure reads no record that does not lie wholly inside its view, and it
// checks the block's counts before it walks them.  A damaged block is not
// the user's doing and would come back with every key: it is reported once
// per process, and the keys pass on until a fresh process rebuilds it.
#include "hotkey_hook.h"

#include <memory>

#include "base_exception.h"
#include "dual_app.h"
#include "dual_view.h"
#include "hardware.h"
#include "hotkey_actions.h"
#include "hotkey_table.h"
#include "os_service.h"
#include "resource_ids.h"
#include "rotation.h"
#include "service_app.h"
#include "service_registry.h"

namespace {

// The services the hook acts through, one set per process.
struct CHookServices {
    CServiceReference<CHardware> hardware;
    CServiceReference<CRotation> rotation;
    CServiceReference<CDualApp> dualApp;
    CServiceReference<CDualView> dualView;
};

thread_local bool t_acting = false;

// Errors that come from the shared state itself rather than from the hot
// key the user pressed.
bool IsSharedStateError(UINT messageId)
{
    return messageId == IDS_ERR_SHARED_DAMAGED || messageId == IDS_ERR_RECORD_RANGE ||
           messageId == IDS_ERR_DISPLAYS_CHANGED;
}

void ShowError(CBaseException* e)
{
    static bool sharedStateReported = false;
    const bool sharedState = IsSharedStateError(e->GetMessageId());
    if (!sharedState || !sharedStateReported) {
        sharedStateReported = sharedStateReported || sharedState;
        MessageBoxA(nullptr, e->GetErrorText().c_str(), "VQXAPI", MB_SYSTEMMODAL | MB_SETFOREGROUND | MB_TOPMOST);
    }
    e->Delete();
}

// Runs `body`; a library error is shown, anything else swallowed.
template <class Body>
void Guarded(Body&& body)
{
    try {
        body();
    } catch (CBaseException* e) {
        ShowError(e);
    } catch (CException* e) {
        e->Delete();
    } catch (...) {
    }
}

// This process's services, or null when they have not been built yet
// (`build` false) or cannot be had (the error is shown once, at the first
// event that needed them).
CHookServices* HookServices(bool build)
{
    // The registry must outlive the services kept below.
    CServiceRegistry::Instance();
    static std::unique_ptr<CHookServices> services;
    static bool failed = false;
    if (build && !services && !failed) {
        failed = true;
        Guarded([] {
            services.reset(new CHookServices());
            failed = false;
        });
    }
    return services.get();
}

// The modifier mask of the hot-key table for the key state of this event.
UINT CurrentModifiers(LPARAM keyData)
{
    UINT mask = 0;
    if (GetKeyState(VK_CONTROL) < 0)
        mask |= HOTKEYF_CONTROL;
    if (keyData & (1 << 29))
        mask |= HOTKEYF_ALT;
    if (GetKeyState(VK_SHIFT) < 0)
        mask |= HOTKEYF_SHIFT;
    return mask;
}

struct HotKeyMatch {
    UINT adapter;
    int entry;
};

// The first entry, in adapter then index order, with this key and these
// modifiers; entry -1 when there is none.
HotKeyMatch FindHotKey(CHardware& hardware, const HardwareHeader& header, WPARAM virtualKey, LPARAM keyData)
{
    const uint8_t key = static_cast<uint8_t>(virtualKey);
    bool haveModifiers = false;
    UINT modifiers = 0;
    for (UINT a = 0; a < header.adapterCount; ++a) {
        const HotKeyTable& table = hardware.GetAdapter(a, FALSE)->hotKeyTable;
        for (int i = 0; i < kHotKeyCount; ++i) {
            if (table.keyCode[i] != key)
                continue;
            if (!haveModifiers) {
                modifiers = CurrentModifiers(keyData);
                haveModifiers = true;
            }
            if (table.modifiers[i] == modifiers)
                return { a, i };
        }
    }
    return { 0, -1 };
}

// Selects the adapter's primary display (the first display when none is
// marked primary) and refreshes its state.
void SelectPrimaryDisplay(CHardware& hardware, UINT adapter)
{
    const AdapterRecord* record = hardware.GetAdapter(adapter, FALSE);
    UINT chosen = 0;
    for (UINT d = 0; d < record->displayCount; ++d) {
        if (hardware.GetDisplay(adapter, d, FALSE)->primary) {
            chosen = d;
            break;
        }
    }
    hardware.SelectDisplay(adapter, chosen);
    hardware.RefreshDisplayState();
}

// In dual-monitor mode with the monitors swapped, the hot keys act on the
// display that is not the primary one.
void SelectSwappedDualMonitorDisplay(CHardware& hardware)
{
    DWORD adapter = 0, display = 0;
    hardware.GetSelectedDisplay(&adapter, &display);
    const AdapterRecord* record = hardware.GetAdapter(adapter, FALSE);
    for (UINT d = 0; d < record->displayCount; ++d) {
        if (!hardware.GetDisplay(adapter, d, FALSE)->primary) {
            hardware.SelectDisplay(adapter, d);
            hardware.RefreshDisplayState();
            return;
        }
    }
}

// Rotates to `code`, or back to no rotation when the toggle switch is on and
// the display is already rotated so.
void RotateOrToggle(CHookServices& s, const HardwareHeader& h, uint8_t current, UINT code)
{
    s.rotation->SetRotation(h.toggleSModeHotKey && current == code ? UINT(kRotationNone) : code);
}

// Undoes whichever of rotation, dual view and dual application the display
// has on, as its state reads after a refresh.
void BackToPlainState(CHookServices& s)
{
    CHardware& hw = *s.hardware.Get();
    hw.RefreshDisplayState();
    const DisplayRecord* now = hw.GetCurrentDisplay();
    if (now->rotation != kRotationNone)
        s.rotation->SetRotation(kRotationNone);
    else if (now->mode == kModeDualView)
        s.dualView->SetDualView(FALSE);
    else if (now->mode == kModeDualApp)
        s.dualApp->SetDualApp(FALSE, 0);
}

// Carries out the action of hot key `entry` (kHotKeyActions) when it may
// act on the current display.
void Act(CHookServices& s, const HardwareHeader& h, int entry)
{
    CHardware& hw = *s.hardware.Get();
    const DisplayRecord* d = hw.GetCurrentDisplay();
    const auto mode = static_cast<DisplayMode>(d->mode);
    const auto rotation = static_cast<RotationCode>(d->rotation);
    if (!MayHotKeyAct(entry, h, mode, rotation))
        return;
    const HotKeyAction& action = kHotKeyActions[entry];
    switch (action.kind) {
    case kActionSwitchOutputs:
        hw.SetDisplayDevices(action.outputs);
        break;
    case kActionRotate:
        RotateOrToggle(s, h, rotation, action.rotation);
        break;
    case kActionDualAppOn:
        s.dualApp->SetDualApp(TRUE, 0);
        break;
    case kActionSwapDualAppWindows:
        s.dualApp->SwapDualAppWindows();
        break;
    case kActionSwapDualAppDisplays:
        s.dualApp->SwapDualAppDisplays();
        break;
    case kActionDualViewOn:
        s.dualView->SetDualView(TRUE);
        break;
    case kActionPlainState:
        BackToPlainState(s);
        break;
    }
}

// Everything a possible hot key does before the event is passed on.
void HandleKeyDown(CHookServices& s, WPARAM virtualKey, LPARAM keyData)
{
    CHardware& hw = *s.hardware.Get();
    const HardwareHeader* h = hw.GetHeader(FALSE);
    if (!h)
        return;
    if (const UINT damage = hw.FindBlockDamage())
        ThrowServiceError(IDS_ERR_SHARED_DAMAGED, static_cast<int>(damage));
    const HotKeyMatch match = FindHotKey(hw, *h, virtualKey, keyData);
    if (match.entry < 0)
        return;
    // Switched off or a page of the extension open: checked before the
    // display is selected, which changes neither.
    const AdapterRecord* adapter = hw.GetAdapter(match.adapter, FALSE);
    if (!adapter->hotKeyTable.enabled || h->pagesOpen)
        return;
    SelectPrimaryDisplay(hw, match.adapter);
    if (h->driverStatus1)
        return;
    if (hw.GetCurrentDisplay()->mode == kModeDualMonitor && hw.GetCurrentAdapter()->dualMonitorSwapped)
        SelectSwappedDualMonitorDisplay(hw);
    Act(s, *h, match.entry);
}

} // namespace

LRESULT CALLBACK HotKeyHookProc(int code, WPARAM virtualKey, LPARAM keyData)
{
    // A library without its own resources acts on no key.
    if (!ServicesOffered())
        return CallNextHookEx(nullptr, code, virtualKey, keyData);
    const bool firstKeyDown = code == HC_ACTION && (keyData & 0xC0000000) == 0;
    HHOOK next = nullptr;
    if (!t_acting) {
        t_acting = true;
        Guarded([&] {
            CHookServices* services = firstKeyDown ? HookServices(true) : nullptr;
            if (services)
                HandleKeyDown(*services, virtualKey, keyData);
        });
        t_acting = false;
    }
    Guarded([&] {
        // Only a process that already has its services can read the handle
        // (a key-up never builds them); the systems that use the argument at
        // all take null as well.
        if (CHookServices* services = HookServices(false))
            if (const HardwareHeader* h = services->hardware->GetHeader(FALSE))
                next = reinterpret_cast<HHOOK>(static_cast<INT_PTR>(h->keyboardHook));
    });
    return CallNextHookEx(next, code, virtualKey, keyData);
}
