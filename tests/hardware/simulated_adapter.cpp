#include "simulated_adapter.h"

#include <windows.h>

#include <ostream>

#include "os_service.h"

const char kOneDisplay[] =
    "[Adapter0]\n"
    "DeviceMask=3\n"
    "[Device0]\n"
    "Name=\\\\.\\DISPLAY1\n";

namespace {


// Switches the simulated adapter on before any test touches the display,
// and off at the end unless it was on before: a test program run again as a
// second process of a test must leave it on for the programs that follow.
class SimulationSwitch : public ::testing::Environment {
public:
    void SetUp() override
    {
        CRegKey key;
        m_wasOn = key.Open(HKEY_LOCAL_MACHINE, SIM_SWITCH_KEY, KEY_READ) == ERROR_SUCCESS;
        ASSERT_TRUE(SimInstallSwitch(SIM_DLL_NAME, nullptr));
    }
    void TearDown() override
    {
        if (!m_wasOn)
            SimRemoveSwitch();
    }

private:
    bool m_wasOn = false;
};
const auto* const kSwitch = ::testing::AddGlobalTestEnvironment(new SimulationSwitch);

std::string OemFile()
{
    char windows[MAX_PATH] = "";
    GetWindowsDirectoryA(windows, sizeof(windows));
    return std::string(windows) + "\\VQXOEM.INI";
}

} // namespace

std::ostream& operator<<(std::ostream& out, const ServiceError& e)
{
    return out << "error " << e.id << " value " << e.value;
}

void SimulatedAdapter::SetUp()
{
    RegDeleteKeyA(HKEY_CURRENT_USER, kSettingsKeyPath);
    DeleteFileA(OemFile().c_str());
    Load(kOneDisplay);
}

void SimulatedAdapter::TearDown()
{
    ReleaseHardware();
    DeleteFileA(OemFile().c_str());
    RegDeleteKeyA(HKEY_CURRENT_USER, kSettingsKeyPath);
}

void SimulatedAdapter::Load(const std::string& scenario)
{
    ASSERT_EQ(0, SimLoadScenarioText(scenario.c_str())) << scenario;
    SimClearJournal();
}

void SimulatedAdapter::SetOem(const char* section, const char* key, int value)
{
    WritePrivateProfileStringA(section, key, std::to_string(value).c_str(), "VQXOEM.INI");
}

std::vector<SimJournalEntry> SimulatedAdapter::Journal() const
{
    std::vector<SimJournalEntry> entries(SIM_JOURNAL_CAPACITY);
    entries.resize(SimGetJournal(entries.data(), SIM_JOURNAL_CAPACITY));
    return entries;
}

std::vector<SimJournalEntry> SimulatedAdapter::Escapes(DWORD function) const
{
    std::vector<SimJournalEntry> escapes;
    for (const SimJournalEntry& entry : Journal())
        if (entry.kind == SIM_JOURNAL_ESCAPE && entry.request[0] == function)
            escapes.push_back(entry);
    return escapes;
}

SimState SimulatedAdapter::State() const
{
    SimState state = {};
    state.size = sizeof(state);
    EXPECT_TRUE(SimGetState(&state));
    return state;
}

void SimulatedAdapter::SetState(const SimState& state)
{
    EXPECT_TRUE(SimSetState(&state));
}
