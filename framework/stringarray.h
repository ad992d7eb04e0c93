// CStringArray: an ordered, growable array of strings.
#pragma once

#include <string>
#include <vector>

#include "object.h"

class CStringArray : public CObject {
    DECLARE_DYNCREATE(CStringArray)
public:
    int GetSize() const { return static_cast<int>(m_items.size()); }
    int GetUpperBound() const { return GetSize() - 1; }
    bool IsEmpty() const { return m_items.empty(); }
    // Appends and returns the new element's index.
    int Add(const std::string& item);
    const std::string& GetAt(int index) const { return m_items.at(static_cast<size_t>(index)); }
    void SetAt(int index, const std::string& item) { m_items.at(static_cast<size_t>(index)) = item; }
    void InsertAt(int index, const std::string& item);
    void RemoveAt(int index, int count = 1);
    void RemoveAll() { m_items.clear(); }
    const std::string& operator[](int index) const { return GetAt(index); }
    std::string& operator[](int index) { return m_items.at(static_cast<size_t>(index)); }

private:
    std::vector<std::string> m_items;
};
