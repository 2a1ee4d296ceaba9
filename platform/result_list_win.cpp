#include "platform/result_list_win.h"

#include "platform/result_list.h"

namespace {
HWND g_listBox = nullptr;
}

void ResultListAttach(HWND listBox) { g_listBox = listBox; }

void ResultListClear() { SendMessageW(g_listBox, LB_RESETCONTENT, 0, 0); }

void ResultListAdd(const std::u16string& line) {
  SendMessageW(g_listBox, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
}

int ResultListCount() { return static_cast<int>(SendMessageW(g_listBox, LB_GETCOUNT, 0, 0)); }

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
