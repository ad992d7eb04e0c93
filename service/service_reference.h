// ServiceReference<Service>: one reference to a service of VQXAPI, taken
// through the library's exports and returned when the holder goes; for the
// modules that link the library (the library's own CServiceReference works
// on its registry, which no other module can reach).
//
// A holder starts empty, so that its owner decides when the service is
// taken (a command takes its services when it runs, a test fixture after
// loading its scenario) and may return it early.
#pragma once

#include <type_traits>

#include "service_ids.h"

class COSService;
class CHardware;
class CDualApp;
class CDualView;
class CRotation;
class CHotkey;
class CDualMonitor;

// The id each service class is asked for by.
template <class Service> struct ServiceIdOf;
template <> struct ServiceIdOf<COSService> : std::integral_constant<ServiceId, kServiceOS> {};
template <> struct ServiceIdOf<CHardware> : std::integral_constant<ServiceId, kServiceHardware> {};
template <> struct ServiceIdOf<CDualApp> : std::integral_constant<ServiceId, kServiceDualApp> {};
template <> struct ServiceIdOf<CDualView> : std::integral_constant<ServiceId, kServiceDualView> {};
template <> struct ServiceIdOf<CRotation> : std::integral_constant<ServiceId, kServiceRotation> {};
template <> struct ServiceIdOf<CHotkey> : std::integral_constant<ServiceId, kServiceHotkey> {};
template <> struct ServiceIdOf<CDualMonitor> : std::integral_constant<ServiceId, kServiceDualMonitor> {};

template <class Service>
class ServiceReference {
public:
    static constexpr ServiceId kId = ServiceIdOf<Service>::value;

    ServiceReference() = default;
    ~ServiceReference() { Release(); }
    ServiceReference(const ServiceReference&) = delete;
    ServiceReference& operator=(const ServiceReference&) = delete;

    // Takes the reference unless one is held; the service, or null when the
    // library refuses.  A CBaseException of the library passes through.
    Service* Acquire()
    {
        if (!m_service)
            m_service = static_cast<Service*>(GetServerInterface(kId));
        return m_service;
    }

    // Returns the reference now: the library's answer, 1 when it took the
    // reference back, 0 when none was held.
    int Release()
    {
        CObject* service = m_service;
        m_service = nullptr;
        return service ? ReleaseServerInterface(kId, service) : 0;
    }

    Service* Get() const { return m_service; }
    Service* operator->() const { return m_service; }
    Service& operator*() const { return *m_service; }
    explicit operator bool() const { return m_service != nullptr; }

private:
    Service* m_service = nullptr;
};
