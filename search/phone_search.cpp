#include "search/phone_search.h"

#include <cstdio>

#include "core/messages.h"
#include "platform/files.h"
#include "platform/message_box.h"
#include "platform/result_list.h"
#include "platform/utf.h"
#include "search/internet.h"
#include "search/phone_parse.h"

#ifndef KARIO_PHONE_SEARCH_HOST
#define KARIO_PHONE_SEARCH_HOST "127.0.0.1:18080"
#endif

// NOLINTNEXTLINE(cert-err58-cpp): a few bytes at start-up; without them the program could not run anyway
std::u16string g_phoneSearchHost = Utf8ToUtf16(KARIO_PHONE_SEARCH_HOST);

const char16_t kResponseCacheName[] = u"htmbuff.txt";

namespace {

// The platform's "cannot connect" error number, shown when no connection came up.
constexpr uint32_t kErrorCannotConnect = 12029;

}  // namespace

std::u16string PhoneSearchUrl(const std::u16string& host, const std::u16string& term) {
  return CutUtf16(u"http://" + host + u"/maps?q=" + term, kPhoneUrlMaxChars);
}

bool OpenInternetConnection() {
  bool held = false;
  bool connected = false;
  // The layer may move the index on; the next attempt goes on from there.
  uint32_t index = 0;
  for (int attempt = 0; attempt < kConnectionAttemptLimit; ++attempt) {
    if (!ChooseInternetNetwork(&index)) {
      connected = true;
      break;
    }
    // A request that did not connect is given back before the next one, so
    // that failed attempts do not pile up in the connection layer.
    if (held) ReleaseInternetConnection(false);
    const ConnectionAttempt request = RequestInternetConnection();
    held = request.held;
    if (request.connected) {
      connected = true;
      break;
    }
  }
  // Keep the link cached for the fetch that follows.
  if (held) ReleaseInternetConnection(true);
  return connected;
}

AnswerSaved SaveWebAnswer(const std::u16string& path) {
  std::FILE* file = OpenDeviceFile(path, "wb");
  if (!file) return AnswerSaved::CannotCreate;
  AnswerSaved saved = AnswerSaved::Whole;
  const uint32_t start = TickMilliseconds();
  std::size_t total = 0;
  char buffer[4096];
  for (;;) {
    // An answer that has not ended by the time limit is cut, and a cut
    // answer is no answer: it would list fewer places without a word.
    if (TickMilliseconds() - start >= kAnswerTimeLimitMs) {
      saved = AnswerSaved::ReadFailed;
      break;
    }
    std::size_t read = 0;
    if (!ReadWebAnswer(buffer, sizeof buffer, &read)) {
      saved = AnswerSaved::ReadFailed;
      break;
    }
    if (read == 0) break;
    // So is one that goes on past the size limit.
    if (read > kAnswerMaxBytes - total) {
      saved = AnswerSaved::ReadFailed;
      break;
    }
    if (std::fwrite(buffer, 1, read, file) != read) {
      saved = AnswerSaved::WriteFailed;
      break;
    }
    total += read;
  }
  // Buffered bytes that cannot be written show up only here.
  if (std::fclose(file) != 0 && saved == AnswerSaved::Whole) saved = AnswerSaved::WriteFailed;
  // A file the answer could not be written into whole is of no use to
  // anyone; after a failed read the file stays until the next fetch.
  if (saved == AnswerSaved::WriteFailed) DeleteDeviceFile(path);
  return saved;
}

int SearchPhoneNumber(const std::u16string& term) {
  const std::u16string url = PhoneSearchUrl(g_phoneSearchHost, term);
  uint32_t error = kErrorCannotConnect;
  if (!OpenInternetConnection() || !OpenWebAnswer(url, kFetchFromServer | kFetchNotCached, &error)) {
    ShowMessage(ConnectionFailureMessage(error));
    return -1;
  }
  // The root folder of a desktop is not writable for an ordinary user.
  std::u16string cache = u"\\" + std::u16string(kResponseCacheName);
  AnswerSaved saved = SaveWebAnswer(cache);
  const std::u16string temporary = saved == AnswerSaved::CannotCreate ? TemporaryFolder() : u"";
  if (!temporary.empty()) {
    cache = temporary + kResponseCacheName;
    saved = SaveWebAnswer(cache);
  }
  CloseWebAnswer();
  switch (saved) {
    case AnswerSaved::Whole:
      return ParseSearchResponseFile(cache);
    case AnswerSaved::CannotCreate:
      // Without a place to keep the answer there is nothing to parse: the
      // search ends with an empty list, as for an answer without places.
      ResultListClear();
      return 0;
    default:
      ShowMessage(kFetchFailedMessage);
      return -1;
  }
}
