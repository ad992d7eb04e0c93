#include "module.h"

namespace vqxsim {
namespace {
HINSTANCE g_module = nullptr;
}

HINSTANCE ThisModule()
{
    return g_module;
}

std::string ModuleFolder()
{
    char path[MAX_PATH] = "";
    GetModuleFileNameA(g_module, path, MAX_PATH);
    std::string folder(path);
    size_t slash = folder.find_last_of("\\/");
    return slash == std::string::npos ? std::string() : folder.substr(0, slash + 1);
}

} // namespace vqxsim

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH) {
        vqxsim::g_module = instance;
        DisableThreadLibraryCalls(instance);
    }
    return TRUE;
}
