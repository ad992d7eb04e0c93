// Tells the display driver of the 95 family whether the machine runs on
// mains or battery: at start and at every change of the power source.
#pragma once

#include <windows.h>

class CHardware;

namespace tray {

class CPowerWatch {
public:
    explicit CPowerWatch(CHardware& hardware) : m_hardware(hardware) {}

    // Posts the power-status broadcast once, so that the driver learns the
    // current status soon after start through the same path as a change.
    void BroadcastFirstStatus();
    // On a change of the power source: passes the AC line status to the
    // driver when it differs from the last one passed.  A request that fails
    // is made once more through the primary display found again (the system's
    // displays may have changed since this process selected one); the error
    // of that second request passes through, with the new status already
    // kept, so that it is not tried again for the same status.
    void CheckPowerStatus();

private:
    CHardware& m_hardware;
    BYTE m_lastStatus = 255;  // also what the system reports for "unknown"
};

} // namespace tray
