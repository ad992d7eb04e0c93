// The feature services on the simulated adapter: each test loads its
// scenario, takes the services it needs and has them returned at its end.
#pragma once

#include <tuple>
#include <vector>

#include "dual_monitor.h"
#include "dual_view.h"
#include "rotation.h"
#include "simulated_adapter.h"

class FeatureServices : public SimulatedAdapter {
protected:
    void TearDown() override;

    // The hardware service with the shared header filled from the settings
    // (OS class, detection switches), as the tray program leaves it.
    CHardware* RefreshedHardware();

    // The feature service `Service`, taken at the first call and returned
    // at the end of the test or by ReleaseServices.
    template <class Service>
    Service* Get()
    {
        return std::get<ServiceReference<Service>>(m_services).Acquire();
    }

    // Returns every service taken, the hardware service too, so that the
    // next scenario builds a new shared block.
    void ReleaseServices();

    // The journal's mode changes, in order.
    std::vector<SimJournalEntry> ModeChanges() const;
    // Whether the OS class hands an orientation over with a mode change.
    bool HandsOrientationOver();

private:
    std::tuple<ServiceReference<CDualView>, ServiceReference<CDualMonitor>, ServiceReference<CRotation>> m_services;
};

// Byte n of an escape's request (the byte arguments start at byte 4).
inline unsigned RequestByte(const SimJournalEntry& entry, int n)
{
    return SIM_REQUEST_BYTE(&entry, n);
}
