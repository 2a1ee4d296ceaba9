// Full-screen dialogs the way a Windows Mobile device shows them, on a
// desktop Windows (or Wine) that has no such shell.
//
// On the device the shell stretches the dialog over the screen and puts a
// "done" button into the title bar above it; tapping it has the same effect
// as the dialog's OK button.  Here the dialog gets the same from a small
// layer of our own:
//   - the dialog is moved to cover the work area, and again whenever the
//     display or the work area changes (a device turned between portrait and
//     landscape), so that the dialog sees a size change;
//   - the top of the dialog's frame becomes a thin title bar drawn by this
//     layer, showing the dialog's title (or its owner's, when the dialog has
//     none) and, with kFullScreenDoneButton, a small "OK" button at its right
//     end.  Clicking that button sends WM_COMMAND with IDOK to the dialog.
//     The bar lies outside the client area, so the dialog's controls keep
//     their positions in client coordinates.
// Desktop windows have no software input panel, so kFullScreenLowerInputPanel
// asks for nothing here.  The dialog's close box is not involved: the dialog
// has none, and nothing else is turned into OK.
// The bar's geometry and the done button's states are in fullscreen_dialog.h.
#pragma once
#include <windows.h>

#include "platform/fullscreen_dialog.h"

// Call while handling WM_INITDIALOG.  The layer removes itself when the
// dialog is destroyed.
void InitFullScreenDialog(HWND dialog, DWORD flags);
