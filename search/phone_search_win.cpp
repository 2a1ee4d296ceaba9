#include <windows.h>
#include <wininet.h>

#include <cstdio>
#include <cwchar>

#include "platform/connection_manager_win.h"
#include "platform/files.h"
#include "platform/result_list.h"
#include "platform/result_list_win.h"
#include "platform/utf.h"
#include "search/phone_parse.h"
#include "search/phone_search.h"

namespace {

// Any public site serves: the URL only picks the network that reaches the
// Internet.
const wchar_t kNetworkSelectionUrl[] = L"http://www.example.com/";
constexpr DWORD kConnectionTimeoutMs = 120000;
constexpr DWORD kAccessDirect = 1;               // no proxy
constexpr DWORD kFetchFromServer = 0x80000000;   // never from a cache

// Lives as long as the program; each request overwrites it.
HANDLE g_connection = nullptr;

void ShowSearchMessage(const wchar_t* text) {
  MessageBoxW(GetParent(ResultListWindow()), text, L"カリオSearch", MB_OK);
}

void ShowConnectionFailure(DWORD error) {
  wchar_t text[256];
  std::swprintf(text, 256, L"%d\nインターネットに接続できませんでした", static_cast<int>(error));
  ShowSearchMessage(text);
}

}  // namespace

bool OpenInternetConnection() {
  DWORD index = 0;
  bool requested = false;
  bool connected = false;
  for (int attempt = 0; attempt < kConnectionAttemptLimit; ++attempt) {
    ConnectionRequest request = {};
    request.size = sizeof request;
    request.validParameters = kConnectionValidDestination;
    request.flags = kConnectionFlagProxyHttp;
    request.priority = kConnectionPriorityUser;
    if (MapConnectionUrl(kNetworkSelectionUrl, &request.destination, &index) != S_OK) {
      // No network to choose: the fetch goes out directly.
      connected = true;
      break;
    }
    // A request that did not connect is given back before the next one, so
    // that failed attempts do not pile up in the connection layer.
    if (requested) ReleaseConnection(g_connection, 0);
    DWORD status = 0;
    g_connection = nullptr;
    RequestConnectionSync(&request, &g_connection, kConnectionTimeoutMs, &status);
    requested = g_connection != nullptr;
    if (status == kConnectionStatusConnected) {
      connected = true;
      break;
    }
  }
  // Keep the link cached for the fetch that follows.
  if (requested) ReleaseConnection(g_connection, 1);
  return connected;
}

int ParseSearchResponse() { return ParseSearchResponseFile(kResponseCachePath); }

int SearchPhoneNumber(const std::u16string& term) {
  std::u16string url = PhoneSearchUrl(g_phoneSearchHost, term);
  if (!OpenInternetConnection()) {
    ShowConnectionFailure(ERROR_INTERNET_CANNOT_CONNECT);
    return -1;
  }
  HINTERNET internet = InternetOpenW(L"TestData DownLoad", kAccessDirect, nullptr, nullptr, 0);
  HINTERNET page = internet ? InternetOpenUrlW(internet, AsWide(url), nullptr, 0, kFetchFromServer, 0)
                            : nullptr;
  if (page == nullptr) {
    DWORD error = GetLastError();
    ShowConnectionFailure(error);
    if (internet) InternetCloseHandle(internet);
    return -1;
  }

  std::FILE* cache = OpenDeviceFile(kResponseCachePath, "wb");
  if (cache == nullptr) {
    // Without a place to keep the answer there is nothing to parse: the
    // search ends with an empty list, as for an answer without places.
    InternetCloseHandle(page);
    InternetCloseHandle(internet);
    ResultListClear();
    return 0;
  }
  char buffer[1024];
  DWORD read = 0;
  BOOL ok;
  while ((ok = InternetReadFile(page, buffer, sizeof buffer, &read)) && read > 0)
    std::fwrite(buffer, 1, read, cache);
  InternetCloseHandle(page);
  InternetCloseHandle(internet);
  std::fclose(cache);

  if (ok) return ParseSearchResponse();
  ShowSearchMessage(L"えらー");
  return -1;
}
