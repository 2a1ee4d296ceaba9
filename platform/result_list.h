// The result list: the one list every search fills.  On Windows these are the
// messages of the sorted result list box; natively a list kept in the order
// the sorted list box keeps its lines.
#pragma once
#include <string>
#include <vector>

void ResultListClear();
// Adds a line; the list sorts it in.
void ResultListAdd(const std::u16string& line);
int ResultListCount();
// All lines in display order (for the command-line tool and tests).
std::vector<std::u16string> ResultListLines();

// The order the sorted list box keeps: case-insensitive, per UTF-16 unit.
bool ResultLineBefore(const std::u16string& a, const std::u16string& b);
