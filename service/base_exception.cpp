#include "base_exception.h"

#include <cstdio>

namespace {

std::string FormatMessageText(UINT messageId, int value)
{
    const std::string format = AfxLoadString(messageId);
    if (format.empty())
        return std::string();
    char text[1024];
    std::snprintf(text, sizeof(text), format.c_str(), value);
    return text;
}

} // namespace

const std::string& CBaseException::GetErrorText()
{
    m_text = FormatMessageText(m_messageId, m_value);
    return m_text;
}

BOOL CBaseException::GetErrorMessage(LPSTR text, UINT maxChars, PUINT helpContext) const
{
    if (helpContext)
        *helpContext = 0;
    const std::string message = FormatMessageText(m_messageId, m_value);
    if (text && maxChars)
        lstrcpynA(text, message.c_str(), static_cast<int>(maxChars));
    return !message.empty();
}

void ThrowServiceError(UINT messageId, int value)
{
    throw new CBaseException(messageId, value);
}
