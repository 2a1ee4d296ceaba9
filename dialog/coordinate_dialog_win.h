// The coordinate entry dialog (resource IDD_COORDINATES): the user types a
// longitude and latitude, as degrees, minutes, seconds and hundredths or
// directly in ms, in WGS84 or the Tokyo datum, and OK starts the map
// application there.  The dialog stays open after a start; only Cancel
// closes it.  Opened modally by the main window:
//   DialogBoxParamW(instance, MAKEINTRESOURCEW(IDD_COORDINATES), mainWindow, CoordinateDialogProc, 0)
#pragma once
#include <windows.h>

INT_PTR CALLBACK CoordinateDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Recomputes the ms field of one axis (0 longitude, 1 latitude) from its
// degrees, minutes, seconds and hundredths fields.  The field gets the value
// only when it lies within the Japan bounds of the axis; otherwise it keeps
// its text.  Returns the computed value (saturated to 32 bits).
int UpdateMillisecondsField(int axis);

// Puts OK and Cancel below the fields on a portrait screen and beside them on
// a landscape one, sized by the display scale.
void LayoutDialogButtons();
