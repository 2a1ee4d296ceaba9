// The phone-number search end to end, against an answer server on the host
// the program was built for: places nearest first, and every failure said.
#include <winsock2.h>
#include <wininet.h>

#include <cstdlib>
#include <cstring>

#include "resources/resource_ids.h"
#include "tests/e2e/e2e_support.h"
#include "tools/answer_writer/answer_writer.h"

namespace {

const int kBuildPort = std::atoi(std::strrchr(KARIO_PHONE_SEARCH_HOST, ':') + 1);

// A stand-in for the web service on the port the program was built to ask (or another), listening from its
// construction; Answer() serves the program's request.
class AnswerServer {
 public:
  explicit AnswerServer(int atPort = kBuildPort) : port(atPort) {
    WSADATA wsa;
    listener_ = WSAStartup(MAKEWORD(2, 2), &wsa) ? INVALID_SOCKET : socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in addr{AF_INET, htons(static_cast<u_short>(port)), {{{127, 0, 0, 1}}}};
    BOOL yes = TRUE;  // the same port again right after the last server
    setsockopt(listener_, SOL_SOCKET, SO_REUSEADDR, reinterpret_cast<const char*>(&yes), sizeof yes);
    // Another run of these tests on this machine may hold the port a while.
    listening =
        WaitUntil([&] { return bind(listener_, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0; }, 60000) &&
        listen(listener_, 1) == 0;
  }
  ~AnswerServer() {
    closesocket(listener_);
    WSACleanup();
  }
  // The whole body; its first half and then a reset; nothing at all until the
  // program lets go; the body and then blanks without end.
  enum Mode { kWhole, kBreakOff, kSilent, kEndless };
  std::string Answer(const std::string& body, Mode mode = kWhole) {  // returns the request's first line
    const bool breakOff = mode == kBreakOff;
    fd_set ready{1, {listener_}};
    if (timeval deadline{30, 0}; select(0, &ready, nullptr, nullptr, &deadline) != 1) return "no request";
    SOCKET client = accept(listener_, nullptr, nullptr);
    char buffer[2048];
    std::string request;
    for (int n = 1; n > 0 && request.find("\r\n\r\n") == std::string::npos; request.append(buffer, n > 0 ? n : 0))
      n = recv(client, buffer, sizeof buffer, 0);
    std::string reply = "HTTP/1.1 200 OK\r\nContent-Length: " + std::to_string(body.size()) +
                        "\r\nConnection: close\r\n\r\n" + body.substr(0, breakOff ? body.size() / 2 : body.size());
    if (mode == kEndless) reply = "HTTP/1.0 200 OK\r\n\r\n" + body;
    if (mode != kSilent) send(client, reply.data(), static_cast<int>(reply.size()), 0);
    const std::string blanks(65536, ' ');  // at most 64 MiB, far past what the program keeps
    for (int i = 0; mode == kEndless && i < 1024 && send(client, blanks.data(), 65536, 0) > 0;) ++i;
    // WinInet takes a reset that comes with the data for a normal end, so it comes once the program has put
    // all but its last buffer of what was sent into its cache file; no linger makes the close one.
    WIN32_FILE_ATTRIBUTE_DATA cache{};
    auto taken = [&] {
      return GetFileAttributesExW(L"C:\\htmbuff.txt", GetFileExInfoStandard, &cache) &&
             cache.nFileSizeLow + 4096 >= body.size() / 2;
    };
    linger abort = {1, 0};
    if (breakOff) {
      EXPECT_TRUE(WaitUntil(taken)) << "the program did not put half the answer into C:\\htmbuff.txt";
      setsockopt(client, SOL_SOCKET, SO_LINGER, reinterpret_cast<char*>(&abort), sizeof abort);
    }
    DWORD patience = 90000;  // a silent service waits for the program to give up first
    setsockopt(client, SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<char*>(&patience), sizeof patience);
    if (mode != kSilent && !breakOff) shutdown(client, SD_SEND);
    while (!breakOff && recv(client, buffer, sizeof buffer, 0) > 0) {
    }
    closesocket(client);
    return request.substr(0, request.find("\r\n"));
  }
  const int port;
  bool listening;

 private:
  SOCKET listener_;
};

class PhoneSearch : public KarioE2e {};

TEST_F(PhoneSearch, AnswersListedNearestFirstAndEveryFailureSaid) {
  const std::string host = KARIO_PHONE_SEARCH_HOST;
  const std::wstring url = L"http://" + std::wstring(host.begin(), host.end()) + L"/maps?q=0300000001";
  DeleteUrlCacheEntryW(url.c_str());
  ASSERT_NO_FATAL_FAILURE(StartWithPointRead());
  ChooseSearchMode(4);
  TypeTerm(L"0300000001");
  {
    AnswerServer service;
    ASSERT_TRUE(service.listening) << "port " << service.port
                                   << " of KARIO_PHONE_SEARCH_HOST is held by another "
                                      "program: a second test run, or a demo answer server built for that port?";
    // 1234, 3, 123 and 12 km west of the point read.  The program waits for the answer with its controls off (the
    // menu bar goes off after 検索), the bar's buttons too: else they would look as if they could be tapped.
    const HWND bar = FindWindowExW(main_, nullptr, L"KRMENUBAR", nullptr);
    SearchExpecting({L"検索完了!\u30004件"}, 0, [&] {
      EXPECT_TRUE(WaitUntil([&] {
        return !IsWindowEnabled(Control(IDC_SEARCH_BUTTON)) && !IsWindowEnabled(bar) &&
               !IsWindowEnabled(GetDlgItem(bar, IDM_BAR_TESSARA)) && !IsWindowEnabled(GetDlgItem(bar, IDM_BAR_MENU));
      })) << "検索 and the menu bar's buttons were not turned off while the answer was awaited";
      EXPECT_EQ(service.Answer(BuildAnswerPage({{"35.68098", "125.7533653", "D"},
                                                {"35.68098", "139.7269222", "A"},
                                                {"35.68098", "138.3647583", "C"},
                                                {"35.68098", "139.6247625", "B"}})),
                "GET /maps?q=0300000001 HTTP/1.1");
    });
    EXPECT_TRUE(IsWindowEnabled(Control(IDC_SEARCH_BUTTON))) << "検索 stayed off after the search";
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(bar, IDM_BAR_MENU))) << "the menu button stayed off after the search";
  }
  std::vector<std::wstring> lines = Results();
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(Narrow(lines[0].substr(0, 8) + lines[1].substr(0, 8) + lines[2].substr(0, 8) + lines[3].substr(0, 8)),
            "   3km,A  12km,B 123km,C1234km,D");
  EXPECT_EQ(GetFileAttributesW(L"C:\\htmbuff.txt"), INVALID_FILE_ATTRIBUTES) << "the answer was left behind";
  // Nor in the system's internet cache, which every program of the user can read (emptied of it before the search).
  DWORD entrySize = 0;
  const bool cached = GetUrlCacheEntryInfoW(url.c_str(), nullptr, &entrySize) || GetLastError() != ERROR_FILE_NOT_FOUND;
  EXPECT_FALSE(cached) << Narrow(url) << " is in the cache (error " << GetLastError() << ")";
  {
    // Broken off while reading: said, and the list keeps what it held.
    AnswerServer service;
    const std::string page = BuildAnswerPage({{"35.6895", "139.6917", "A"}}) + std::string(131072, ' ');
    SearchExpecting({L"えらー", kNoResult}, 0, [&] { service.Answer(page, AnswerServer::kBreakOff); });
    EXPECT_EQ(Results(), lines);
  }
  // A service that never answers, and one that never ends (cut: えらー, the file kept), let the program go.  Where
  // the root cannot take the cache file, the temporary folder does, and the file is gone after the parse.
  {
    AnswerServer service;
    const DWORD start = GetTickCount();
    SearchExpecting({L"\nインターネットに接続できませんでした", kNoResult}, 0,
                    [&] { service.Answer("", AnswerServer::kSilent); });
    EXPECT_LT(GetTickCount() - start, 40000u) << "30 s for the answer, a few more for the rest";
    const std::string endless = BuildAnswerPage({{"35.6895", "139.6917", "E"}});
    SearchExpecting({L"えらー", kNoResult}, 0, [&] { service.Answer(endless, AnswerServer::kEndless); });
    EXPECT_EQ(Results(), lines);
    ASSERT_TRUE(DeleteFileW(L"C:\\htmbuff.txt")) << "the cut answer was not kept";
    ASSERT_TRUE(CreateDirectoryW(L"C:\\htmbuff.txt", nullptr));
    SearchExpecting({L"検索完了!\u30001件"}, 0, [&] {
      service.Answer(BuildAnswerPage({{"35.6895", "139.6917", "T"}}));
    });
  }
  EXPECT_NE(Results().at(0).find(L",T, ,"), std::wstring::npos) << "parsed from the temporary folder";
  wchar_t temporary[MAX_PATH];
  const std::wstring cache = std::wstring(temporary, GetTempPathW(MAX_PATH, temporary)) + L"htmbuff.txt";
  EXPECT_EQ(GetFileAttributesW(cache.c_str()), INVALID_FILE_ATTRIBUTES);
}

}  // namespace
