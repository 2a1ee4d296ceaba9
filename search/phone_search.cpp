#include "search/phone_search.h"

#include "platform/utf.h"

#ifndef KARIO_PHONE_SEARCH_HOST
#define KARIO_PHONE_SEARCH_HOST "127.0.0.1:18080"
#endif

std::u16string g_phoneSearchHost = Utf8ToUtf16(KARIO_PHONE_SEARCH_HOST);

const char16_t kResponseCachePath[] = u"\\htmbuff.txt";

std::u16string PhoneSearchUrl(const std::u16string& host, const std::u16string& term) {
  std::u16string url = u"http://" + host + u"/maps?q=" + term;
  if (url.size() > kPhoneUrlMaxChars) {
    std::size_t n = kPhoneUrlMaxChars;
    if (url[n - 1] >= 0xD800 && url[n - 1] < 0xDC00) --n;
    url.resize(n);
  }
  return url;
}
