// The network connection layer that the phone-number search asks before it
// fetches: map a URL to the destination network that reaches it, request a
// connection synchronously, release the connection (optionally keeping it
// cached).  On a desktop the network is reached directly, so the request
// reports a connection at once.
#pragma once
#include <windows.h>

#include <cstdint>

constexpr uint32_t kConnectionValidDestination = 0x1;  // destination field valid
constexpr uint32_t kConnectionFlagProxyHttp = 0x1;     // an HTTP proxy may be used
constexpr uint32_t kConnectionPriorityUser = 0x8000;   // user-interactive
constexpr uint32_t kConnectionStatusConnected = 0x10;

// The connection request record.  Its layout is fixed at 64 bytes; the
// notification fields are 32 bits on every build because nothing here
// notifies a window.
struct ConnectionRequest {
  uint32_t size;
  uint32_t validParameters;
  uint32_t flags;
  uint32_t priority;
  int32_t exclusive;
  int32_t disabled;
  GUID destination;
  uint32_t notificationWindow;
  uint32_t notificationMessage;
  uint32_t notificationParameter;
  uint32_t maximumCost;
  uint32_t minimumReceiveBandwidth;
  uint32_t maximumConnectionLatency;
};
static_assert(sizeof(ConnectionRequest) == 64, "the connection request record is 64 bytes");

// Writes the destination network for `url` and its index; 0 on success.
HRESULT MapConnectionUrl(const wchar_t* url, GUID* destination, DWORD* index);
// Requests a connection and waits up to `timeoutMs`; writes the connection
// handle and the status (kConnectionStatusConnected when connected).
HRESULT RequestConnectionSync(const ConnectionRequest* request, HANDLE* connection, DWORD timeoutMs, DWORD* status);
// Releases a connection; `cache` nonzero keeps the link up for later use.
HRESULT ReleaseConnection(HANDLE connection, LONG cache);
