#include "feature_fixture.h"

void FeatureServices::TearDown()
{
    ReleaseServices();
    SimulatedAdapter::TearDown();
}

void FeatureServices::ReleaseServices()
{
    for (auto it = m_services.rbegin(); it != m_services.rend(); ++it)
        EXPECT_EQ(1, ReleaseServerInterface(it->id, it->object));
    m_services.clear();
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
