// The simulated display driver: answers escape 0x7300 (protocol in vqxsim.h)
// from and into the shared state.
#pragma once

#include "vqxsim.h"

namespace vqxsim {

// Answers one request sent on a DC of device `device`.  Returns the status
// written to reply word 0, or SIM_NO_ANSWER, in which case the reply is left
// untouched (another vendor's device, or an injected fault).
DWORD AnswerEscape(SimState& state, DWORD device, const DWORD* request, DWORD* reply);

// Size of an LCD panel by its id; false for ids the driver does not know.
bool PanelSize(DWORD panelId, DWORD& width, DWORD& height);

} // namespace vqxsim
