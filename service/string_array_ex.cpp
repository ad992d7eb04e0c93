#include "string_array_ex.h"

#include <mbstring.h>

IMPLEMENT_DYNCREATE(CStringArrayEx, CStringArray)

int CStringArrayEx::Find(const std::string& text) const
{
    for (int i = 0; i < GetSize(); ++i)
        if (_mbsicmp(reinterpret_cast<const unsigned char*>(GetAt(i).c_str()),
                     reinterpret_cast<const unsigned char*>(text.c_str())) == 0)
            return i;
    return -1;
}
