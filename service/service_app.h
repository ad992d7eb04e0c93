// CServiceApp: the library's application object.  It loads the resource
// library at start and makes it the source of every string and dialog the
// service library loads; a library without its resources does not load.
#pragma once

#include "framework.h"

class CServiceApp : public CWinApp {
public:
    CServiceApp() : CWinApp("VQXAPI") {}

    BOOL InitInstance() override;
    int ExitInstance() override;

    HMODULE m_hResourceLib = nullptr;
};
