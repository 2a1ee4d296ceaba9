// What the handheld's shell does for a program's top-level window and a
// desktop does not: give it the whole work area.
#pragma once
#include <windows.h>

// The work area of the primary screen; the whole screen where it cannot be read.
RECT ShellWorkArea();
// Moves and sizes `window` to `area`, its frame measured again.
void FitToArea(HWND window, const RECT& area);
void FitToWorkArea(HWND window);
