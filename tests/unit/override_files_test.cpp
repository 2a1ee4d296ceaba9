#include "shell/override_files.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "tests/unit/test_support.h"

namespace {

std::string Utf16Le(const std::u16string& text, std::string bytes = "") {
  for (char16_t c : text) bytes += {char(c & 0xFF), char(c >> 8)};
  return bytes;
}
bool HasPair(const std::u16string& t) {
  return std::any_of(t.begin(), t.end(), [](char16_t c) { return c >= 0xD800 && c < 0xE000; });
}

// The first line must not depend on how the file was saved: every case in UTF-8 and UTF-16LE, each with and
// without BOM, and in Shift-JIS where it holds the text.  Lines are cut at 255 UTF-16 units, never inside a pair.
TEST(OverrideFirstLine, SameLineInEveryEncoding) {
  const std::u16string pair = u"\U0002000B", a255(255, u'あ');
  const struct {
    std::u16string content;
    bool hasText;
    std::u16string line;
  } cases[] = {
      {u"\\SD\\Data\\Map\\\nsecond\nthird", true, u"\\SD\\Data\\Map\\"},
      {u"\\SD\\Map\\\r\nsecond\r\n", true, u"\\SD\\Map\\"},
      {u"a\rb\n", true, u"a\rb"},
      {u"内部ストレージ\n", true, u"内部ストレージ"},
      {u"\U000E0101\n", true, u"\U000E0101"},
      {u"縺A\n", true, u"縺A"},  // in Shift-JIS the bytes of a UTF-8 lead and one continuation
      {u"縲÷\n", true, u"縲÷"},  // in Shift-JIS a whole UTF-8 sequence, then a lone continuation byte
      {u"ＳＤカード\r\n", true, u"ＳＤカード"},
      {u"", false, u""},
      {u"\nsecond line", false, u""},
      {u"\r\nsecond line", false, u""},
      {std::u16string(u"ab\0cd\n", 6), true, u"ab"},
      {u"  \n", true, u"  "},
      {a255 + u"\nnext", true, a255},
      {a255 + u"あ\nnext", true, a255},
      {std::u16string(254, u'x') + pair, true, std::u16string(254, u'x')},  // the pair would need units 255 and 256
      {std::u16string(253, u'x') + pair, true, std::u16string(253, u'x') + pair},
  };
  for (const auto& c : cases) {
    std::vector<std::string> encodings = {Utf16ToUtf8(c.content), "\xEF\xBB\xBF" + Utf16ToUtf8(c.content),
                                          Utf16Le(c.content, "\xFF\xFE"), Utf16Le(c.content)};
    if (!HasPair(c.content)) encodings.push_back(Sjis(c.content));
    for (const std::string& bytes : encodings) {
      std::u16string line = u"old";
      EXPECT_EQ(DecodeOverrideFirstLine(bytes, &line), c.hasText)
          << Utf16ToUtf8(c.content) << " as " << bytes.size() << " bytes";
      EXPECT_EQ(Utf16ToUtf8(line), Utf16ToUtf8(c.hasText ? c.line : u"old"))
          << Utf16ToUtf8(c.content) << " as " << bytes.size() << " bytes";
    }
  }
  // An odd trailing byte is ignored; UTF-8's smallest two-byte character and a sequence the read cut short are
  // UTF-8, an overlong form is not (C1 BF in Shift-JIS: ﾁｿ).
  const std::pair<std::string, std::u16string> raw[] = {{Utf16Le(u"AB", "\xFF\xFE") + "\x43", u"AB"},
                                                        {"\xC2\x80\n", u"\x80"},
                                                        {"ab\xE6\x9D", u"ab\xFFFD\xFFFD"},
                                                        {"\xC1\xBF", u"ﾁｿ"}};
  for (const auto& [bytes, expected] : raw) {
    std::u16string line;
    EXPECT_TRUE(DecodeOverrideFirstLine(bytes, &line)) << Utf16ToUtf8(expected);
    EXPECT_EQ(Utf16ToUtf8(line), Utf16ToUtf8(expected));
  }
}

}  // namespace
