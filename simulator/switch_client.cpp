#include "switch_client.h"

#include "vqxsim.h"

#include <string>

namespace vqxsim {

CModule LoadSwitchedAdapter(HMODULE besides)
{
    CRegKey key;
    std::string dll;
    if (key.Open(HKEY_LOCAL_MACHINE, SIM_SWITCH_KEY) != ERROR_SUCCESS ||
        key.QueryString(SIM_SWITCH_ADAPTER_VALUE, dll) != ERROR_SUCCESS || dll.empty())
        return CModule();
    char path[MAX_PATH] = "";
    GetModuleFileNameA(besides, path, sizeof(path));
    std::string folder = path;
    folder.erase(folder.find_last_of("\\/") + 1);
    if (HMODULE module = LoadLibraryA((folder + dll).c_str()))
        return CModule(module);
    return CModule(LoadLibraryA(dll.c_str()));
}

} // namespace vqxsim
