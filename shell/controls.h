// What the command rules read from and do to the main window's controls,
// known by their ids (resources/resource_ids.h).  The Windows side is
// controls_win.cpp and main_window_win.cpp; unit tests put a recording fake
// in its place.
#pragma once
#include <cstddef>
#include <string>

// The selected index of the search-mode combo box; -1 when none.
int ReadSearchMode();
// The text of a control, at most `capacity` - 1 characters.
std::u16string ReadControlText(int controlId, std::size_t capacity);
// The selected line of the result list box; false when none is selected.
bool ReadSelectedResultLine(std::u16string* line);
// True when a category is selected in the category combo box's list (not
// typed into its edit field).
bool CategoryPicked();
void FocusControl(int controlId);
// Shows `frontId` on top and hides `backId` under it; focuses `frontId`
// when `focus` is true.
void ShowInputInFront(int frontId, int backId, bool focus);
// Ends the program the way the platform destroying the window does.
void EndProgram();
