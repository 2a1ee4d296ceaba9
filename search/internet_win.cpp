#include <windows.h>
#include <wininet.h>

#include "platform/connection_manager_win.h"
#include "platform/owned_handle_win.h"
#include "platform/utf.h"
#include "search/internet.h"

static_assert(kFetchFromServer == INTERNET_FLAG_RELOAD && kFetchNotCached == INTERNET_FLAG_NO_CACHE_WRITE);

namespace {

// Any public site serves: the URL only picks the network that reaches the
// Internet.
const wchar_t kNetworkSelectionUrl[] = L"http://www.example.com/";
constexpr DWORD kConnectionTimeoutMs = 120000;
constexpr DWORD kAccessDirect = 1;  // no proxy

// Live as long as the program; each request overwrites them.
HANDLE g_connection = nullptr;
GUID g_destination = {};
OwnedInternet g_internet;
OwnedInternet g_session;
OwnedInternet g_answer;

// A service that accepts the connection and then stays silent must not
// hold the program: every step of the fetch has a time limit.
void LimitEveryStep(HINTERNET handle) {
  DWORD limit = kFetchStepTimeoutMs;
  for (DWORD option : {INTERNET_OPTION_CONNECT_TIMEOUT, INTERNET_OPTION_SEND_TIMEOUT, INTERNET_OPTION_RECEIVE_TIMEOUT})
    InternetSetOptionW(handle, option, &limit, sizeof limit);
}

}  // namespace

bool ChooseInternetNetwork(uint32_t* index) {
  DWORD mapping = *index;
  const bool chosen = MapConnectionUrl(kNetworkSelectionUrl, &g_destination, &mapping) == S_OK;
  *index = mapping;
  return chosen;
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

// The request is made step by step rather than with InternetOpenUrlW, so
// that the time limits can be put on the connection and the request handles
// themselves: not every WinInet passes them down from the session.
bool OpenWebAnswer(const std::u16string& url, uint32_t flags, uint32_t* error) {
  CloseWebAnswer();  // a fetch left open before is closed in its order, not piecemeal below
  wchar_t host[256] = {}, path[2048] = {};
  URL_COMPONENTSW parts = {};
  parts.dwStructSize = sizeof parts;
  parts.lpszHostName = host;
  parts.dwHostNameLength = 256;
  parts.lpszUrlPath = path;
  parts.dwUrlPathLength = 2048;
  wchar_t extra[1024] = {};
  parts.lpszExtraInfo = extra;
  parts.dwExtraInfoLength = 1024;
  const bool cracked = InternetCrackUrlW(AsWide(url), 0, 0, &parts) != FALSE;
  g_internet.Reset(cracked ? InternetOpenW(L"TestData DownLoad", kAccessDirect, nullptr, nullptr, 0) : nullptr);
  if (g_internet) {
    LimitEveryStep(g_internet.Get());
    g_session.Reset(
        InternetConnectW(g_internet.Get(), host, parts.nPort, nullptr, nullptr, INTERNET_SERVICE_HTTP, 0, 0));
  }
  if (g_session) {
    LimitEveryStep(g_session.Get());
    const std::wstring object = std::wstring(path) + extra;
    g_answer.Reset(HttpOpenRequestW(g_session.Get(), L"GET", object.c_str(), nullptr, nullptr, nullptr, flags, 0));
  }
  if (g_answer) {
    LimitEveryStep(g_answer.Get());
    if (HttpSendRequestW(g_answer.Get(), nullptr, 0, nullptr, 0)) return true;
  }
  *error = cracked ? GetLastError() : ERROR_INTERNET_INVALID_URL;
  CloseWebAnswer();
  return false;
}

bool ReadWebAnswer(char* buffer, std::size_t capacity, std::size_t* read) {
  DWORD got = 0;
  BOOL ok = InternetReadFile(g_answer.Get(), buffer, static_cast<DWORD>(capacity), &got);
  *read = ok ? got : 0;
  return ok != FALSE;
}

// The request first, the connection it came from last.
void CloseWebAnswer() {
  g_answer.Reset();
  g_session.Reset();
  g_internet.Reset();
}

uint32_t TickMilliseconds() { return GetTickCount(); }

std::u16string TemporaryFolder() {
  wchar_t folder[MAX_PATH + 1] = {};
  DWORD length = GetTempPathW(MAX_PATH + 1, folder);
  return length == 0 || length > MAX_PATH ? std::u16string() : FromWide(folder);
}
