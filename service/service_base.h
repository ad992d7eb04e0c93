// CServiceBase: the base of the feature services.  It holds a reference to
// the process's hardware service for the object's whole life; the feature
// services reach the driver, the shared records and the settings through it.
#pragma once

#include "framework.h"

class CHardware;

class CServiceBase : public CObject {
public:
    CServiceBase();
    ~CServiceBase() override;

protected:
    CHardware* m_pHardware;
};
