// The main window's commands that decide something; commands_win.cpp
// dispatches to them.
#pragma once

// After the search-mode list closes (even on the same mode): the term's
// input for the selected mode comes to the front with the focus.
void SwitchSearchMode();
// When the selection changes with the list closed (arrow keys, the wheel),
// and once when the controls are made: the term's input for the selected
// mode is the one shown, so that the search reads what is on the screen.
// The focus stays where it is, so the next key still changes the mode.
void ShowInputForSearchMode();
// Focuses the term's input of the selected mode.
void FocusSearchTerm();
// Shows the version and asks whether to end; Yes ends the program.
void AskVersionAndExit();
// The commands that hand over to the map application: a station preset,
// the start as is.  False for any other id.
bool StartMapApplicationCommand(int id);
