// CDualApp: service 2, dual application.
//
// Dual application stretches the desktop to twice the LCD panel's width,
// lets the driver show each half on its own output, and places two
// application windows chosen by the user one on each half.  The service can
// later exchange the two windows, or the two halves between the outputs.
// The chosen windows and their rectangles stay in the settings, so that any
// process (the tray program, the hot-key hook) can swap them.
//
// The order of the virtual operations is part of the interface between the
// deliverables: never reorder, insert only at the end.
#pragma once

#include "service_base.h"
#include "shared_records.h"

class CDualApp : public CServiceBase {
public:
    // The process's dual-application service, created on first request.
    static CDualApp* Acquire();

    // On: after the user chose the windows (nothing happens on Cancel),
    // makes sure two outputs are active, enters the driver's dual
    // application state (`swapped`: low 8 bits), doubles the desktop and
    // places the windows.  Off: leaves the state and returns to the panel's
    // size.  Error 410 when switched on while already on.
    virtual void SetDualApp(BOOL on, UINT swapped);
    // Enters the state again with the halves exchanged between the outputs;
    // error 411 when the state is off.
    virtual void SwapDualAppDisplays();
    // Exchanges the two stored windows between the halves; error 411 when
    // the state is off, 412 when no window is stored, 413 when a stored
    // window is gone, unsuitable or now another program's.
    virtual void SwapDualAppWindows();

private:
    // Refreshes the display state; error 411 unless in dual application.
    void RequireDualAppMode();

    DisplayRecord* m_pDisplay = nullptr;  // the current display of the last SetDualApp
};
