// What the phone-number search asks of the platform: the connection layer
// and the HTTP client.  The Windows side is internet_win.cpp; unit tests
// put a recording fake in its place.  The connection handle and the open
// answer are process-wide, one at a time.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

// Looks up the network that reaches the Internet, from the mapping index
// `index` on (the layer may write it); false when there is no network to
// choose (the fetch then goes out directly).
bool ChooseInternetNetwork(uint32_t* index);
struct ConnectionAttempt {
  bool held;       // the layer handed out a connection handle
  bool connected;  // and it came up
};
// Requests a connection and waits for it, up to the layer's time limit.
ConnectionAttempt RequestInternetConnection();
// Gives the connection handle back; `keepCached` leaves the link up.
void ReleaseInternetConnection(bool keepCached);

// The HTTP client's request flags: always from the server, never from a
// cache, and the answer not written to the system's cache either.  The
// program keeps the answer in a file of its own and deletes it after the
// parse; the system's cache would keep every number looked up, with its URL,
// for anyone to read.
constexpr uint32_t kFetchFromServer = 0x80000000;
constexpr uint32_t kFetchNotCached = 0x04000000;

// Opens the answer for `url` with the request `flags` (connect, send and
// receive each limited to kFetchStepTimeoutMs); false with the platform's
// error number.
bool OpenWebAnswer(const std::u16string& url, uint32_t flags, uint32_t* error);
// The next bytes of the answer; `read` 0 at its end.  False when reading failed.
bool ReadWebAnswer(char* buffer, std::size_t capacity, std::size_t* read);
void CloseWebAnswer();
// Milliseconds of a clock that only moves forward (it may wrap).
uint32_t TickMilliseconds();
// The user's folder for temporary files, ending in '\'; empty when unknown.
std::u16string TemporaryFolder();

constexpr uint32_t kFetchStepTimeoutMs = 30000;
