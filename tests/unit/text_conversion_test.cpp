// UTF-8, UTF-16 and code page 932 conversions, valid and broken input.
#include <gtest/gtest.h>

#include "platform/codepage.h"
#include "platform/utf.h"

namespace {

// Hand-encoded: 東 U+6771 is E6 9D B1; U+10000 F0 90 80 80, D800 DC00; U+FFFD EF BF BD.
TEST(Utf, BothWaysAndWhatIsBroken) {
  enum { kTo16 = 1, kTo8 = 2, kBoth = 3 };  // which ways a case is read
  const struct {
    std::string utf8;
    std::u16string utf16;
    int ways;
  } cases[] = {
      {"\xF0\x90\x80\x80", u"\xD800\xDC00", kBoth},
      {"\xFF\xE6\x9D", u"\xFFFD\xFFFD\xFFFD", kTo16},
      {"\xC3"
       "A\xF0\x90\x80",
       u"\xFFFD"
       "A\xFFFD\xFFFD\xFFFD",
       kTo16},
      {"x\xEF\xBF\xBD", u"x\xDC00", kTo8},
      {"\xEF\xBF\xBDx", u"\xD800x", kTo8},
      {"\xEF\xBF\xBD", u"\xDBFF", kTo8},
      {"\x80", u"\xFFFD", kTo16},
      // The first and last character of each length (RFC 3629's table): 7F, 80, 7FF, 800, FFFF, 10FFFF.
      {"\x7F\xC2\x80\xDF\xBF\xE0\xA0\x80\xEF\xBF\xBF\xF4\x8F\xBF\xBF", u"\x7F\x80\u07FF\u0800\uFFFF\U0010FFFF", kBoth},
      {"\xEF\xBF\xBD\xEE\x80\x80\xEF\xBF\xBD\xEF\xBF\xBD", u"\xD800\xE000\xDC00\xDC00", kTo8}};  // no pair
  for (const auto& c : cases) {
    if (c.ways & kTo8) {
      EXPECT_EQ(Utf16ToUtf8(c.utf16), c.utf8) << c.utf8;
    }
    if (c.ways & kTo16) {
      EXPECT_EQ(Utf8ToUtf16(c.utf8), c.utf16) << c.utf8;
    }
  }
  // A cut never ends in the first half of a pair; a text that fits stays whole.
  const struct {
    std::u16string text;
    std::size_t limit;
    std::u16string cut;
  } cuts[] = {{u"a\U00010000b", 3, u"a\U00010000"},
              {u"a\U00010000b", 2, u"a"},
              {u"a\xD800", 2, u"a\xD800"},
              {u"abc", 0, u""},
              {u"abc", 5, u"abc"},
              {u"ab\U00010000", 2, u"ab"}};
  for (const auto& c : cuts) EXPECT_EQ(CutUtf16(c.text, c.limit), c.cut) << c.limit;
}

// 東京 is 93 8C 8B 9E in the Shift-JIS table, ｱ (half-width) B1; Thai ก has no place.
TEST(CodePage932, BothWaysUnmappableAndCut) {
  EXPECT_EQ(WideToCodePage932(u"東京ｱA\u0E01"),
            "\x93\x8C\x8B\x9E\xB1"
            "A?");
  EXPECT_EQ(CodePage932ToWide("\x93\x8C\x8B\x9E\xB1"
                              "A\0\x93\x8C",
                              9),
            u"東京ｱA");  // ends at the 0 byte
  EXPECT_EQ(BytesBeforeZero("\0A", 2), 0u);
  EXPECT_EQ(BytesBeforeZero("AB\0C", 4), 2u);
  EXPECT_EQ(BytesBeforeZero("ABCD", 3), 3u);  // no 0 byte within the length: all of it
#ifndef _WIN32
  EXPECT_EQ(CodePage932ToWide("\xA0\x93\x8C\x81", 4), u"\xFFFD東\xFFFD");
#endif
}

}  // namespace
