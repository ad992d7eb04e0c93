#include "exception.h"

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
    char text[512] = "";
    if (!GetErrorMessage(text, sizeof(text)) && messageId)
        LoadStringA(AfxGetResourceHandle(), messageId, text, sizeof(text));
    return MessageBoxA(GetActiveWindow(), text, AfxGetAppName(), type);
}
