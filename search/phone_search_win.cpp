#include <windows.h>
#include <wininet.h>

#include "platform/connection_manager_win.h"
#include "platform/utf.h"
#include "search/internet.h"

namespace {

// Any public site serves: the URL only picks the network that reaches the
// Internet.
const wchar_t kNetworkSelectionUrl[] = L"http://www.example.com/";
constexpr DWORD kConnectionTimeoutMs = 120000;
constexpr DWORD kAccessDirect = 1;              // no proxy
constexpr DWORD kFetchFromServer = 0x80000000;  // never from a cache

// Live as long as the program; each request overwrites them.
HANDLE g_connection = nullptr;
GUID g_destination = {};
HINTERNET g_internet = nullptr;
HINTERNET g_answer = nullptr;

// A service that accepts the connection and then stays silent must not
// hold the program: every step of the fetch has a time limit.
void LimitEveryStep(HINTERNET handle) {
  DWORD limit = kFetchStepTimeoutMs;
  for (DWORD option : {INTERNET_OPTION_CONNECT_TIMEOUT, INTERNET_OPTION_SEND_TIMEOUT, INTERNET_OPTION_RECEIVE_TIMEOUT})
    InternetSetOptionW(handle, option, &limit, sizeof limit);
}

}  // namespace

bool ChooseInternetNetwork() {
  DWORD index = 0;
  return MapConnectionUrl(kNetworkSelectionUrl, &g_destination, &index) == S_OK;
}

ConnectionAttempt RequestInternetConnection() {
  ConnectionRequest request = {};
  request.size = sizeof request;
  request.validParameters = kConnectionValidDestination;
  request.flags = kConnectionFlagProxyHttp;
  request.priority = kConnectionPriorityUser;
  request.destination = g_destination;
  DWORD status = 0;
  g_connection = nullptr;
  RequestConnectionSync(&request, &g_connection, kConnectionTimeoutMs, &status);
  return ConnectionAttempt{g_connection != nullptr, status == kConnectionStatusConnected};
}

void ReleaseInternetConnection(bool keepCached) { ReleaseConnection(g_connection, keepCached ? 1 : 0); }

bool OpenWebAnswer(const std::u16string& url, uint32_t* error) {
  g_internet = InternetOpenW(L"TestData DownLoad", kAccessDirect, nullptr, nullptr, 0);
  if (g_internet) {
    LimitEveryStep(g_internet);
    g_answer = InternetOpenUrlW(g_internet, AsWide(url), nullptr, 0, kFetchFromServer, 0);
  }
  if (g_answer) return true;
  *error = GetLastError();
  CloseWebAnswer();
  return false;
}

bool ReadWebAnswer(char* buffer, std::size_t capacity, std::size_t* read) {
  DWORD got = 0;
  BOOL ok = InternetReadFile(g_answer, buffer, static_cast<DWORD>(capacity), &got);
  *read = ok ? got : 0;
  return ok != FALSE;
}

void CloseWebAnswer() {
  if (g_answer) InternetCloseHandle(g_answer);
  if (g_internet) InternetCloseHandle(g_internet);
  g_answer = g_internet = nullptr;
}

uint32_t TickMilliseconds() { return GetTickCount(); }

std::u16string TemporaryFolder() {
  wchar_t folder[MAX_PATH + 1] = {};
  DWORD length = GetTempPathW(MAX_PATH + 1, folder);
  return length == 0 || length > MAX_PATH ? std::u16string() : FromWide(folder);
}
