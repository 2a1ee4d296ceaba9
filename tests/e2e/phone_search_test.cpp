// The phone-number search in this process, with the real WinInet, files and
// list box, against an HTTP server on 127.0.0.1 run by a thread of the test.
#include <winsock2.h>
#include <windows.h>
#include <wininet.h>

#include <gtest/gtest.h>

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "maplink/reference_point.h"
#include "platform/codepage.h"
#include "platform/connection_manager_win.h"
#include "platform/result_list.h"
#include "platform/result_list_win.h"
#include "platform/utf.h"
#include "search/phone_search.h"
#include "tests/e2e/e2e_support.h"
#include "tools/answer_writer/answer_writer.h"

namespace {

enum class ServeMode {
  Whole,        // the answer with its length, then close
  BreakOff,     // the full length announced, half the answer sent, later a reset
};

// A one-connection-at-a-time HTTP server on a free port of 127.0.0.1.
class AnswerServer {
 public:
  AnswerServer(std::string body, ServeMode mode) : body_(std::move(body)), mode_(mode) {
    WSADATA wsa;
    WSAStartup(MAKEWORD(2, 2), &wsa);
    listener_ = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    addr.sin_port = 0;
    bind(listener_, reinterpret_cast<sockaddr*>(&addr), sizeof addr);
    int length = sizeof addr;
    getsockname(listener_, reinterpret_cast<sockaddr*>(&addr), &length);
    port_ = ntohs(addr.sin_port);
    listen(listener_, 4);
    thread_ = std::thread([this] { Serve(); });
  }
  ~AnswerServer() {
    closesocket(listener_);  // ends the accept loop
    thread_.join();
    WSACleanup();
  }
  int port() const { return port_; }
  std::vector<std::string> requestLines() {
    std::lock_guard<std::mutex> lock(mutex_);
    return requests_;
  }

 private:
  void Serve() {
    for (;;) {
      SOCKET client = accept(listener_, nullptr, nullptr);
      if (client == INVALID_SOCKET) return;
      std::string request;
      char buffer[2048];
      while (request.find("\r\n\r\n") == std::string::npos) {
        int n = recv(client, buffer, sizeof buffer, 0);
        if (n <= 0) break;
        request.append(buffer, n);
      }
      {
        std::lock_guard<std::mutex> lock(mutex_);
        requests_.push_back(request.substr(0, request.find("\r\n")));
      }
      std::string reply = "HTTP/1.1 200 OK\r\nContent-Type: text/html\r\nContent-Length: " +
                          std::to_string(body_.size()) + "\r\nConnection: close\r\n\r\n";
      if (mode_ == ServeMode::Whole) {
        reply += body_;
        send(client, reply.data(), static_cast<int>(reply.size()), 0);
        shutdown(client, SD_SEND);
        while (recv(client, buffer, sizeof buffer, 0) > 0) {
        }
      } else {
        reply += body_.substr(0, body_.size() / 2);
        send(client, reply.data(), static_cast<int>(reply.size()), 0);
        // The reader has taken the head and waits for the rest when the reset
        // comes: WinInet takes a reset that arrives together with the data
        // for a normal end, so the reset is held back for a while.
        Sleep(1000);
        // Closing with a zero linger time resets the connection: the reader
        // gets what was sent, then an error instead of the rest.
        linger abort = {1, 0};
        setsockopt(client, SOL_SOCKET, SO_LINGER, reinterpret_cast<const char*>(&abort), sizeof abort);
      }
      closesocket(client);
    }
  }

  std::string body_;
  ServeMode mode_;
  SOCKET listener_ = INVALID_SOCKET;
  int port_ = 0;
  std::thread thread_;
  std::mutex mutex_;
  std::vector<std::string> requests_;
};

// A port that nothing listens on.
int FreePort() {
  WSADATA wsa;
  WSAStartup(MAKEWORD(2, 2), &wsa);
  SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  sockaddr_in addr{};
  addr.sin_family = AF_INET;
  addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  bind(s, reinterpret_cast<sockaddr*>(&addr), sizeof addr);
  int length = sizeof addr;
  getsockname(s, reinterpret_cast<sockaddr*>(&addr), &length);
  closesocket(s);
  WSACleanup();
  return ntohs(addr.sin_port);
}

// Message boxes of this thread, answered with OK as soon as they are up.
struct SeenBox {
  std::wstring title, text;
  HWND owner;
};
std::vector<SeenBox> g_seenBoxes;
HHOOK g_hook = nullptr;

LRESULT CALLBACK AnswerMessageBoxes(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_ACTIVATE) {
    HWND w = reinterpret_cast<HWND>(wParam);
    if (ClassNameOf(w) == L"#32770") {
      g_seenBoxes.push_back({WindowText(w), WindowText(GetDlgItem(w, 0xFFFF)), GetWindow(w, GW_OWNER)});
      PostMessageW(w, WM_COMMAND, IDOK, 0);
    }
  }
  return CallNextHookEx(g_hook, code, wParam, lParam);
}

