// Loads VQXPage.dll from its own folder as a host of the extension would;
// exit code 0 when the library loaded, 1 when it did not.
#include <windows.h>

int main()
{
    return LoadLibraryA("VQXPage.dll") ? 0 : 1;
}
