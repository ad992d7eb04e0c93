// The boxes in which the tray program speaks to the user: captioned with the
// program's name in capitals, so that the user knows who speaks.
#pragma once

#include <string>

#include "framework.h"

namespace tray {

constexpr char kTrayCaption[] = "VQXTRAY";

// `text` in a box with the OK button and no owner window.
void ShowTrayMessage(const std::string& text);

// The error's own text (a service error's message) in the same kind of
// box; deletes the error.
void ShowTrayError(CException* e);

} // namespace tray
