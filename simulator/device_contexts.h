// This process's device contexts on simulated display devices: each is a
// real memory DC, remembered with the name of the device it stands for.
#pragma once

#include <windows.h>

#include <string>

namespace vqxsim {

void RememberDeviceContext(HDC dc, const char* deviceName);
void ForgetDeviceContext(HDC dc);
// The device name of a simulated DC; false for any other DC.
bool DeviceOfContext(HDC dc, std::string& deviceName);

} // namespace vqxsim
