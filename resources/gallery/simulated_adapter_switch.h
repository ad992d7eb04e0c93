// The machine-wide switch to the simulated adapter, for the pictures of the
// programs at work.
#pragma once

#include "handles.h"
#include "vqxsim.h"

#include <string>

namespace gallery {

// The machine-wide switch to the simulated adapter, installed for as long
// as the object lives unless it was there already (then it stays).
class SimulatedAdapterSwitch {
public:
    SimulatedAdapterSwitch()
    {
        CRegKey key;
        std::string adapter;
        const bool wasOn = key.Open(HKEY_LOCAL_MACHINE, SIM_SWITCH_KEY) == ERROR_SUCCESS &&
                           key.QueryString(SIM_SWITCH_ADAPTER_VALUE, adapter) == ERROR_SUCCESS && !adapter.empty();
        m_installed = !wasOn && SimInstallSwitch(SIM_DLL_NAME, nullptr);
        m_on = wasOn || m_installed;
    }
    ~SimulatedAdapterSwitch()
    {
        if (m_installed)
            SimRemoveSwitch();
    }
    SimulatedAdapterSwitch(const SimulatedAdapterSwitch&) = delete;
    SimulatedAdapterSwitch& operator=(const SimulatedAdapterSwitch&) = delete;

    bool IsOn() const { return m_on; }

private:
    bool m_installed = false;
    bool m_on = false;
};

}  // namespace gallery
