// The main window and its controls: handles set while the window is created,
// fixed afterwards, read by every operation that works on the user interface.
#pragma once
#include <windows.h>

extern const wchar_t kMainWindowClass[];  // "KRSEARCH"

extern HINSTANCE g_instance;
extern HWND g_mainWindow;
extern HWND g_pointLabel;     // 1040: the reference point as read from the screen
extern HWND g_folderLabel;    // 1030: the map data folder
extern HWND g_searchEdit;     // 1010
extern HWND g_modeCombo;      // 1050: search mode 0 to 5
extern HWND g_categoryCombo;  // 1019: input in search mode 5
extern HWND g_searchButton;   // 1020
extern HWND g_resultList;     // 1000
extern HWND g_menuBar;
// The platform's wait cursor, loaded when the main window is created.
extern HCURSOR g_waitCursor;

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Creates the ten controls and fills both combo boxes.  Enter in the result list box reaches
// HandleMainWindowKey like every other key; the list box keeps its own
// procedure.
void CreateMainControls(HWND window);
// The font of the controls and the menu bar, sized for the display scale.
HFONT ControlFont();
// Takes a key meant for the main window or one of its controls when the
// window gives it a meaning of its own (shell/keyboard.h); false leaves the
// key to the message loop.
bool HandleMainWindowKey(const MSG& message);
// WM_COMMAND of the main window.
void OnMainCommand(int id, int code);
// Called every second by the main window's timer.
void OnScreenReaderTick();
