// What the tray program and the extension hold for as long as they run, and
// give back in this order when they end: the resource library (the source
// of every text, template, picture and icon they show) and the hardware
// service of the service library.
#pragma once

#include <windows.h>

#include "handles.h"
#include "system_files.h"

// Makes the module its own resource source again and frees `library`;
// nothing when it is not loaded.
void FreeResourceLibrary(CModule& library);
