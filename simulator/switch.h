// The machine-wide switch that selects the simulated adapter (vqxsim.h).
#pragma once

#include "vqxsim.h"

namespace vqxsim {

// Fills a state as a newly created one: from the switch's scenario file, or
// the built-in default when there is none or it cannot be used.  Returns the
// scenario file's result (0 also for the built-in default).
LONG StateFromSwitch(SimState& state);

} // namespace vqxsim
