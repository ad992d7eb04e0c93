// The side of the machine-wide switch (vqxsim.h) that the system's own
// modules use: finding and loading the simulated adapter's DLL.
#pragma once

#include <windows.h>

#include "handles.h"  // the framework's owning wrappers

namespace vqxsim {

// The DLL named by the switch's "Adapter" value, loaded from the folder of
// `besides` (the module that reads the switch) and, when it is not there,
// by name along the usual search path.  Empty when the switch is off or the
// DLL cannot be loaded.
CModule LoadSwitchedAdapter(HMODULE besides);

} // namespace vqxsim
