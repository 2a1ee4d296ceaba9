#include <gtest/gtest.h>

#include <iterator>

#include "search/phone_host.h"
#include "search/phone_parse.h"
#include "search/phone_search.h"
#include "tests/unit/test_support.h"
#include "tools/answer_writer/answer_writer.h"

namespace {

const std::string kShinjuku = "latlng:{lat:35.6895,lng:139.6917}", kShinjukuTail = ", ,502901653,128470591, ";

class PhoneParseTest : public ::testing::Test {
 protected:
  // The first `size` bytes; those after them stay in memory, unread.
  Lines Parse(const std::string& answer, std::size_t size = std::string::npos) {
    ResultListClear();
    const int added =
        ParseSearchResponseBytes(reinterpret_cast<const unsigned char*>(answer.data()), std::min(size, answer.size()));
    EXPECT_EQ(added, ResultListCount());
    return ResultLinesUtf8();
  }
  ReferencePointScope ref_{503000000, 128000000};
};

// Titles pair with the last coordinates; keys count only outside titles and
// pairs; titles have no escapes.  A latitude whose first degree character is
// '0' is taken as read, so the raw reading shows.
TEST_F(PhoneParseTest, CoordinatesTitlesAndKeys) {
  const struct {
    std::string answer;
    Lines lines;
  } cases[] = {
      {BuildAnswerPage({{"35.6895", "139.6917", Sjis(u"新宿")}, {"34.702485", "135.495951", Sjis(u"大阪駅")}}),
       {"  14km,新宿" + kShinjukuTail, " 384km,大阪駅, ,487795538,124917221, "}},
      {"latlng:{lat:05.6895,lng:001.5},sxti:\"t\"", {"   0km,t, ,5400000,20482200, "}},  // padded to 689500, 500000
      {"latlng:{lat:05.1234567,lng:001.9999999},sxti:\"t\"", {"   0km,t, ,7199996,18444441, "}},  // 7th digit dropped
      {"latlng:{lat:0-.5,lng:-01.5},sxti:\"t\"", {"   0km,t, ,-1800000,1800000, "}},
      {"latlng:{lat:0x.ab,lng:999.999999},sxti:\"t\"", {"   0km,t, ,2147483647,0, "}},  // clamped
      {kShinjuku + ",sxti:\"a\",sxti:\"b\"", {"  14km,a" + kShinjukuTail, "  14km,b" + kShinjukuTail}},
      {kShinjuku + ",sxti:\"a\" latlng:{lat:00.000000,lng:000.000000},sxti:\"z\"",
       {"  14km,a" + kShinjukuTail, "  14km,z, ,0,0, "}},
      {",sxti:\"ab\\\"cd\",sxti:\"e\"", {"   0km,ab\\, ,0,0, ", "   0km,e, ,0,0, "}},
      {",sxti:\"" + kShinjuku + "\"", {"   0km," + kShinjuku + ", ,0,0, "}},
      {"sxti:\"x\" ,sxti \"y\"", {}},
      {",sxti:\"before\"", {"   0km,before, ,0,0, "}},
      // 139.6917 and 35.0 degrees to the Tokyo datum by hand: (139.6917 × 1.000083049 + 35 × 0.000046047 −
      // 0.010041) × 3600000 = 502901538.84, (35 × 1.00010696 − 139.6917 × 0.000017467 − 0.004602) × 3600000 =
      // 125988125.78; 2 and 61 steps from the point: √3725 = 61.03 km.
      {"latlng:{lat:35.0,lng:139.6917},sxti:\"x\"", {"  61km,x, ,502901538,125988125, "}}};
  for (const auto& c : cases) EXPECT_EQ(Parse(c.answer), c.lines) << c.answer;
}

// Long titles are cut (in characters, not bytes) so that the coordinates stay.
TEST_F(PhoneParseTest, LongTitlesAreCutToKeepTheCoordinates) {
  // 63 characters: "  14km," (7), the title, ", ,502901653,128470591, " (24) leave 32 for the title.
  for (auto [length, kept] : {std::pair{31, 31}, {32, 32}, {33, 32}, {320, 32}, {5000, 32}})
    EXPECT_EQ(Parse(kShinjuku + ",sxti:\"" + std::string(length, 'T') + '"'),
              Lines{"  14km," + std::string(kept, 'T') + kShinjukuTail});
  // "   0km," (7) and ", ,0,0, " (8) leave 48 of the 63 characters for the title.
  EXPECT_EQ(Parse(",sxti:\"" + Sjis(std::u16string(100, u'名')) + "\""),
            Lines{"   0km," + Utf16ToUtf8(std::u16string(48, u'名')) + ", ,0,0, "});
}

TEST_F(PhoneParseTest, EveryTruncationEndsCleanly) {
  const std::string answer = "x " + kShinjuku + ",sxti:\"a\" latlng:{lat:34.702485,lng:135.495951},sxti:\"b\"";
  const std::size_t endA = answer.find("\" latlng") + 1;
  for (std::size_t size = 0; size <= answer.size(); ++size) {
    const Lines lines = Parse(answer, size);
    ASSERT_EQ(lines.size(), std::size_t(size >= endA) + (size == answer.size())) << "size " << size;
    if (!lines.empty()) {
      EXPECT_EQ(lines[0], "  14km,a" + kShinjukuTail);
    }
  }
}

TEST(PhoneSearchUrlTest, TermGoesInAsTypedAndTheUrlIsCut) {
  EXPECT_EQ(PhoneSearchUrl(u"h", u"新宿&x=1 2"), u"http://h/maps?q=新宿&x=1 2");
  // The URL buffer holds 1023 characters and its end: "http://" and 1016 of the host's.
  EXPECT_EQ(PhoneSearchUrl(std::u16string(2000, u'h'), u"1"), u"http://" + std::u16string(1016, u'h'));
}

// Hosts a "phonehost.txt" might hold: a host name or IPv4 address, optionally :1..65535 (phone_host.h).
TEST(PhoneSearchHost, OnlyANameOrAddressWithAnOptionalPortIsUsable) {
  const std::u16string label63(63, u'a'),
      name253 = label63 + u'.' + label63 + u'.' + label63 + u'.' + std::u16string(61, u'b');
  const struct {
    std::u16string host;
    bool usable;
  } cases[] = {
      {u"127.0.0.1:18080", true},
      {u"Maps-2.Example.JP:80", true},
      {u"255.255.255.255:65535", true},
      {u"0.0.0.0:1", true},
      {u"a.123", true},
      {name253 + u":65535", true},
      {label63 + u".jp", true},
      {name253 + u"c", false},
      {u"a" + label63 + u".jp", false},  // 254 characters; a 64-character label
      {u"", false},
      {u":80", false},
      {u"host:", false},
      {u"host:0", false},
      {u"host:65536", false},
      {u"host:123456", false},
      {u"host:08080", false},
      {u"host:80:81", false},
      {u"host:-1", false},
      {u"256.0.0.1", false},
      {u"1.2.3", false},
      {u"1.2.3.4.5", false},
      {u"01.2.3.4", false},
      {u"evil.jp@host:80", false},
      {u"http://host", false},
      {u"[::1]:80", false},
      {u"host.", false},
      {u".host", false},
      {u"a..b", false},
      {u"-host", false},
      {u"host-.jp", false},
  };
  for (const auto& c : cases) EXPECT_EQ(PhoneSearchHostUsable(c.host), c.usable) << Utf16ToUtf8(c.host);
  // One character in the middle of a name: only an ASCII letter, a digit, '-' or '.' keeps it a name; anything else
  // (a blank, '/', '?', '#', '@', '_', a 0, kana, full-width letters) refuses it.
  const char16_t middles[] = u"\0\t /:?#@[]_`{~\x7F\x80ａあ-.09AZaz";
  for (char16_t c : std::u16string(middles, std::size(middles) - 1)) {
    const bool nameCharacter =
        (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || c == u'-' || c == u'.';
    EXPECT_EQ(PhoneSearchHostUsable(u"ho" + std::u16string(1, c) + u"st"), nameCharacter) << int(c);
  }
}

}  // namespace
