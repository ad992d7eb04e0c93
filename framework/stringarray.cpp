#include "stringarray.h"

#include <stdexcept>

IMPLEMENT_DYNCREATE(CStringArray, CObject)

int CStringArray::Add(const std::string& item)
{
    m_items.push_back(item);
    return GetUpperBound();
}

void CStringArray::InsertAt(int index, const std::string& item)
{
    if (index < 0 || index > GetSize())
        throw std::out_of_range("CStringArray::InsertAt");
    m_items.insert(m_items.begin() + index, item);
}

void CStringArray::RemoveAt(int index, int count)
{
    if (index < 0 || count < 0 || index + count > GetSize())
        throw std::out_of_range("CStringArray::RemoveAt");
    m_items.erase(m_items.begin() + index, m_items.begin() + index + count);
}
