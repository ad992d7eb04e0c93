// CBaseException: the service library's error object.
//
// It carries the id of a message of the resource library (a format with one
// integer placeholder) and the value that fills it.  Thrown by pointer with
// ThrowServiceError; callers show GetErrorText and call Delete.
#pragma once

#include <string>

#include "framework.h"

class CBaseException : public CException {
public:
    CBaseException(UINT messageId, int value) : m_messageId(messageId), m_value(value) {}

    // The message formatted with the value (loaded from the resource
    // library on first use; empty when the string is missing).
    virtual const std::string& GetErrorText();

    UINT GetMessageId() const { return m_messageId; }
    int GetValue() const { return m_value; }

    BOOL GetErrorMessage(LPSTR text, UINT maxChars, PUINT helpContext = nullptr) const override;

    std::string m_text;
    UINT m_messageId;
    int m_value;
};

// String `messageId` of the resource library, a format with one integer
// placeholder, filled with `value`; "" when the string is missing.
std::string FormatMessageText(UINT messageId, int value);

// Throws a new CBaseException.
[[noreturn]] void ThrowServiceError(UINT messageId, int value);
