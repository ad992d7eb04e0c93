#include "service_registry.h"

#include <mbstring.h>

CServiceRegistry& CServiceRegistry::Instance()
{
    static CServiceRegistry registry;
    return registry;
}

CServiceRegistry::~CServiceRegistry()
{
    // Last added first; an object destroyed by another's destructor (through
    // Release) has left the list by then and is not visited again.
    while (!m_entries.empty()) {
        CObject* object = m_entries.back().object;
        m_entries.pop_back();
        delete object;
    }
}

CObject* CServiceRegistry::Acquire(const char* name)
{
    for (Entry& entry : m_entries) {
        if (_mbscmp(reinterpret_cast<const unsigned char*>(entry.name.c_str()),
                    reinterpret_cast<const unsigned char*>(name)) == 0) {
            ++entry.count;
            return entry.object;
        }
    }
    return nullptr;
}

BOOL CServiceRegistry::Add(const char* name, CObject* object)
{
    for (const Entry& entry : m_entries)
        if (entry.name == name)
            return FALSE;
    m_entries.push_back({ name, object, 1 });
    return TRUE;
}

BOOL CServiceRegistry::Release(CObject* object)
{
    for (auto it = m_entries.begin(); it != m_entries.end(); ++it) {
        if (it->object != object)
            continue;
        if (it->count == 0)
            return TRUE;
        if (--it->count == 0) {
            // Unregister first: the destructor may release further services.
            m_entries.erase(it);
            delete object;
        }
        return TRUE;
    }
    return FALSE;
}
