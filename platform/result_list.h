// The result list: the one list every search fills.  On Windows these are the
// messages of the sorted result list box; natively a list kept in the order
// the sorted list box keeps its lines.
#pragma once
#include <string>
#include <vector>

void ResultListClear();
// Adds a line; the list sorts it in.
void ResultListAdd(const std::u16string& line);
// Shows the lines added so far.  The list box may hold lines back until
// then, so that a search of many hits fills it at once; the search command
// calls this when a search ends, and the count and the lines below see every
// line added, shown or not.
void ResultListShow();
int ResultListCount();
// All lines in display order (for the command-line tool and tests).
std::vector<std::u16string> ResultListLines();

// The order the sorted list box keeps: case-insensitive, per UTF-16 unit.
bool ResultLineBefore(const std::u16string& a, const std::u16string& b);
