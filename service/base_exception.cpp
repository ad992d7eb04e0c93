#include "base_exception.h"

#include <cstdio>

std::string FormatMessageText(UINT messageId, int value)
{
    const std::string format = AfxLoadString(messageId);
    if (format.empty())
        return std::string();
    const int length = std::snprintf(nullptr, 0, format.c_str(), value);
    if (length <= 0)
        return std::string();
    std::string text(static_cast<size_t>(length) + 1, '\0');
    std::snprintf(&text[0], text.size(), format.c_str(), value);
    text.resize(static_cast<size_t>(length));
    return text;
}

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
