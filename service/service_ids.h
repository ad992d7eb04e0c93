// Service ids of GetServerInterface / ReleaseServerInterface, and the
// library's two exports.
#pragma once

#include <windows.h>

class CObject;

enum ServiceId : UINT {
    kServiceOS = 0,          // COSService: settings and operating system
    kServiceHardware = 1,    // CHardware: adapter, displays, driver
    kServiceDualApp = 2,     // CDualApp
    kServiceNone = 3,        // always refused
    kServiceDualView = 4,    // CDualView
    kServiceRotation = 5,    // CRotation
    kServiceHotkey = 6,      // CHotkey
    kServiceDualMonitor = 7, // CDualMonitor
};

#ifdef VQXAPI_BUILD
#define VQXAPI_EXPORT
#else
#define VQXAPI_EXPORT __declspec(dllimport)
#endif

extern "C" {
// The process's service object for `id`, created on first request, with one
// more reference; null for id 3 and ids above 7.
VQXAPI_EXPORT CObject* GetServerInterface(UINT id);
// Returns a reference by the object pointer (the id only filters refused
// ids): 1 when the object was registered, else 0.
VQXAPI_EXPORT int ReleaseServerInterface(UINT id, CObject* object);
}
