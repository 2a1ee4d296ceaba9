#include "tests/e2e/answer_server_support.h"

#include <cstdlib>
#include <cstring>

namespace {

SOCKET BoundSocket(int port, int* boundPort) {
  SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  BOOL yes = TRUE;
  if (port) setsockopt(s, SOL_SOCKET, SO_REUSEADDR, reinterpret_cast<const char*>(&yes), sizeof yes);
  sockaddr_in addr{};
  addr.sin_family = AF_INET;
  addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  addr.sin_port = htons(static_cast<u_short>(port));
  int length = sizeof addr;
  if (bind(s, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 ||
      getsockname(s, reinterpret_cast<sockaddr*>(&addr), &length) != 0) {
    closesocket(s);
    return INVALID_SOCKET;
  }
  *boundPort = ntohs(addr.sin_port);
  return s;
}

}  // namespace

AnswerServer::AnswerServer(std::string body, AnswerServerOptions options)
    : body_(std::move(body)), options_(options) {
  WSADATA wsa;
  WSAStartup(MAKEWORD(2, 2), &wsa);
  listener_ = BoundSocket(options.port, &port_);
  listening_ = listener_ != INVALID_SOCKET && listen(listener_, 4) == 0;
  if (listening_) thread_ = std::thread([this] { Serve(); });
}

AnswerServer::~AnswerServer() {
  closesocket(listener_);  // ends the accept loop
  if (thread_.joinable()) thread_.join();
  WSACleanup();
}

std::vector<std::string> AnswerServer::requestLines() {
  std::lock_guard<std::mutex> lock(mutex_);
  return requests_;
}

void AnswerServer::Serve() {
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
    if (options_.delayMs) Sleep(options_.delayMs);  // lets the caller see its busy state
    std::string reply = "HTTP/1.1 200 OK\r\nContent-Type: text/html\r\nContent-Length: " +
                        std::to_string(body_.size()) + "\r\nConnection: close\r\n\r\n" +
                        (options_.breakOff ? body_.substr(0, body_.size() / 2) : body_);
    send(client, reply.data(), static_cast<int>(reply.size()), 0);
    if (options_.breakOff) {
      // WinInet takes a reset that arrives together with the data for a
      // normal end, so it is held back until the reader waits for the rest;
      // a zero linger time makes the close a reset.
      Sleep(1000);
      linger abort = {1, 0};
      setsockopt(client, SOL_SOCKET, SO_LINGER, reinterpret_cast<const char*>(&abort), sizeof abort);
    } else {
      shutdown(client, SD_SEND);
      while (recv(client, buffer, sizeof buffer, 0) > 0) {
      }
    }
    closesocket(client);
  }
}

int FreePort() {
  WSADATA wsa;
  WSAStartup(MAKEWORD(2, 2), &wsa);
  int port = 0;
  closesocket(BoundSocket(0, &port));
  WSACleanup();
  return port;
}

int BuildHostPort() {
  const char* colon = std::strrchr(KARIO_PHONE_SEARCH_HOST, ':');
  return colon ? std::atoi(colon + 1) : 80;
}
