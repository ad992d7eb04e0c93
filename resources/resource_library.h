// The resource library's file name: the service library, the tray program
// and the extension each load it by this name, beside themselves first.
#pragma once

constexpr char kResourceLibraryFile[] = "VQXRES.DLL";
