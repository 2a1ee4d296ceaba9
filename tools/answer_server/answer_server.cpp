// answer-server --port N --places places.tsv --numbers numbers.tsv
// answer-server --check --places places.tsv --numbers numbers.tsv
//
// Serves GET /maps?q=TERM on 127.0.0.1 with an answer page in the shape the
// phone-number search reads, listing the places that numbers.tsv gives for
// the term (digits only are compared, so "046-200-0001" works too).  Any
// other term gets a page without places.  Runs until killed.
// It warns on stderr about a name places.tsv holds twice (the first row
// counts) and about a place numbers.tsv names that places.tsv lacks (left
// out of its answers).  --check only reads both files: exit 0 when there
// was nothing to warn about, else 1.
// It builds natively and for Windows (the demo kit ships it); the two differ
// only in the few socket calls below.
#ifdef _WIN32
#include <winsock2.h>
#else
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>
#endif

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "platform/codepage.h"
#include "platform/utf.h"
#include "tools/answer_writer/answer_writer.h"
#include "tools/common/tsv_line.h"

namespace {

struct Place {
  std::string wgsLat;  // decimal degrees
  std::string wgsLon;
};

std::string Degrees(long ms) {
  char text[32];
  std::snprintf(text, sizeof text, "%.6f", static_cast<double>(ms) / 3600000.0);
  return text;
}

std::string DigitsOf(const std::string& s) {
  std::string d;
  for (char c : s)
    if (c >= '0' && c <= '9') d.push_back(c);
  return d;
}

std::string PercentDecoded(const std::string& s) {
  std::string out;
  for (std::size_t i = 0; i < s.size(); ++i) {
    if (s[i] == '%' && i + 2 < s.size()) {
      out.push_back(static_cast<char>(std::strtol(s.substr(i + 1, 2).c_str(), nullptr, 16)));
      i += 2;
    } else {
      out.push_back(s[i] == '+' ? ' ' : s[i]);
    }
  }
  return out;
}

#ifdef _WIN32
using Socket = SOCKET;
void StartSockets() {
  WSADATA wsa;
  WSAStartup(MAKEWORD(2, 2), &wsa);
}
void CloseSocket(Socket s) { closesocket(s); }
int LastSocketError() { return WSAGetLastError(); }
std::string SocketErrorText(int error) { return "error " + std::to_string(error); }
const int kAddressInUse = WSAEADDRINUSE;
// On Windows the option would let a second server take the port from the
// first; the exclusive one makes the second fail, as it does elsewhere.
const int kPortOption = SO_EXCLUSIVEADDRUSE;
#else
using Socket = int;
void StartSockets() {}
void CloseSocket(Socket s) { close(s); }
int LastSocketError() { return errno; }
std::string SocketErrorText(int error) { return std::strerror(error); }
const int kAddressInUse = EADDRINUSE;
const int kPortOption = SO_REUSEADDR;  // the port again right after the last server
#endif

void Usage() {
  std::fprintf(stderr, "usage: answer-server --port N|--check --places places.tsv --numbers numbers.tsv\n");
  std::exit(2);
}

}  // namespace

