#include "error_box.h"

#include "base_exception.h"

void ShowErrorBox(CException* e, const char* caption)
{
    std::string text;
    if (auto* serviceError = dynamic_cast<CBaseException*>(e)) {
        text = serviceError->GetErrorText();
    } else {
        char message[512] = "";
        e->GetErrorMessage(message, sizeof(message));
        text = message;
    }
    e->Delete();
    if (!text.empty())
        MessageBoxA(GetActiveWindow(), text.c_str(), caption, MB_OK | MB_ICONEXCLAMATION);
}
