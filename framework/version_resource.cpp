// Apart from module_files.cpp: only a module that reads version resources
// of files imports VERSION.DLL (the service library, loaded into every
// process that runs the hot-key hook, does not).
#include "module_files.h"

std::vector<char> ReadVersionResource(const char* file)
{
    DWORD handle = 0;
    const DWORD size = GetFileVersionInfoSizeA(file, &handle);
    std::vector<char> data(size);
    if (size == 0 || !GetFileVersionInfoA(file, 0, size, data.data()))
        data.clear();
    return data;
}
