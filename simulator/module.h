// The DLL's own module handle, recorded when it is loaded.
#pragma once

#include <windows.h>

#include <string>

namespace vqxsim {

HINSTANCE ThisModule();
// The folder of VQXSIM.DLL, with a trailing backslash.
std::string ModuleFolder();

} // namespace vqxsim
