// The power seam of the tray program and the extension
// (power::GetSystemPowerStatus): the simulated adapter's power source when
// the machine-wide switch is on, the system's when it is off.  The seam
// reads the switch once per process, so this process asks it only with the
// switch on; power_probe.exe asks it in a process of its own.
#include "handles.h"  // the framework's owning wrappers
#include "power_probe.h"
#include "power_source.h"
#include "sim_fixture.h"
#include "test_support.h"

#include <string>

using namespace simtest;

namespace {

// Sets the machine-wide switch for a scope (dll null: off) and puts back
// what was there before.
class ScopedSwitch {
public:
    explicit ScopedSwitch(const char* dll)
    {
        CRegKey key;
        m_wasOn = key.Open(HKEY_LOCAL_MACHINE, SIM_SWITCH_KEY) == ERROR_SUCCESS
            && key.QueryString(SIM_SWITCH_ADAPTER_VALUE, m_dll) == ERROR_SUCCESS;
        m_hadScenario = m_wasOn && key.QueryString(SIM_SWITCH_SCENARIO_VALUE, m_scenario) == ERROR_SUCCESS;
        m_set = dll ? SimInstallSwitch(dll, nullptr) : SimRemoveSwitch();
    }
    ~ScopedSwitch()
    {
        if (m_wasOn)
            SimInstallSwitch(m_dll.c_str(), m_hadScenario ? m_scenario.c_str() : nullptr);
        else
            SimRemoveSwitch();
    }
    ScopedSwitch(const ScopedSwitch&) = delete;
    ScopedSwitch& operator=(const ScopedSwitch&) = delete;

    bool Set() const { return m_set; }

private:
    bool m_wasOn = false;
    bool m_hadScenario = false;
    std::string m_dll;
    std::string m_scenario;
    bool m_set = false;
};

// The AC line status power::GetSystemPowerStatus gives a fresh process.
DWORD ProbedACLineStatus()
{
    testsupport::Program probe("\"" + testsupport::TestFolder() + "power_probe.exe\"");
    EXPECT_TRUE(probe.Started());
    return probe.Wait();
}

DWORD RealACLineStatus()
{
    SYSTEM_POWER_STATUS status = {};
    EXPECT_TRUE(::GetSystemPowerStatus(&status));
    return status.ACLineStatus;
}

// A simulated status the real power source does not report, so an answer
// from the wrong source shows.
BYTE OtherThanReal()
{
    return RealACLineStatus() == AC_LINE_OFFLINE ? AC_LINE_ONLINE : AC_LINE_OFFLINE;
}

class PowerSeamTest : public SimTest {};

TEST_F(PowerSeamTest, WithTheSwitchOnTheSimulatedSourceAnswersEveryCall)
{
    ScopedSwitch on(SIM_DLL_NAME);
    ASSERT_TRUE(on.Set());
    for (BYTE status : { AC_LINE_OFFLINE, AC_LINE_ONLINE, AC_LINE_UNKNOWN, AC_LINE_OFFLINE }) {
        ASSERT_TRUE(SimSetACLineStatus(status));
        SYSTEM_POWER_STATUS answer = {};
        ASSERT_TRUE(power::GetSystemPowerStatus(&answer));
        EXPECT_EQ(DWORD(status), DWORD(answer.ACLineStatus));
    }
    ASSERT_TRUE(SimSetACLineStatus(AC_LINE_UNKNOWN));
    EXPECT_EQ(DWORD(AC_LINE_UNKNOWN), ProbedACLineStatus());
}

// Without the switch, and with a switch that names a DLL that cannot be
// loaded, a process gets the system's answer.
TEST_F(PowerSeamTest, WithoutALoadableSimulatedAdapterTheSystemAnswers)
{
    ASSERT_TRUE(SimSetACLineStatus(OtherThanReal()));
    for (const char* dll : { static_cast<const char*>(nullptr), "VQXNONE.DLL" }) {
        const char* setting = dll ? dll : "switch off";
        ScopedSwitch scoped(dll);
        ASSERT_TRUE(scoped.Set()) << setting;
        const DWORD probed = ProbedACLineStatus();
        ASSERT_NE(kPowerProbeFailed, probed) << setting;
        EXPECT_EQ(RealACLineStatus(), probed) << setting;
    }
}

} // namespace
