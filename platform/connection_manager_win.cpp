#include "platform/connection_manager_win.h"

namespace {
// The one network a desktop has: the Internet, reached directly.
const GUID kInternetDestination = {0x436ef144, 0xb4fb, 0x4863, {0xa0, 0x41, 0x8f, 0x90, 0x5a, 0x62, 0xc5, 0x72}};
// Each request's handle is a new non-null value; nothing else is kept.
uintptr_t g_lastHandle = 0;
}  // namespace

HRESULT MapConnectionUrl(const wchar_t* url, GUID* destination, DWORD* index) {
  if (url == nullptr || destination == nullptr || index == nullptr) return E_INVALIDARG;
  *destination = kInternetDestination;
  return S_OK;
}

HRESULT RequestConnectionSync(const ConnectionRequest* request, HANDLE* connection, DWORD timeoutMs, DWORD* status) {
  (void)timeoutMs;  // nothing to wait for on a desktop
  if (request == nullptr || request->size != sizeof(ConnectionRequest) || connection == nullptr || status == nullptr)
    return E_INVALIDARG;
  *connection = reinterpret_cast<HANDLE>(++g_lastHandle);
  *status = kConnectionStatusConnected;
  return S_OK;
}

HRESULT ReleaseConnection(HANDLE connection, LONG cache) {
  (void)cache;
  if (connection == nullptr) return E_INVALIDARG;
  return S_OK;
}
