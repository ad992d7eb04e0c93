#include "feature_fixture.h"

namespace {

// Returns a service the test took: the library must still hold it.
template <class Service>
void ExpectReturned(ServiceReference<Service>& service)
{
    if (service) {
        EXPECT_EQ(1, service.Release());
    }
}

} // namespace

void FeatureServices::TearDown()
{
    ReleaseServices();
    SimulatedAdapter::TearDown();
}

void FeatureServices::ReleaseServices()
{
    std::apply([](auto&... services) { (ExpectReturned(services), ...); }, m_services);
    ReleaseHardware();
}

CHardware* FeatureServices::RefreshedHardware()
{
    CHardware* hardware = Hardware();
    if (hardware)
        hardware->Refresh();
    return hardware;
}

std::vector<SimJournalEntry> FeatureServices::ModeChanges() const
{
    std::vector<SimJournalEntry> changes;
    for (const SimJournalEntry& entry : Journal())
        if (entry.kind == SIM_JOURNAL_MODE_CHANGE)
            changes.push_back(entry);
    return changes;
}

bool FeatureServices::HandsOrientationOver()
{
    return Hardware()->GetHeader(TRUE)->osClass == 6;
}
