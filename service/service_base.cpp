#include "service_base.h"

#include "hardware.h"
#include "service_registry.h"

CServiceBase::CServiceBase()
    : m_pHardware(CHardware::Acquire())
{
}

CServiceBase::~CServiceBase()
{
    if (m_pHardware)
        CServiceRegistry::Instance().Release(m_pHardware);
}
