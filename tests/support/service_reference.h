// ServiceReference<Service>: one reference to a service of VQXAPI, taken
// through the library's exports and returned when the holder goes.  It is
// the test programs' CServiceReference: that one works on the library's
// registry, which a program outside the library cannot reach.
//
// A holder starts empty, so a fixture can take the service when a test
// first needs it (after loading its scenario) and return it in TearDown,
// before the settings are cleaned up.  For test programs that link VQXAPI.
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
