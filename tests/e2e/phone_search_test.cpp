// The phone-number search end to end: the program asks an answer server on
// the host it was built for, lists the places nearest first, and says what
// went wrong when the fetch fails.
#include <winsock2.h>

#include <cstdlib>
#include <cstring>
#include <thread>

#include "resources/resource_ids.h"
#include "tests/e2e/e2e_support.h"
#include "tools/answer_writer/answer_writer.h"

namespace {

// Answers every request with `body` after `delayMs`; `breakOff`: announces
// the whole length, sends half, then resets the connection.
class AnswerServer {
 public:
  explicit AnswerServer(std::string body, bool breakOff = false, DWORD delayMs = 0) {
    WSADATA wsa;
    WSAStartup(MAKEWORD(2, 2), &wsa);
    listener_ = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in addr{AF_INET, htons(static_cast<u_short>(std::atoi(std::strrchr(KARIO_PHONE_SEARCH_HOST, ':') + 1)))};
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    BOOL yes = TRUE;  // the same port again right after the last server
    setsockopt(listener_, SOL_SOCKET, SO_REUSEADDR, reinterpret_cast<const char*>(&yes), sizeof yes);
    // Another driver on this machine may hold the port for a while.
    listening = WaitUntil([&] { return bind(listener_, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0; }, 120000) &&
                listen(listener_, 4) == 0;
    if (listening) thread_ = std::thread([=] { Serve(body, breakOff, delayMs); });
  }
  ~AnswerServer() {
    Stop();
    WSACleanup();
  }
  std::string Stop() {  // returns the first line of the first request
    if (thread_.joinable()) closesocket(listener_), thread_.join();  // the close ends the accept loop
    return firstRequestLine_;
  }
  bool listening;

 private:
  void Serve(const std::string& body, bool breakOff, DWORD delayMs) {
    for (SOCKET client; (client = accept(listener_, nullptr, nullptr)) != INVALID_SOCKET; closesocket(client)) {
      std::string request;
      char buffer[2048];
      for (int n = 1; n > 0 && request.find("\r\n\r\n") == std::string::npos; request.append(buffer, n > 0 ? n : 0))
        n = recv(client, buffer, sizeof buffer, 0);
      if (firstRequestLine_.empty()) firstRequestLine_ = request.substr(0, request.find("\r\n"));
      Sleep(delayMs);
      std::string reply = "HTTP/1.1 200 OK\r\nContent-Length: " + std::to_string(body.size()) +
                          "\r\nConnection: close\r\n\r\n" + body.substr(0, breakOff ? body.size() / 2 : body.size());
      send(client, reply.data(), static_cast<int>(reply.size()), 0);
      // WinInet takes a reset that comes with the data for a normal end, so
      // it comes once the reader waits for the rest; no linger makes a reset.
      linger abort = {1, 0};
      if (breakOff) Sleep(1000), setsockopt(client, SOL_SOCKET, SO_LINGER, reinterpret_cast<char*>(&abort), sizeof abort);
      else for (shutdown(client, SD_SEND); recv(client, buffer, sizeof buffer, 0) > 0;) {}
    }
  }
  SOCKET listener_;
  std::thread thread_;
  std::string firstRequestLine_;
};

class PhoneSearch : public KarioE2e {};

TEST_F(PhoneSearch, AnswersListedNearestFirstAndEveryFailureSaid) {
  ASSERT_TRUE(SetRegistryDword(L"TLATV8", 0));  // where a destination goes
  ASSERT_NO_FATAL_FAILURE(StartWithPointRead());
  ChooseSearchMode(4);
  TypeTerm(L"0300000001");
  {
    AnswerServer service("<html>該当なし</html>");
    ASSERT_TRUE(service.listening) << "port of " << KARIO_PHONE_SEARCH_HOST << " is taken";
    SearchExpecting({kNoResult});
    EXPECT_EQ(service.Stop(), "GET /maps?q=0300000001 HTTP/1.1");
  }
  {
    // 1234, 3, 123 and 12 km west of the point read; slow, so that the busy state shows.
    AnswerServer service(BuildAnswerPage({{"35.68098", "125.7533653", "D"}, {"35.68098", "139.7269222", "A"},
                                          {"35.68098", "138.3647583", "C"}, {"35.68098", "139.6247625", "B"}}),
                         false, 2500);
    PostCommand(main_, IDC_SEARCH_BUTTON, BN_CLICKED, Control(IDC_SEARCH_BUTTON));
    EXPECT_TRUE(WaitUntil([&] { return !IsWindowEnabled(Control(IDC_SEARCH_BUTTON)); }, 5000));
    EXPECT_FALSE(IsWindowEnabled(FindWindowExW(main_, nullptr, L"KRMENUBAR", nullptr)));
    SearchExpecting({L"検索完了!\u30004件"}, -1);
    EXPECT_TRUE(IsWindowEnabled(Control(IDC_SEARCH_BUTTON)));
  }
  std::vector<std::wstring> lines = Results();
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(Narrow(lines[0].substr(0, 8) + lines[1].substr(0, 8) + lines[2].substr(0, 8) + lines[3].substr(0, 8)),
            "   3km,A  12km,B 123km,C1234km,D");
  EXPECT_EQ(GetFileAttributesW(L"C:\\htmbuff.txt"), INVALID_FILE_ATTRIBUTES) << "the answer was left behind";
  // A line of this search (its code piece a single blank) opened with Yes.
  const std::string lon = Narrow(lines[0].substr(11, 9)), lat = Narrow(lines[0].substr(21, 9));
  EXPECT_EQ(Narrow(lines[0]), "   3km,A, ," + lon + "," + lat + ", ");
  SendMessageW(Control(IDC_RESULT_LIST), LB_SETCURSEL, 0, 0);
  PostCommand(main_, IDC_RESULT_LIST, LBN_DBLCLK, Control(IDC_RESULT_LIST));
  ASSERT_TRUE(PressMessageBoxButton(WaitForMessageBox(Pid(), L"データ詳細"), IDYES));
  auto start = WaitForStart(1);
  ASSERT_EQ(start.size(), 4u);
  EXPECT_EQ(start[1].substr(0, 34), " /M_LON=" + lon + " /M_LAT=" + lat);
  EXPECT_EQ(start[2] + " " + start[3], "TLATV8=" + lat + " TLONV8=" + lon);
  {
    // Broken off while reading: said, and the list keeps what it held.
    AnswerServer service(BuildAnswerPage({{"35.6895", "139.6917", "A"}, {"35.6895", "139.6917", "B"}}), true);
    SearchExpecting({L"えらー", kNoResult});
    EXPECT_EQ(Results(), lines);
  }
  // Nobody listening.
  SearchExpecting({L"\nインターネットに接続できませんでした", kNoResult});
  EXPECT_EQ(Results(), lines);
}

}  // namespace