int main(int argc, char** argv) {
  int port = 0;
  bool checkOnly = false;
  std::string placesPath, numbersPath;
  for (int i = 1; i < argc; i += 2) {
    if (!std::strcmp(argv[i], "--check"))
      checkOnly = true, --i;
    else if (i + 1 == argc)
      Usage();
    else if (!std::strcmp(argv[i], "--port"))
      port = std::atoi(argv[i + 1]);
    else if (!std::strcmp(argv[i], "--places"))
      placesPath = argv[i + 1];
    else if (!std::strcmp(argv[i], "--numbers"))
      numbersPath = argv[i + 1];
    else
      Usage();
  }
  if ((port <= 0 && !checkOnly) || placesPath.empty() || numbersPath.empty()) Usage();
  int warnings = 0;

  std::map<std::string, Place> places;
  std::ifstream placesFile(placesPath);
  if (!placesFile) {
    std::fprintf(stderr, "answer-server: cannot read %s\n", placesPath.c_str());
    return 1;
  }
  std::string line;
  std::getline(placesFile, line);  // header
  while (std::getline(placesFile, line)) {
    auto f = SplitTsvLine(line);
    if (f.size() < 5) continue;
    const Place place{Degrees(std::atol(f[4].c_str())), Degrees(std::atol(f[3].c_str()))};
    if (!places.emplace(f[0], place).second)
      ++warnings, std::fprintf(stderr, "answer-server: %s holds %s twice; the first row counts\n", placesPath.c_str(),
                               f[0].c_str());
  }
  std::map<std::string, std::vector<std::string>> numbers;
  std::ifstream numbersFile(numbersPath);
  if (!numbersFile) {
    std::fprintf(stderr, "answer-server: cannot read %s\n", numbersPath.c_str());
    return 1;
  }
  while (std::getline(numbersFile, line)) {
    if (line.empty() || line[0] == '#') continue;
    auto f = SplitTsvLine(line);
    if (f.size() < 2) continue;
    numbers[DigitsOf(f[0])].assign(f.begin() + 1, f.end());
    for (std::size_t k = 1; k < f.size(); ++k) {
      if (places.count(f[k]) == 0)
        ++warnings,
            std::fprintf(stderr, "answer-server: %s names %s for %s, which %s lacks; its answer leaves it out\n",
                         numbersPath.c_str(), f[k].c_str(), f[0].c_str(), placesPath.c_str());
    }
  }
  if (checkOnly) return warnings == 0 ? 0 : 1;

  StartSockets();
  Socket server = socket(AF_INET, SOCK_STREAM, 0);
  int yes = 1;
  setsockopt(server, SOL_SOCKET, kPortOption, reinterpret_cast<const char*>(&yes), sizeof yes);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(static_cast<uint16_t>(port));
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  if (bind(server, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 || listen(server, 8) != 0) {
    const int error = LastSocketError();
    std::fprintf(stderr, "answer-server: cannot listen on 127.0.0.1:%d: %s%s\n", port, SocketErrorText(error).c_str(),
                 error == kAddressInUse ? " (another answer server, such as a second demo, holds the port)" : "");
    return 1;
  }
  for (;;) {
    Socket client = accept(server, nullptr, nullptr);
    if (client == static_cast<Socket>(-1)) continue;
    std::string request;
    char buffer[2048];
    while (request.find("\r\n\r\n") == std::string::npos && request.size() < 16384) {
      const auto got = recv(client, buffer, sizeof buffer, 0);
      if (got <= 0) break;
      request.append(buffer, static_cast<std::size_t>(got));
    }
    std::string term;
    std::size_t q = request.find("/maps?q=");
    if (q != std::string::npos) {
      std::size_t end = request.find_first_of(" \r\n", q);
      term = PercentDecoded(request.substr(q + 8, end - q - 8));
    }
    std::vector<AnswerPlace> answer;
    auto hit = numbers.find(DigitsOf(term));
    if (!DigitsOf(term).empty() && hit != numbers.end()) {
      for (const auto& name : hit->second) {
        auto p = places.find(name);
        if (p == places.end()) continue;
        answer.push_back(AnswerPlace{p->second.wgsLat, p->second.wgsLon, WideToCodePage932(Utf8ToUtf16(name))});
      }
    }
    std::string body = BuildAnswerPage(answer);
    std::ostringstream head;
    head << "HTTP/1.0 200 OK\r\nContent-Type: text/html; charset=Shift_JIS\r\nContent-Length: " << body.size()
         << "\r\nConnection: close\r\n\r\n";
    std::string reply = head.str() + body;
    send(client, reply.data(), static_cast<int>(reply.size()), 0);
    CloseSocket(client);
  }
}
