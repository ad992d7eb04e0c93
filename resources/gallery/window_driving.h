// Finding and driving the windows the gallery photographs, its own or
// another process's:
//
//   ForEachShownWindow each visible top-level window of a class
//   FindShownWindow    the first visible top-level window of a class
//   ShownWindowsRect   where all of them are (a tracked menu is one "#32768"
//                      window per open level)
//   PressKey           a key pressed and released as the user would, into
//                      whatever has the keyboard
#pragma once

#include <windows.h>

#include <functional>

namespace gallery {

constexpr char kMenuWindowClass[] = "#32768";
constexpr char kDialogWindowClass[] = "#32770";

// Calls `visit` with each visible top-level window of class `className` of
// process `processId`, topmost first.
void ForEachShownWindow(DWORD processId, const char* className, const std::function<void(HWND)>& visit);

// The first visible top-level window of class `className` of process
// `processId`, or null.
HWND FindShownWindow(DWORD processId, const char* className);

// The union of the visible top-level windows of class `className` of
// process `processId` (screen coordinates); empty when none is shown.
RECT ShownWindowsRect(DWORD processId, const char* className);

void PressKey(BYTE key);

}  // namespace gallery
