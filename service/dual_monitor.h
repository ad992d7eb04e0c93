// CDualMonitor: service 7.  In dual-monitor mode the adapter drives two
// display devices as two monitors of the Windows desktop.  This service
// chooses the two devices and which of them is the primary monitor; the
// swap of primary and secondary is the driver's value 108, mirrored in the
// adapter's dualMonitorSwapped.
//
// The order of the virtual operations is part of the interface between the
// deliverables: never reorder, insert only at the end.
#pragma once

#include "service_base.h"

class CDualMonitor : public CServiceBase {
public:
    // The process's dual monitor service, created on first request.
    static CDualMonitor* Acquire();

    // Exchanges primary and secondary, then makes the system apply the
    // modes of every display of the selected adapter again.  Outside
    // dual-monitor mode error 470; on any failure the swap is undone.
    virtual void SwapDualMonPrimary();
    // Shows the desktop on devices `first` (primary) and `second` (codes 1,
    // 2, 4, 8; any other value lets the service choose from the devices
    // active now) and aligns the swap with their order.  Outside
    // dual-monitor mode error 470, with nothing changed.
    virtual void SetDualMonDevices(int first, int second);

private:
    // The output shown by the primary and by the other display of the
    // selected adapter; the selection is kept, also on failure.
    void ReadOutputsOfDisplays(int& primary, int& secondary);
    // The mode of every display of the selected adapter, applied again.
    void ReapplyDisplayModes();
    // Swap undone after a failure; an error of the undo gives way to the
    // failure being reported.
    void UndoSwap();
};
