// What pages_tray_version_probe.exe answers with its exit code.
#pragma once

constexpr int kTrayVersionEmpty = 0;
constexpr int kTrayVersionShown = 1;
constexpr int kProbeFailed = 2;

constexpr char kTrayVersionProbe[] = "pages_tray_version_probe.exe";
