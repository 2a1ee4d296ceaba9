#include "platform/connection_manager_win.h"

ConnectionSimulation g_connectionSimulation = ConnectionSimulation::Connects;

namespace {
// The one network a desktop has: the Internet, reached directly.
const GUID kInternetDestination = {0x436ef144, 0xb4fb, 0x4863, {0xa0, 0x41, 0x8f, 0x90, 0x5a, 0x62, 0xc5, 0x72}};
int g_openConnections = 0;
int g_requests = 0;
}  // namespace

HRESULT MapConnectionUrl(const wchar_t* url, GUID* destination, DWORD* index) {
  if (url == nullptr || destination == nullptr || index == nullptr) return E_INVALIDARG;
  if (g_connectionSimulation == ConnectionSimulation::RefusesUrl) return E_FAIL;
  *destination = kInternetDestination;
  return S_OK;
}

HRESULT RequestConnectionSync(const ConnectionRequest* request, HANDLE* connection,
                              DWORD timeoutMs, DWORD* status) {
  (void)timeoutMs;  // nothing to wait for on a desktop
  if (request == nullptr || request->size != sizeof(ConnectionRequest) || connection == nullptr ||
      status == nullptr)
    return E_INVALIDARG;
  ++g_requests;
  ++g_openConnections;
  // Any non-null value serves as the handle; it only counts requests.
  *connection = reinterpret_cast<HANDLE>(static_cast<INT_PTR>(g_requests));
  *status = g_connectionSimulation == ConnectionSimulation::NeverConnects ? kConnectionStatusFailed
                                                                          : kConnectionStatusConnected;
  return S_OK;
}

HRESULT ReleaseConnection(HANDLE connection, LONG cache) {
  (void)cache;
  if (connection == nullptr) return E_INVALIDARG;
  if (g_openConnections > 0) --g_openConnections;
  return S_OK;
}

int OpenConnectionCount() { return g_openConnections; }
int ConnectionRequestCount() { return g_requests; }
