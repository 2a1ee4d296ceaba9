// The phone-number search over the Internet: the term is sent to a web map
// search service, its answer kept in a cache file, parsed
// (search/phone_parse.h) and deleted.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

// Host (and port) of the web map search service; from the build setting
// KARIO_PHONE_SEARCH_HOST unless start-up read a usable one from
// "phonehost.txt" (search/phone_host.h); replaceable by tests.
extern std::u16string g_phoneSearchHost;

constexpr std::size_t kPhoneUrlMaxChars = 1023;  // the URL buffer holds 1024
constexpr int kConnectionAttemptLimit = 5;
// An answer must end within this size and this time; one that goes on
// longer fails as a failed read does.  A service that trickles bytes
// forever must not hold the program (nothing else runs meanwhile).
constexpr std::size_t kAnswerMaxBytes = 4u << 20;
constexpr uint32_t kAnswerTimeLimitMs = 2 * 30000;
// "htmbuff.txt": the cache file's name, in the root folder or the temporary one.
extern const char16_t kResponseCacheName[];

// "http://" + host + "/maps?q=" + term, the term exactly as typed, cut to
// the URL buffer.
std::u16string PhoneSearchUrl(const std::u16string& host, const std::u16string& term);

// Brings up a connection that reaches the Internet.  False when no
// connection came up within kConnectionAttemptLimit requests; no network to
// choose counts as reachable directly (true).
bool OpenInternetConnection();

enum class AnswerSaved { Whole, CannotCreate, ReadFailed, WriteFailed };
// Reads the open answer into a new file at `path`, within the limits above.
// An answer cut by a limit counts as ReadFailed; after a failed read the
// file keeps what came, after a failed write it is deleted.
AnswerSaved SaveWebAnswer(const std::u16string& path);

// Fetches the answer for `term`, keeps it in the cache file ("\htmbuff.txt",
// or the same name in the temporary folder where the root cannot be
// written) and parses it.  Returns the number of result lines, -1 after a
// failed fetch (its message shown).
int SearchPhoneNumber(const std::u16string& term);
