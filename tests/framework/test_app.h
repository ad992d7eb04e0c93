// The application object of the class-layer tests: records what reaches
// the exception boundary instead of showing it.
#pragma once

#include "framework.h"

#include <string>
#include <vector>

class CTestApp : public CWinApp {
public:
    CTestApp() : CWinApp("FRAMEWORK TEST") {}
    void ProcessWndProcException(CException* e, const MSG* msg) override;

    struct Caught {
        bool frameworkException;
        UINT message;
    };
    std::vector<Caught> m_caught;
};

extern CTestApp theTestApp;
