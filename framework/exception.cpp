#include "exception.h"

#include "text.h"
#include "winapp.h"

IMPLEMENT_DYNAMIC(CException, CObject)

void CException::Delete()
{
    if (m_bAutoDelete)
        delete this;
}

BOOL CException::GetErrorMessage(LPSTR text, UINT maxChars, PUINT helpContext) const
{
    if (helpContext)
        *helpContext = 0;
    if (text && maxChars)
        *text = '\0';
    return FALSE;
}

int CException::ReportError(UINT type, UINT messageId) const
{
    char message[512] = "";
    const bool hasMessage = GetErrorMessage(message, sizeof(message)) != FALSE;
    const std::string text = hasMessage || !messageId ? std::string(message) : AfxLoadString(messageId);
    return MessageBoxA(GetActiveWindow(), text.c_str(), AfxGetAppName(), type);
}
