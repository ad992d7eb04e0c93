// CServiceRegistry: the process's service objects, each with its class name
// and reference count.  One static instance lives in the library; services
// are created on first request and destroyed when their count drops to 0 or
// when the library leaves the process (last added first).
#pragma once

#include <list>
#include <string>

#include "framework.h"

class CServiceRegistry {
public:
    CServiceRegistry() = default;
    ~CServiceRegistry();
    CServiceRegistry(const CServiceRegistry&) = delete;
    CServiceRegistry& operator=(const CServiceRegistry&) = delete;

    // The registered object of class `name` with one more reference, or null.
    CObject* Acquire(const char* name);
    // Registers `object` with count 1; FALSE when `name` is taken.
    BOOL Add(const char* name, CObject* object);
    // Returns one reference; at 0 the object is destroyed and unregistered.
    // FALSE when `object` is not registered.
    BOOL Release(CObject* object);

    // The process's registry.
    static CServiceRegistry& Instance();

private:
    struct Entry {
        std::string name;
        CObject* object;
        LONG count;
    };
    std::list<Entry> m_entries;
};

// The getter shared by every service: the registered object, or a new one
// made by `create` and registered under `name`.  An exception from the
// constructor passes to the caller.
template <class Service>
Service* AcquireService(const char* name)
{
    CServiceRegistry& registry = CServiceRegistry::Instance();
    if (CObject* existing = registry.Acquire(name))
        return static_cast<Service*>(existing);
    Service* created = new Service();
    if (!registry.Add(name, created)) {
        delete created;
        return nullptr;
    }
    return created;
}

// One reference to a service, returned to the registry when the holder goes.
template <class Service>
class CServiceReference {
public:
    CServiceReference() : m_service(Service::Acquire()) {}
    ~CServiceReference() { if (m_service) CServiceRegistry::Instance().Release(m_service); }
    CServiceReference(const CServiceReference&) = delete;
    CServiceReference& operator=(const CServiceReference&) = delete;

    Service* Get() const { return m_service; }
    Service* operator->() const { return m_service; }
    Service& operator*() const { return *m_service; }

private:
    Service* m_service;
};
