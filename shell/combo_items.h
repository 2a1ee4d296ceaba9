// What the search-mode and the category combo boxes list, in their order.
#pragma once
#include <string>
#include <vector>

// The search modes in index order (the index is the search mode); the
// QLCode mode only when a QLCode database was found.
std::vector<std::u16string> SearchModeItems(const std::u16string& qlcodePath);
// The categories of the QLCode database's version: its own seven for
// version 2, the ten of version 1 for every other version, none included.
std::vector<std::u16string> CategoryItems(int qlcodeVersion);
