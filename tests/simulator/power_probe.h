// power_probe.exe asks power::GetSystemPowerStatus once, as the tray
// program would, and exits with the AC line status it got, or with
// kPowerProbeFailed when the call failed.
#pragma once

constexpr unsigned long kPowerProbeFailed = 1000;
