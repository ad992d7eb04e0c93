// CDualView: service 4.  Switches the adapter's dual view on or off: two
// display devices showing different parts of the desktop, the second in
// the size the user chose ("DualViewSecSize").  The driver does the work;
// this service makes sure two devices are active first.
//
// The order of the virtual operations is part of the interface between the
// deliverables: never reorder, insert only at the end.
#pragma once

#include "service_base.h"

class CDualView : public CServiceBase {
public:
    // The process's dual view service, created on first request.
    static CDualView* Acquire();

    // FALSE: asks the driver to leave dual view (whether or not it is on).
    // TRUE: adds a second device when only one (or none) is active, then
    // asks the driver for dual view in the stored size.  Returns the driver
    // request's result; failures are thrown.
    virtual int SetDualView(BOOL on);
};
