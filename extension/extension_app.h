// CExtensionApp: the application object of VQXPage.dll, which lives as long
// as the library is loaded.  It holds the resource library (the source of
// every template, string, bitmap and icon of the extension), the hardware
// service that every page and dialog borrows, the name of the display device
// the Display control panel shows, and the count of the library's live
// objects that DllCanUnloadNow answers from.
#pragma once

#include <string>

#include "framework.h"
#include "hardware.h"

class CInfoPage;
class CDispCtrl;
class CExtensionPage;

class CExtensionApp : public CWinApp {
public:
    CExtensionApp() : CWinApp("VQXPAGE") {}

    BOOL InitInstance() override;
    int ExitInstance() override;
    // An error that reached a page's or dialog's procedure: one "VQXPAGE" box.
    void ProcessWndProcException(CException* e, const MSG* msg) override;

    HMODULE m_hResourceLib = nullptr;
    CHardware* m_pHardware = nullptr;
    // The device whose properties are shown: "DISPLAY" until the control
    // panel names one.
    std::string m_displayDeviceName;
    // The pages made by the last AddPages while the sheet still has them
    // (each page clears its pointer when the sheet lets it go).
    CInfoPage* m_pInfoPage = nullptr;
    CDispCtrl* m_pDispCtrl = nullptr;

    // Called by a page whose handle the sheet has let go of, just before the
    // page deletes itself.
    void ForgetPage(const CExtensionPage* page);
};

CExtensionApp& TheExtensionApp();

// The hardware service every page and dialog of the extension works with;
// never released by them.
inline CHardware* ExtensionHardware() { return TheExtensionApp().m_pHardware; }

// The library's live objects: class factories, extension objects and the
// pages the sheets hold.  While it is not 0 the library must stay loaded.
void LockModule();
void UnlockModule();
LONG ModuleObjectCount();
// The count as the reference parent of the pages (PSP_USEREFPARENT).
UINT* ModuleReferenceParent();
