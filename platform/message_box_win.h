#pragma once
#include <windows.h>

// The main window that message boxes (message_box.h) belong to, and the
// program's title, which they bear unless told another.
void MessageBoxAttach(HWND mainWindow, const wchar_t* programTitle);
