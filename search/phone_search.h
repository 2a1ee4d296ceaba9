// The phone-number search over the Internet: the term is sent to a web map
// search service, its answer cached in a file, parsed (search/phone_parse.h)
// and deleted.
#pragma once
#include <cstddef>
#include <string>

// Host (and port) of the web map search service; from the build setting
// KARIO_PHONE_SEARCH_HOST, replaceable by tests.
extern std::u16string g_phoneSearchHost;

constexpr std::size_t kPhoneUrlMaxChars = 1023;  // the URL buffer holds 1024
constexpr int kConnectionAttemptLimit = 5;
extern const char16_t kResponseCachePath[];  // "\htmbuff.txt" in the root folder

// "http://" + host + "/maps?q=" + term, the term exactly as typed, cut to
// the URL buffer.
std::u16string PhoneSearchUrl(const std::u16string& host, const std::u16string& term);

#ifdef _WIN32
// Brings up a connection that reaches the Internet.  False when no
// connection came up within kConnectionAttemptLimit requests; a URL that
// cannot be mapped to a network counts as reachable directly (true).
bool OpenInternetConnection();
// Fetches the answer for `term` into the cache file and parses it.  Returns
// the number of result lines, -1 after a failed fetch (its message shown).
int SearchPhoneNumber(const std::u16string& term);
// Parses the cache file, deletes it; the number of lines in the list.
int ParseSearchResponse();
#endif
