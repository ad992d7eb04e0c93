// The fake property-sheet extension (host_fake_extension.dll) that the host
// tests register with the Display control panel: an in-process COM server
// with a class id of its own whose object records the device name it was
// initialised with and adds one page, which shows that name.  It counts its live objects (class
// factory references, extension objects, pages) and answers DllCanUnloadNow
// from that count; the test reads the record through two exports.
#pragma once

#include <windows.h>

#include "fake_extension_resource.h"

constexpr char kFakeExtensionFile[] = "host_fake_extension.dll";
constexpr char kFakeExtensionClassId[] = "{5E0B7A64-2C1D-4F3A-9B8E-7D6C5A4B3F21}";
constexpr char kFakeHandlerName[] = "HostTestFakeExtension";


// Live objects of the library now.
constexpr char kFakeObjectCountExport[] = "FakeExtensionObjectCount";
using FakeObjectCountFn = LONG(WINAPI*)();
// The device name the last IShellExtInit::Initialize received (L"" before,
// or when the data object gave none); copies at most `capacity` characters
// with the terminator.
constexpr char kFakeDeviceNameExport[] = "FakeExtensionDeviceName";
using FakeDeviceNameFn = void(WINAPI*)(wchar_t* name, int capacity);
