// An HTTP server on 127.0.0.1, run by a thread of the test, that answers
// every request with one page, one connection at a time.
#pragma once
#include <winsock2.h>
#include <windows.h>

#include <mutex>
#include <string>
#include <thread>
#include <vector>

struct AnswerServerOptions {
  int port = 0;        // 0: a free port
  DWORD delayMs = 0;   // before answering
  bool breakOff = false;  // announce the whole length, send half, then reset
};

class AnswerServer {
 public:
  explicit AnswerServer(std::string body, AnswerServerOptions options = {});
  ~AnswerServer();
  bool listening() const { return listening_; }
  int port() const { return port_; }
  std::vector<std::string> requestLines();  // the first line of each request

 private:
  void Serve();
  std::string body_;
  AnswerServerOptions options_;
  SOCKET listener_ = INVALID_SOCKET;
  bool listening_ = false;
  int port_ = 0;
  std::thread thread_;
  std::mutex mutex_;
  std::vector<std::string> requests_;
};

int FreePort();        // a port nothing listens on
int BuildHostPort();   // the port of the host the program was built to ask
