#include <iterator>
#include <set>

#include "platform/result_list.h"

namespace {
// Kept in the list box's order as lines arrive: a sorted tree, so that a
// line goes in without moving the hundreds already there.
struct LineOrder {
  bool operator()(const std::u16string& a, const std::u16string& b) const { return ResultLineBefore(a, b); }
};
std::multiset<std::u16string, LineOrder> g_lines;
}  // namespace

void ResultListClear() { g_lines.clear(); }

// A line equal to earlier ones goes after them, as a sorted list box inserts
// (a multiset puts an element after those equivalent to it).
void ResultListAdd(const std::u16string& line) { g_lines.insert(line); }

// Every line is in its place as it arrives.
void ResultListShow() {}

int ResultListCount() { return static_cast<int>(g_lines.size()); }

std::vector<std::u16string> ResultListLines() { return {g_lines.begin(), g_lines.end()}; }
