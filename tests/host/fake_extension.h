// The fake property-sheet extension (host_fake_extension.dll) that the host
// tests register with the Display control panel: an in-process COM server
// with a class id of its own whose object records the device name it was
// initialised with and adds one page, which shows that name.  It counts its
// live objects (class factory references, extension objects, pages) and
// answers DllCanUnloadNow from that count, and counts the pages it created
// and the pages released back to it; the test reads these through exports.
//
// A handler entry can make its object misbehave: the string value
// kFakeBehaviourValue of the handler's key (the key Initialize receives)
// names one of the behaviours below.
#pragma once

#include <windows.h>

#include "fake_extension_resource.h"

constexpr char kFakeExtensionFile[] = "host_fake_extension.dll";
constexpr char kFakeExtensionClassId[] = "{5E0B7A64-2C1D-4F3A-9B8E-7D6C5A4B3F21}";
constexpr char kFakeHandlerName[] = "HostTestFakeExtension";

// The value of a handler's key that picks a misbehaviour, and its choices.
constexpr char kFakeBehaviourValue[] = "FakeBehaviour";
constexpr char kFakeFailInitialize[] = "FailInitialize";      // E_FAIL from Initialize
constexpr char kFakeThrowInInitialize[] = "ThrowInInitialize";  // a C++ exception from Initialize
constexpr char kFakeThrowInAddPages[] = "ThrowInAddPages";    // throws before adding a page
constexpr char kFakeAddThenFail[] = "AddThenFail";            // adds its page, then returns E_FAIL
constexpr char kFakeAddThenThrow[] = "AddThenThrow";          // adds its page, then throws

// Live objects of the library now.
constexpr char kFakeObjectCountExport[] = "FakeExtensionObjectCount";
using FakeObjectCountFn = LONG(WINAPI*)();
// The device name the last IShellExtInit::Initialize received (L"" before,
// or when the data object gave none); copies at most `capacity` characters
// with the terminator.
constexpr char kFakeDeviceNameExport[] = "FakeExtensionDeviceName";
using FakeDeviceNameFn = void(WINAPI*)(wchar_t* name, int capacity);
// How many pages the library created (CreatePropertySheetPageA succeeded)
// and how many came back to it (PSPCB_RELEASE), since it was loaded.
constexpr char kFakePageCountsExport[] = "FakeExtensionPageCounts";
using FakePageCountsFn = void(WINAPI*)(LONG* created, LONG* released);
