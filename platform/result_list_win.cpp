#include "platform/result_list_win.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <numeric>
#include <vector>

#include "platform/result_list.h"
#include "platform/utf.h"

namespace {

HWND g_listBox = nullptr;
// The lines added since the list box was last filled.  A sorted list box
// that takes lines one at a time repaints itself and its scroll bar for each
// and, to sort one in, compares it with the system's locale-aware comparison
// and moves every line after it: on a search of a hundred thousand hits that
// took minutes.  Held here, they go in at once, in their order, at the end.
std::vector<std::u16string> g_pending;

// The system's sort key of each pending line under the list box's own
// comparison: comparing two keys byte by byte orders the lines as comparing
// the lines does.  False when the system gives no key for one.
bool SortKeys(LCID locale, std::vector<std::vector<unsigned char>>* keys) {
  keys->reserve(g_pending.size());
  for (const std::u16string& line : g_pending) {
    const DWORD flags = LCMAP_SORTKEY | NORM_IGNORECASE;
    int bytes = LCMapStringW(locale, flags, AsWide(line), -1, nullptr, 0);
    if (bytes <= 0) return false;
    std::vector<unsigned char> key(static_cast<std::size_t>(bytes));
    // A sort key is bytes, though the call's output is typed as text.
    if (LCMapStringW(locale, flags, AsWide(line), -1, reinterpret_cast<LPWSTR>(key.data()), bytes) != bytes)
      return false;
    keys->push_back(std::move(key));
  }
  return true;
}

// The list box's own comparison of two pending lines (its locale, case
// ignored): CSTR_LESS_THAN, CSTR_EQUAL or CSTR_GREATER_THAN.
int CompareLines(LCID locale, std::size_t a, std::size_t b) {
  return CompareStringW(locale, NORM_IGNORECASE, AsWide(g_pending[a]), -1, AsWide(g_pending[b]), -1);
}

// The pending lines' indices in the list box's order.  Lines the comparison
// calls equal though they differ (in case, or in marks it passes over such as
// ー and 々) go in the reverse of the order they came: the list box puts a
// line before the equal one it finds.  Sorting by keys costs one key a line
// and a comparison of each line with the next; sorting by the comparison,
// called a few million times for a large search, took seconds more.
std::vector<std::size_t> ListBoxOrder(LCID locale) {
  const std::size_t n = g_pending.size();
  std::vector<std::size_t> order(n);
  std::iota(order.begin(), order.end(), std::size_t{0});
  std::vector<std::vector<unsigned char>> keys;
  if (SortKeys(locale, &keys)) {
    std::sort(order.begin(), order.end(),
              [&](std::size_t a, std::size_t b) { return keys[a] < keys[b] || (keys[a] == keys[b] && a > b); });
    // Runs of lines the comparison calls equal, later first.
    bool agree = true;
    for (std::size_t first = 0, last = 0; agree && first < n; first = last) {
      for (last = first + 1; last < n; ++last) {
        const int compared = CompareLines(locale, order[last - 1], order[last]);
        agree = compared != CSTR_GREATER_THAN;
        if (compared != CSTR_EQUAL) break;
      }
      std::sort(order.begin() + static_cast<std::ptrdiff_t>(first), order.begin() + static_cast<std::ptrdiff_t>(last),
                std::greater<>());
    }
    if (agree) return order;
  }
  // No keys, or keys that order two lines otherwise than the comparison.
  std::sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
    const int compared = CompareLines(locale, a, b);
    return compared == CSTR_LESS_THAN || (compared == CSTR_EQUAL && a > b);
  });
  return order;
}

// The pending lines into the list box.  Into an empty list box they go in
// its order, each appended.  Into a list box that holds lines already
// (nothing the program does leads there: every search empties the list
// first) the list box sorts each line in itself.
void FillListBox() {
  const std::size_t n = g_pending.size();
  const bool append = SendMessageW(g_listBox, LB_GETCOUNT, 0, 0) == 0;
  std::vector<std::size_t> order;
  if (append) {
    order = ListBoxOrder(static_cast<LCID>(SendMessageW(g_listBox, LB_GETLOCALE, 0, 0)));
  } else {
    order.resize(n);
    std::iota(order.begin(), order.end(), std::size_t{0});
  }

  std::size_t units = 0;
  for (const std::u16string& line : g_pending) units += line.size() + 1;
  SendMessageW(g_listBox, WM_SETREDRAW, FALSE, 0);
  SendMessageW(g_listBox, LB_INITSTORAGE, n, static_cast<LPARAM>(units * sizeof(char16_t)));
  for (std::size_t i : order) {
    if (append) {
      SendMessageW(g_listBox, LB_INSERTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(AsWide(g_pending[i])));
    } else {
      SendMessageW(g_listBox, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(AsWide(g_pending[i])));
    }
  }
  SendMessageW(g_listBox, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(g_listBox, nullptr, TRUE);
}

}  // namespace

void ResultListAttach(HWND listBox) { g_listBox = listBox; }

void ResultListClear() {
  g_pending.clear();
  SendMessageW(g_listBox, LB_RESETCONTENT, 0, 0);
}

void ResultListAdd(const std::u16string& line) { g_pending.push_back(line); }

void ResultListShow() {
  if (g_pending.empty()) return;
  FillListBox();
  std::vector<std::u16string>().swap(g_pending);  // a large search's lines are not kept twice
}

int ResultListCount() {
  ResultListShow();
  return static_cast<int>(SendMessageW(g_listBox, LB_GETCOUNT, 0, 0));
}

std::vector<std::u16string> ResultListLines() {
  std::vector<std::u16string> lines;
  int n = ResultListCount();
  for (int i = 0; i < n; ++i) {
    LRESULT len = SendMessageW(g_listBox, LB_GETTEXTLEN, i, 0);
    if (len < 0) continue;
    std::u16string text(static_cast<std::size_t>(len) + 1, u'\0');
    SendMessageW(g_listBox, LB_GETTEXT, i, reinterpret_cast<LPARAM>(&text[0]));
    text.resize(static_cast<std::size_t>(len));
    lines.push_back(text);
  }
  return lines;
}
