// GoogleTest's entry point for tests under Wine: the common controls are
// registered first, as every program of the system does.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    INITCOMMONCONTROLSEX icc = { sizeof(icc), ICC_WIN95_CLASSES };
    InitCommonControlsEx(&icc);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
