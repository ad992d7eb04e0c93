// The system's own files are found next to the module that needs them, not
// through the current folder: the Display control panel and the shell start
// programs from wherever they happen to be.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// The folder of `module` with a trailing backslash; "" when it cannot be had.
std::string ModuleFolder(HMODULE module);

// The full path of `file` in the folder of `module` when it is there, else
// `file` itself (which the system then looks for by its own search order).
std::string FileBesideModule(HMODULE module, const char* file);

// Loads `file` from the folder of `module`, and only when it is not there by
// the system's search order.
HMODULE LoadLibraryBesideModule(HMODULE module, const char* file);

// The version resource of `file` (found as the system finds libraries when
// the name has no folder), for VerQueryValueA; empty when the file or its
// resource is missing.
std::vector<char> ReadVersionResource(const char* file);

// The four parts of the file version in the version resource of the loaded
// `module` (most significant first), read from its resources without
// loading any other library, so it may be used at any time.
bool ReadModuleVersion(HMODULE module, WORD parts[4]);
