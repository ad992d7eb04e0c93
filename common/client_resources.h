// What the tray program and the extension hold for as long as they run, and
// give back in this order when they end: the resource library (the source
// of every text, template, picture and icon they show) and the hardware
// service of the service library.
#pragma once

#include <windows.h>

class CHardware;

// The library's name, loaded by the system's search order.
constexpr char kResourceLibraryFile[] = "VQXRES.DLL";

// Makes the module its own resource source again, frees `library` and
// clears it; nothing when it is null.
void FreeResourceLibrary(HMODULE& library);

// Returns `hardware` to the service library and clears it; nothing when it
// is null.
void ReturnHardwareService(CHardware*& hardware);
