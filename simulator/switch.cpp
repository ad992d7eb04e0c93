#include "switch.h"

#include "handles.h"
#include "module.h"
#include "scenario.h"

#include <string>

namespace vqxsim {
namespace {

std::string SwitchScenario()
{
    RegistryKey key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, SIM_SWITCH_KEY, 0, KEY_READ, key.Receive()) != ERROR_SUCCESS)
        return std::string();
    char path[MAX_PATH] = "";
    DWORD size = sizeof(path) - 1;
    DWORD type = 0;
    if (RegQueryValueExA(key.Get(), SIM_SWITCH_SCENARIO_VALUE, nullptr, &type,
                         reinterpret_cast<BYTE*>(path), &size) != ERROR_SUCCESS || type != REG_SZ)
        return std::string();
    std::string scenario(path);
    bool absolute = scenario.size() > 2 && (scenario[1] == ':' || (scenario[0] == '\\' && scenario[1] == '\\'));
    if (!scenario.empty() && !absolute)
        scenario = ModuleFolder() + scenario;
    return scenario;
}

bool SetString(HKEY key, const char* name, const char* value)
{
    return RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value),
                          lstrlenA(value) + 1) == ERROR_SUCCESS;
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
    RegistryKey key;
    if (!dll || RegCreateKeyExA(HKEY_LOCAL_MACHINE, SIM_SWITCH_KEY, 0, nullptr, REG_OPTION_NON_VOLATILE,
                                KEY_WRITE, nullptr, key.Receive(), nullptr) != ERROR_SUCCESS)
        return FALSE;
    if (!SetString(key.Get(), SIM_SWITCH_ADAPTER_VALUE, dll))
        return FALSE;
    if (scenario)
        return SetString(key.Get(), SIM_SWITCH_SCENARIO_VALUE, scenario);
    LONG removed = RegDeleteValueA(key.Get(), SIM_SWITCH_SCENARIO_VALUE);
    return removed == ERROR_SUCCESS || removed == ERROR_FILE_NOT_FOUND;
}

extern "C" BOOL WINAPI SimRemoveSwitch(void)
{
    LONG result = RegDeleteKeyA(HKEY_LOCAL_MACHINE, SIM_SWITCH_KEY);
    return result == ERROR_SUCCESS || result == ERROR_FILE_NOT_FOUND;
}
