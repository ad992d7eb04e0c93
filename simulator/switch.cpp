#include "switch.h"

#include "handles.h"  // the framework's owning wrappers
#include "module.h"
#include "scenario.h"

#include <string>

namespace vqxsim {
namespace {

std::string SwitchScenario()
{
    CRegKey key;
    std::string scenario;
    if (key.Open(HKEY_LOCAL_MACHINE, SIM_SWITCH_KEY) != ERROR_SUCCESS ||
        key.QueryString(SIM_SWITCH_SCENARIO_VALUE, scenario) != ERROR_SUCCESS)
        return std::string();
    bool absolute = scenario.size() > 2 && (scenario[1] == ':' || (scenario[0] == '\\' && scenario[1] == '\\'));
    if (!scenario.empty() && !absolute)
        scenario = ModuleFolder() + scenario;
    return scenario;
}

} // namespace

LONG StateFromSwitch(SimState& state)
{
    std::string scenario = SwitchScenario();
    LONG result = scenario.empty() ? 0 : ReadScenarioFile(scenario.c_str(), state);
    if (scenario.empty() || result != 0)
        DefaultScenario(state);
    return result;
}

} // namespace vqxsim

using namespace vqxsim;

extern "C" BOOL WINAPI SimInstallSwitch(LPCSTR dll, LPCSTR scenario)
{
    CRegKey key;
    if (!dll || key.Create(HKEY_LOCAL_MACHINE, SIM_SWITCH_KEY, KEY_WRITE) != ERROR_SUCCESS)
        return FALSE;
    if (key.SetString(SIM_SWITCH_ADAPTER_VALUE, dll) != ERROR_SUCCESS)
        return FALSE;
    if (scenario)
        return key.SetString(SIM_SWITCH_SCENARIO_VALUE, scenario) == ERROR_SUCCESS;
    LONG removed = key.DeleteValue(SIM_SWITCH_SCENARIO_VALUE);
    return removed == ERROR_SUCCESS || removed == ERROR_FILE_NOT_FOUND;
}

extern "C" BOOL WINAPI SimRemoveSwitch(void)
{
    LONG result = RegDeleteKeyA(HKEY_LOCAL_MACHINE, SIM_SWITCH_KEY);
    return result == ERROR_SUCCESS || result == ERROR_FILE_NOT_FOUND;
}
