// What the handheld's shell does for a program's top-level window and a
// desktop does not: give it the whole work area.
#pragma once
#include <windows.h>

void FitToWorkArea(HWND window);
