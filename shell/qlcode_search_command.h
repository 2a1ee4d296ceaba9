// The QLCode search of the main window: the database found at start-up, and
// the category combo box's selection state deciding the radius.
#pragma once
#include <string>

int SearchQLCode(const std::u16string& term);
