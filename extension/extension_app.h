// CExtensionApp: the application object of VQXPage.dll.  The library's
// entry does nothing but bookkeeping (the loader lock is held there); the
// extension starts when the control panel first asks for its class object
// and stops when the control panel asks whether it may be unloaded and no
// object of it lives any more.  Started, it holds the resource library (the
// source of every template, string, bitmap and icon of the extension) and
// the hardware service that every page and dialog borrows.
//
// What belongs to one Display Properties sheet (the device shown, its pages)
// lives in that sheet's extension object and pages: one control panel
// process may show two sheets at once.
#pragma once

#include <string>

#include "framework.h"
#include "hardware.h"
#include "service_reference.h"

class CExtensionApp : public CWinApp {
public:
    CExtensionApp() : CWinApp("VQXPAGE") {}

    // Loads the resource library beside this library, checks its version
    // and the service library's, and takes the hardware service; true when
    // the extension can work.  Runs once until Stop.
    bool Start();
    // Gives back what Start took.  Only while no object of the library
    // lives.
    void Stop();
    // Why the extension cannot work ("" when it can), for the box that says
    // so once per process.
    const std::string& StartProblem() const { return m_startProblem; }
    // Shows StartProblem in one "VQXPAGE" box, the first time only.
    void ReportStartProblem();

    // An error that reached a page's or dialog's procedure: one "VQXPAGE" box.
    void ProcessWndProcException(CException* e, const MSG* msg) override;
    int ExitInstance() override;

    HMODULE ResourceLibrary() const { return m_resourceLib.Get(); }
    CHardware* Hardware() const { return m_hardware.Get(); }

private:
    bool m_started = false;
    bool m_problemReported = false;
    std::string m_startProblem;
    CModule m_resourceLib;
    ServiceReference<CHardware> m_hardware;
};

CExtensionApp& TheExtensionApp();

// The hardware service every page and dialog of the extension works with;
// never released by them.
inline CHardware* ExtensionHardware() { return TheExtensionApp().Hardware(); }

// The library's live objects: class factories, extension objects and the
// pages the sheets hold.  While it is not 0 the library must stay loaded.
// Changed with interlocked operations: a page may be released on another
// thread of the control panel than the one that made it.
void LockModule();
void UnlockModule();
LONG ModuleObjectCount();
// The counter given to the pages as their reference parent
// (PSP_USEREFPARENT): the sheet raises it while a page exists, on the
// systems that honour the flag.  Kept apart from the object count, which
// the pages keep true themselves.
UINT* ModuleReferenceParent();
