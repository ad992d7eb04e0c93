// CStringArrayEx: a string array that can find an element regardless of case.
#pragma once

#include "framework.h"

class CStringArrayEx : public CStringArray {
    DECLARE_DYNCREATE(CStringArrayEx)
public:
    // The index of the first element equal to `text` ignoring case
    // (multibyte-aware), or -1.
    int Find(const std::string& text) const;
};
