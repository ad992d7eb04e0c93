// CTrayApp: the tray program's application object.  It lets only one copy
// run, loads the resource library, takes the hardware service, makes sure a
// display is selected and creates the hidden tray window; everything after
// that happens in the window.
#pragma once

#include "framework.h"
#include "hardware.h"
#include "service_reference.h"
#include "tray_message.h"

namespace tray {

// Held by the running copy for the life of its process.
constexpr char kSingleInstanceMutex[] = "VQXTRAY-2F9A6C13-8D4E-4b71-B0A5-93E1C7D48F26";

class CTrayApp : public CWinApp {
public:
    CTrayApp() : CWinApp(kTrayCaption) {}

    BOOL InitInstance() override;
    int ExitInstance() override;
    // An error that reached a window procedure: one "VQXTRAY" box.
    void ProcessWndProcException(CException* e, const MSG* msg) override;

private:
    // Held for the life of the program; the exit steps give back the
    // resource library first, then the service.
    CModule m_resourceLib;
    ServiceReference<CHardware> m_hardware;

    // Whether another copy runs, for this user or another.
    bool IsAnotherCopyRunning();
    // The service part of start-up; false when it fails.
    bool TakeHardwareService();
    bool CreateTrayWindow();

    CHandle m_singleInstance;
};

} // namespace tray
