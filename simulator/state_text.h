// A readable dump of the simulated state, for vqxsimctl and test failures.
#pragma once

#include "vqxsim.h"

#include <string>

namespace vqxsim {

std::string StateText(const SimState& state);

} // namespace vqxsim
