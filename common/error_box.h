// The message box in which the tray program and the extension show an error
// that reached a window procedure's guard.
#pragma once

#include "framework.h"

// Shows the error's own text in a box captioned `caption` (the
// deliverable's name in capitals) and deletes it.  The box is shown from
// here rather than by the error object: an error of the service library
// would otherwise carry the service library's caption.
void ShowErrorBox(CException* e, const char* caption);
