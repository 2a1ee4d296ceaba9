#include <algorithm>

#include "platform/result_list.h"

namespace {
std::vector<std::u16string> g_lines;
}

void ResultListClear() { g_lines.clear(); }

void ResultListAdd(const std::u16string& line) {
  // A line equal to earlier ones goes after them, as a sorted list box inserts.
  auto at = std::upper_bound(g_lines.begin(), g_lines.end(), line, ResultLineBefore);
  g_lines.insert(at, line);
}

int ResultListCount() { return static_cast<int>(g_lines.size()); }

std::vector<std::u16string> ResultListLines() { return g_lines; }
