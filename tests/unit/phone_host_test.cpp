#include "search/phone_host.h"

#include <gtest/gtest.h>

#include "platform/utf.h"

namespace {

// Hosts a "phonehost.txt" might hold, judged by the rule in phone_host.h:
// a host name or IPv4 address (four numbers 0..255), optionally :1..65535.
TEST(PhoneSearchHost, OnlyANameOrAddressWithAnOptionalPortIsUsable) {
  const std::u16string label63(63, u'a'), name253 = label63 + u'.' + label63 + u'.' + label63 + u'.' + std::u16string(61, u'b');
  const struct { std::u16string host; bool usable; } cases[] = {
      {u"127.0.0.1:18080", true}, {u"localhost", true}, {u"Maps-2.Example.JP:80", true}, {u"xn--wgv71a.jp", true},
      {u"255.255.255.255:65535", true}, {u"0.0.0.0:1", true}, {u"a.123", true}, {name253 + u":65535", true}, {label63 + u".jp", true},
      {name253 + u"c", false}, {u"a" + label63 + u".jp", false},  // 254 characters; a 64-character label
      {u"", false}, {u":80", false}, {u"host:", false}, {u"host:0", false}, {u"host:65536", false}, {u"host:123456", false},
      {u"host:08080", false}, {u"host:80:81", false}, {u"host:-1", false}, {u"256.0.0.1", false}, {u"1.2.3", false},
      {u"1.2.3.4.5", false}, {u"01.2.3.4", false}, {u" host", false}, {u"ho st:80", false}, {u"host\t", false}, {u"host/maps", false},
      {u"host?q=1", false}, {u"host#x", false}, {u"evil.jp@host:80", false}, {u"http://host", false}, {u"地図.jp", false},
      {u"ｈｏｓｔ", false}, {u"[::1]:80", false}, {u"host.", false}, {u".host", false}, {u"a..b", false}, {u"-host", false},
      {u"host-.jp", false}, {u"ho_st", false}, {std::u16string(u"ho\0st", 5), false},
  };
  for (const auto& c : cases) EXPECT_EQ(PhoneSearchHostUsable(c.host), c.usable) << Utf16ToUtf8(c.host);
}

}  // namespace
