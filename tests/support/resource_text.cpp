#include "resource_text.h"

#include <gtest/gtest.h>

#include "text.h"

namespace testsupport {

std::string ResourceString(UINT id)
{
    HMODULE resources = GetModuleHandleA("VQXRES.DLL");
    if (!resources) {
        ADD_FAILURE() << "VQXRES.DLL is not loaded";
        return std::string();
    }
    const std::string text = AfxLoadString(id, resources);
    if (text.empty())
        ADD_FAILURE() << "VQXRES.DLL has no string " << id;
    return text;
}

std::string ResourceString(UINT id, int value)
{
    return FormatResource(id, value);
}

} // namespace testsupport
