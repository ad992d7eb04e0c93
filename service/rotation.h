// CRotation: service 5.  Turns the picture of the selected display device
// by 90, 180 or 270 degrees, or back: the driver turns the picture, then
// the display mode is changed so that the desktop's width and height match
// the new orientation.
//
// The order of the virtual operations is part of the interface between the
// deliverables: never reorder, insert only at the end.
#pragma once

#include "service_base.h"

class CRotation : public CServiceBase {
public:
    // The process's rotation service, created on first request.
    static CRotation* Acquire();

    // Rotation code in the low 8 bits (RotationCode: 0 none, 1 90 degrees,
    // 2 270 degrees, 3 180 degrees).  Nothing happens when the display
    // already has it; a code above 3 is error 325.  Failures are thrown.
    virtual void SetRotation(UINT code);
};
