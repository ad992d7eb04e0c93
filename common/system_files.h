// What the tray program and the extension need before they can start: the
// resource library found beside them, and it and the service library of
// their own version.  Texts and layouts of another version cannot be
// trusted (the service library's operations, the resource library's format
// strings), so a client of another version does not start and says why in
// plain words: the resource library that would hold the words is the thing
// in doubt.
#pragma once

#include <windows.h>

#include <string>

#include "handles.h"
#include "resource_library.h"

// The service library's file name (the resource library's is in
// resource_library.h).
constexpr char kServiceLibraryFile[] = "VQXAPI.dll";

// Loads the resource library beside `client` (else by the system's search)
// into `library` and checks it and the service library against `client`'s
// own version.  "" when the client may start, else the reason it may not,
// for the one box the client shows.
std::string LoadSystemFiles(HMODULE client, CModule& library);

// The reason a client cannot start when the service library refuses its
// services (it refuses them without a resource library of its version).
std::string ServiceLibraryUnavailable();
