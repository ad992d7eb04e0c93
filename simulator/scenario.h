// Scenario files: the INI description of adapters, display devices and
// faults from which the simulated state is built (format in vqxsim.h).
#pragma once

#include "vqxsim.h"

namespace vqxsim {

// Builds a complete state from scenario text; missing keys take their
// defaults, so empty text is the built-in default scenario.  Returns 0, or
// the number of the first line that cannot be used (state then undefined).
LONG ParseScenario(const char* text, SimState& state);

// The same for a file; -1 when it cannot be read.
LONG ReadScenarioFile(const char* path, SimState& state);

void DefaultScenario(SimState& state);

} // namespace vqxsim
