// CServiceApp: the library's application object.  It loads the resource
// library (from its own folder first) at start and makes it the source of
// every string and dialog the service library loads.
//
// A resource library that is missing or of another version than this
// library does not keep the library from loading: its clients link it, and
// a failed load would leave them unable to tell the user why they cannot
// start.  The library then offers no service and its hook does nothing.
#pragma once

#include "framework.h"

class CServiceApp : public CWinApp {
public:
    CServiceApp() : CWinApp("VQXAPI") {}

    BOOL InitInstance() override;
    int ExitInstance() override;

    HMODULE m_hResourceLib = nullptr;
};

// TRUE when the resource library of this library's own version is loaded:
// only then may services be handed out and hot keys act.
bool ServicesOffered();
