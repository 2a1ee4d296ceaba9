#pragma once
#include <windows.h>

// The main window that message boxes (message_box.h) belong to, and the
// program's title, which they bear unless told another.
void MessageBoxAttach(HWND mainWindow, const wchar_t* programTitle);

// Whether a box is centred on the window that owns it (kept inside the work
// area) rather than placed where the system puts it: the framed window on a
// screen larger than a device's asks for it.
void MessageBoxesOverOwner(bool over);
