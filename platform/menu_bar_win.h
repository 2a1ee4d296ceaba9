// The soft-key menu bar of the handheld shell, rebuilt as an ordinary child
// window: a strip at the bottom of its parent with two buttons.  The first
// opens the first popup of the menu resource, the second the second popup;
// a chosen command reaches the parent as WM_COMMAND.  Being a window, it is
// disabled with EnableWindow like any control, and its buttons with it.
#pragma once
#include <windows.h>

// Class of the bar window.
extern const wchar_t kMenuBarClass[];  // "KRMENUBAR"

// Creates the bar from menu resource `menuId` (captions of its two buttons
// from string table entries 40002 and 40020) along the bottom of `parent`
// (MenuBarBox, platform/menu_bar.h); the parent moves it there again as its
// size changes.
HWND MenuBarCreate(HWND parent, HINSTANCE instance, int menuId, int displayScale);
// Opens popup `index` (0 first, 1 second) as its button does: the soft keys.
void MenuBarOpenPopup(HWND bar, int index);
// WM_SETFONT sent to the bar sets the font of its buttons.
