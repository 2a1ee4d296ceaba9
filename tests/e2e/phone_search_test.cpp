// The phone-number search in this process, with the real WinInet, files and
// list box, against an answer server run by a thread of the test.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "maplink/reference_point.h"
#include "platform/codepage.h"
#include "platform/connection_manager_win.h"
#include "platform/result_list.h"
#include "platform/result_list_win.h"
#include "platform/utf.h"
#include "search/phone_search.h"
#include "tests/e2e/answer_server_support.h"
#include "tests/e2e/e2e_support.h"
#include "tools/answer_writer/answer_writer.h"

namespace {

// Message boxes of this thread, answered with OK as soon as they are up.
struct SeenBox {
  std::wstring title, text;
  HWND owner;
};
std::vector<SeenBox> g_seenBoxes;
HHOOK g_hook = nullptr;

LRESULT CALLBACK AnswerMessageBoxes(int code, WPARAM wParam, LPARAM lParam) {
  HWND w = reinterpret_cast<HWND>(wParam);
  if (code == HCBT_ACTIVATE && ClassNameOf(w) == L"#32770") {
    g_seenBoxes.push_back({WindowText(w), WindowText(GetDlgItem(w, 0xFFFF)), GetWindow(w, GW_OWNER)});
    PostMessageW(w, WM_COMMAND, IDOK, 0);
  }
  return CallNextHookEx(g_hook, code, wParam, lParam);
}

const wchar_t kCacheFile[] = L"\\htmbuff.txt";
const std::vector<std::wstring> kOldLines = {L"   1km,前回, ,503000000,128000000, ",
                                             L"   2km,前々回, ,503000001,128000000, "};
const wchar_t kNoConnection[] = L"12029\nインターネットに接続できませんでした";

// Each way a search can end: the list filled, emptied or kept, a message or
// none, the cache deleted or left.
TEST(PhoneSearch, EachOutcomeSetsListMessageAndCache) {
  enum Server { kNone, kWhole, kBreakOff };
  const struct {
    const char* name;
    Server server;
    std::string body;
    ConnectionSimulation network;
    bool cacheBlocked;  // a folder where the cache file should go
    int found;
    int connectionRequests;
    std::vector<std::wstring> lines;  // the list afterwards
    const wchar_t* message;           // null: none
    bool cacheLeft;
  } cases[] = {
      {"fetched", kWhole,
       BuildAnswerPage({{"35.6895", "139.6917", WideToCodePage932(u"新宿")},
                        {"34.702485", "135.495951", WideToCodePage932(u"大阪駅")}}),
       ConnectionSimulation::Connects, false, 2, 1,
       {L"  14km,新宿, ,502901653,128470591, ", L" 384km,大阪駅, ,487795538,124917221, "}, nullptr, false},
      // A URL the connection manager cannot map is fetched without it.
      {"URL not mapped", kWhole, BuildAnswerPage({{"35.6895", "139.6917", "A"}}), ConnectionSimulation::RefusesUrl,
       false, 1, 0, {L"  14km,A, ,502901653,128470591, "}, nullptr, false},
      {"answer without titles", kWhole, "<html>該当なし</html>", ConnectionSimulation::Connects, false, 0, 1, {},
       nullptr, false},
      {"server down", kNone, "", ConnectionSimulation::Connects, false, -1, 1, kOldLines, kNoConnection, false},
      {"network never comes up", kWhole, "<html></html>", ConnectionSimulation::NeverConnects, false, -1,
       kConnectionAttemptLimit, kOldLines, kNoConnection, false},
      // What arrived stays in the cache until the next fetch overwrites it.
      {"answer broken off", kBreakOff, BuildAnswerPage({{"35.6895", "139.6917", "A"}, {"35.6895", "139.6917", "B"}}),
       ConnectionSimulation::Connects, false, -1, 1, kOldLines, L"えらー", true},
      {"cache cannot be created", kWhole, BuildAnswerPage({{"35.6895", "139.6917", "A"}}),
       ConnectionSimulation::Connects, true, 0, 1, {}, nullptr, true},
  };
  const std::u16string savedHost = g_phoneSearchHost;
  g_referenceLongitude = 503000000;
  g_referenceLatitude = 128000000;
  HWND owner = CreateWindowExW(0, L"STATIC", L"main", WS_OVERLAPPEDWINDOW, 0, 0, 200, 200, nullptr, nullptr,
                              GetModuleHandleW(nullptr), nullptr);
  HWND list = CreateWindowExW(0, L"LISTBOX", nullptr, WS_CHILD | LBS_SORT | LBS_HASSTRINGS, 0, 0, 200, 200, owner,
                              reinterpret_cast<HMENU>(1000), GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(list, nullptr);
  ResultListAttach(list);
  g_hook = SetWindowsHookExW(WH_CBT, AnswerMessageBoxes, nullptr, GetCurrentThreadId());
  ASSERT_NE(g_hook, nullptr);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ResultListClear();
    for (const std::wstring& line : kOldLines) ResultListAdd(FromWide(line.c_str()));
    g_seenBoxes.clear();
    RemoveTree(kCacheFile);
    AnswerServerOptions options;
    options.breakOff = c.server == kBreakOff;
    AnswerServer server(c.body, options);
    g_phoneSearchHost = u"127.0.0.1:" + Utf8ToUtf16(std::to_string(c.server == kNone ? FreePort() : server.port()));
    g_connectionSimulation = c.network;
    if (c.cacheBlocked) EXPECT_TRUE(CreateDirectoryW(kCacheFile, nullptr));
    int requestsBefore = ConnectionRequestCount();
    EXPECT_EQ(SearchPhoneNumber(u"03-3344-5566"), c.found);
    EXPECT_EQ(ConnectionRequestCount() - requestsBefore, c.connectionRequests);
    EXPECT_EQ(OpenConnectionCount(), 0);
    EXPECT_EQ(server.requestLines(), c.network == ConnectionSimulation::NeverConnects || c.server == kNone
                                         ? std::vector<std::string>{}
                                         : std::vector<std::string>{"GET /maps?q=03-3344-5566 HTTP/1.1"});
    EXPECT_EQ(ListItems(list), c.lines);
    EXPECT_EQ(g_seenBoxes.size(), c.message ? 1u : 0u) << (g_seenBoxes.empty() ? "" : Narrow(g_seenBoxes[0].text));
    if (c.message && !g_seenBoxes.empty()) {
      EXPECT_EQ(g_seenBoxes[0].title, L"カリオSearch");
      EXPECT_EQ(g_seenBoxes[0].text, c.message);
      EXPECT_EQ(g_seenBoxes[0].owner, owner);
    }
    EXPECT_EQ(FileExistsAt(kCacheFile), c.cacheLeft);
  }
  UnhookWindowsHookEx(g_hook);
  ResultListAttach(nullptr);
  DestroyWindow(owner);
  g_phoneSearchHost = savedHost;
  g_connectionSimulation = ConnectionSimulation::Connects;
  RemoveTree(kCacheFile);
}

}  // namespace
