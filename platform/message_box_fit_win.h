// Message boxes that fit the screen they are on (message_box_fit.h): the
// system's message box, reshaped as it first comes to the front.
#pragma once
#include <windows.h>

// MessageBoxW, its box moved inside the work area of its screen and, where
// it is wider than that, narrowed with its text wrapped.  With `overOwner`
// the box is centred on `owner` first rather than where the system put it.
int ShowFittedMessageBox(HWND owner, const wchar_t* text, const wchar_t* title, UINT type, bool overOwner);
