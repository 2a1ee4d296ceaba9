#pragma once
#include <windows.h>

// The list box that ResultListClear/ResultListAdd work on.
void ResultListAttach(HWND listBox);
