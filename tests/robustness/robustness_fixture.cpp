#include "robustness_fixture.h"

std::unique_ptr<KeyTarget> Robustness::StartTarget()
{
    std::unique_ptr<KeyTarget> target(new KeyTarget(Program("hotkey_key_target.exe")));
    EXPECT_TRUE(target->Ready()) << "the application that receives the keys";
    return target;
}

std::unique_ptr<testsupport::Program> Robustness::StartHolder(const char* share)
{
    std::unique_ptr<testsupport::Program> holder(
        new testsupport::Program(Program("robustness_service_holder.exe") + " " + share));
    HWND window = holder->Started() ? holder->WaitForWindow("VQXServiceHolder") : nullptr;
    EXPECT_NE(nullptr, window) << "the holder of " << share;
    if (window) {
        EXPECT_EQ("ready", testsupport::WindowText(window)) << "the holder of " << share;
    }
    return holder;
}

bool Robustness::RunInFreshProcess(const std::string& name)
{
    testsupport::Program child("\"" + testsupport::ThisProgram() +
                               "\" --gtest_also_run_disabled_tests --gtest_filter=DISABLED_" + name);
    return child.Started() && child.Wait(30000) == 0;
}

int Robustness::HookBoxes()
{
    int boxes = 0;
    testsupport::WaitForWindow([&](HWND hwnd) {
        if (testsupport::ClassName(hwnd) == "#32770" && testsupport::WindowText(hwnd) == kHookBoxCaption)
            ++boxes;
        return false;
    }, 0);
    return boxes;
}
