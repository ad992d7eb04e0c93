// COptionalUser32Function: a function of USER32.DLL that not every supported
// Windows has (EnumDisplayDevicesA, ChangeDisplaySettingsExA), loaded through
// the settings service and handed out as the display seam substitutes it.
// USER32.DLL stays loaded while the object lives.
#pragma once

#include <windows.h>

#include "display_seam.h"
#include "framework.h"
#include "os_service.h"

template <class Function>
class COptionalUser32Function {
public:
    using Substitute = Function (*)(Function resolved);

    COptionalUser32Function(COSService& settings, const char* name, Substitute substitute)
    {
        HMODULE user32 = nullptr;
        FARPROC found = nullptr;
        if (!settings.LoadLibraryFunctions(&user32, "USER32.DLL", 1, &found, name))
            found = nullptr;
        m_user32.Reset(user32);
        m_function = substitute(FunctionCast<Function>(found));
    }

    // Null where the system lacks the function.
    Function Get() const { return m_function; }

private:
    CModule m_user32;
    Function m_function = nullptr;
};

inline COptionalUser32Function<display::EnumDisplayDevicesFunction> OptionalEnumDisplayDevices(COSService& settings)
{
    return { settings, "EnumDisplayDevicesA", &display::SubstituteEnumDisplayDevices };
}

inline COptionalUser32Function<display::ChangeDisplaySettingsExFunction> OptionalChangeDisplaySettingsEx(
    COSService& settings)
{
    return { settings, "ChangeDisplaySettingsExA", &display::SubstituteChangeDisplaySettingsEx };
}