const wchar_t kCacheFile[] = L"\\htmbuff.txt";

class PhoneSearchTest : public ::testing::Test {
 protected:
  void SetUp() override {
    savedHost_ = g_phoneSearchHost;
    g_referenceLongitude = 503000000;
    g_referenceLatitude = 128000000;
    g_connectionSimulation = ConnectionSimulation::Connects;
    main_ = CreateWindowExW(0, L"STATIC", L"main", WS_OVERLAPPEDWINDOW, 0, 0, 200, 200, nullptr, nullptr,
                            GetModuleHandleW(nullptr), nullptr);
    list_ = CreateWindowExW(0, L"LISTBOX", nullptr, WS_CHILD | LBS_SORT | LBS_HASSTRINGS, 0, 0, 200, 200,
                            main_, reinterpret_cast<HMENU>(1000), GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(list_, nullptr);
    ResultListAttach(list_);
    g_seenBoxes.clear();
    g_hook = SetWindowsHookExW(WH_CBT, AnswerMessageBoxes, nullptr, GetCurrentThreadId());
    ASSERT_NE(g_hook, nullptr);
    DeleteFileW(kCacheFile);
  }
  void TearDown() override {
    UnhookWindowsHookEx(g_hook);
    ResultListAttach(nullptr);
    DestroyWindow(main_);
    g_phoneSearchHost = savedHost_;
    g_connectionSimulation = ConnectionSimulation::Connects;
    RemoveDirectoryW(kCacheFile);
    DeleteFileW(kCacheFile);
  }
  void UseServerOn(int port) { g_phoneSearchHost = u"127.0.0.1:" + Utf8ToUtf16(std::to_string(port)); }
  void FillListWithOldLines() {
    ResultListClear();
    ResultListAdd(u"   1km,前回, ,503000000,128000000, ");
    ResultListAdd(u"   2km,前々回, ,503000001,128000000, ");
  }
  std::vector<std::wstring> OldLines() {
    return {L"   1km,前回, ,503000000,128000000, ", L"   2km,前々回, ,503000001,128000000, "};
  }

  std::u16string savedHost_;
  HWND main_ = nullptr;
  HWND list_ = nullptr;
};

TEST_F(PhoneSearchTest, FetchesAnswerIntoTheListAndDeletesTheCache) {
  AnswerServer server(BuildAnswerPage({{"35.6895", "139.6917", WideToCodePage932(u"新宿")},
                                       {"34.702485", "135.495951", WideToCodePage932(u"大阪駅")}}),
                      ServeMode::Whole);
  UseServerOn(server.port());
  FillListWithOldLines();
  int requestsBefore = ConnectionRequestCount();

  EXPECT_EQ(SearchPhoneNumber(u"03-3344-5566"), 2);

  EXPECT_EQ(ListItems(list_), (std::vector<std::wstring>{L"  14km,新宿, ,502901653,128470591, ",
                                                         L" 384km,大阪駅, ,487795538,124917221, "}));
  EXPECT_EQ(server.requestLines(), std::vector<std::string>{"GET /maps?q=03-3344-5566 HTTP/1.1"});
  EXPECT_TRUE(g_seenBoxes.empty()) << "message: " << Utf16ToUtf8(FromWide(g_seenBoxes[0].text.c_str()));
  EXPECT_FALSE(FileExistsAt(kCacheFile));
  EXPECT_EQ(ConnectionRequestCount() - requestsBefore, 1);
  EXPECT_EQ(OpenConnectionCount(), 0);
}

TEST_F(PhoneSearchTest, AnswerWithoutTitlesEmptiesTheList) {
  AnswerServer server("<html>該当なし</html>", ServeMode::Whole);
  UseServerOn(server.port());
  FillListWithOldLines();
  EXPECT_EQ(SearchPhoneNumber(u"0120-000-000"), 0);
  EXPECT_TRUE(ListItems(list_).empty());
  EXPECT_TRUE(g_seenBoxes.empty());
  EXPECT_FALSE(FileExistsAt(kCacheFile));
}

TEST_F(PhoneSearchTest, ServerDownShowsConnectionMessageAndKeepsTheList) {
  UseServerOn(FreePort());
  FillListWithOldLines();
  EXPECT_EQ(SearchPhoneNumber(u"03-3344-5566"), -1);
  ASSERT_EQ(g_seenBoxes.size(), 1u);
  EXPECT_EQ(g_seenBoxes[0].title, L"カリオSearch");
  EXPECT_EQ(g_seenBoxes[0].text, L"12029\nインターネットに接続できませんでした");
  EXPECT_EQ(g_seenBoxes[0].owner, main_);
  EXPECT_EQ(ListItems(list_), OldLines());
}

TEST_F(PhoneSearchTest, NetworkThatNeverComesUpGivesUpAfterTheLimit) {
  AnswerServer server("<html></html>", ServeMode::Whole);
  UseServerOn(server.port());
  FillListWithOldLines();
  g_connectionSimulation = ConnectionSimulation::NeverConnects;
  int requestsBefore = ConnectionRequestCount();

  EXPECT_EQ(SearchPhoneNumber(u"03-3344-5566"), -1);

  EXPECT_EQ(ConnectionRequestCount() - requestsBefore, kConnectionAttemptLimit);
  EXPECT_EQ(OpenConnectionCount(), 0);
  EXPECT_TRUE(server.requestLines().empty());
  ASSERT_EQ(g_seenBoxes.size(), 1u);
  EXPECT_EQ(g_seenBoxes[0].text, L"12029\nインターネットに接続できませんでした");
  EXPECT_EQ(ListItems(list_), OldLines());
}

TEST_F(PhoneSearchTest, UnmappableUrlStillFetchesDirectly) {
  AnswerServer server(BuildAnswerPage({{"35.6895", "139.6917", "A"}}), ServeMode::Whole);
  UseServerOn(server.port());
  g_connectionSimulation = ConnectionSimulation::RefusesUrl;
  int requestsBefore = ConnectionRequestCount();
  EXPECT_EQ(SearchPhoneNumber(u"03-3344-5566"), 1);
  EXPECT_EQ(ConnectionRequestCount(), requestsBefore);
  EXPECT_EQ(ListItems(list_), std::vector<std::wstring>{L"  14km,A, ,502901653,128470591, "});
}

TEST_F(PhoneSearchTest, AnswerBrokenOffShowsErrorAndKeepsTheList) {
  std::string page = BuildAnswerPage({{"35.6895", "139.6917", "A"}, {"35.6895", "139.6917", "B"}});
  AnswerServer server(page, ServeMode::BreakOff);
  UseServerOn(server.port());
  FillListWithOldLines();
  EXPECT_EQ(SearchPhoneNumber(u"03-3344-5566"), -1);
  ASSERT_EQ(g_seenBoxes.size(), 1u);
  EXPECT_EQ(g_seenBoxes[0].title, L"カリオSearch");
  EXPECT_EQ(g_seenBoxes[0].text, L"えらー");
  EXPECT_EQ(ListItems(list_), OldLines());
  // What arrived stays in the cache until the next fetch overwrites it.
  EXPECT_TRUE(FileExistsAt(kCacheFile));
}

TEST_F(PhoneSearchTest, CacheThatCannotBeCreatedEndsWithNoResults) {
  AnswerServer server(BuildAnswerPage({{"35.6895", "139.6917", "A"}}), ServeMode::Whole);
  UseServerOn(server.port());
  FillListWithOldLines();
  ASSERT_TRUE(CreateDirectoryW(kCacheFile, nullptr));  // a folder where the file should go
  EXPECT_EQ(SearchPhoneNumber(u"03-3344-5566"), 0);
  EXPECT_TRUE(ListItems(list_).empty());
  EXPECT_TRUE(g_seenBoxes.empty());
  EXPECT_EQ(OpenConnectionCount(), 0);
}

}  // namespace
