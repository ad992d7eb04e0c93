#include "test_app.h"

CTestApp theTestApp;

void CTestApp::ProcessWndProcException(CException* e, const MSG* msg)
{
    m_caught.push_back({ e != nullptr, msg ? msg->message : 0 });
    if (e)
        e->Delete();
}
