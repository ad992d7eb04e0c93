// CException: the base of error objects, thrown by pointer.
//
// A handler catches the pointer, may show the error (GetErrorMessage,
// ReportError) and must then call Delete, which frees the object when its
// auto-delete flag is set (the case for every object made with new).
#pragma once

#include <windows.h>

#include "object.h"

class CException : public CObject {
    DECLARE_DYNAMIC(CException)
public:
    explicit CException(BOOL autoDelete = TRUE) : m_bAutoDelete(autoDelete) {}

    // Frees the object if it was made to be deleted by its handler.
    void Delete();

    // Copies the error text into `text`; FALSE when there is no text.
    virtual BOOL GetErrorMessage(LPSTR text, UINT maxChars, PUINT helpContext = nullptr) const;
    // Shows the error text (or string `messageId` of the resource module when
    // there is none) in a message box captioned with the application's name.
    virtual int ReportError(UINT type = MB_OK, UINT messageId = 0) const;

    BOOL m_bAutoDelete;
};
