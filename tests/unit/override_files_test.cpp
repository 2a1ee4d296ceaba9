#include "shell/override_files.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "tests/unit/test_support.h"

namespace {

std::string Utf16Le(const std::u16string& text, std::string bytes = "") {
  for (char16_t c : text) {
    bytes.push_back(static_cast<char>(c & 0xFF));
    bytes.push_back(static_cast<char>(c >> 8));
  }
  return bytes;
}
std::string Utf16LeWithBom(const std::u16string& text) { return Utf16Le(text, "\xFF\xFE"); }

std::string Utf8(const std::u16string& text) { return Utf16ToUtf8(text); }

// Every case in all accepted encodings: the first line must not
// depend on how the file was saved.
TEST(OverrideFirstLine, SameLineInEveryEncoding) {
  const struct {
    const char* name;
    std::u16string content;  // the file's text before encoding
    bool hasText;
    std::u16string line;
  } cases[] = {
      {"plain folder", u"\\SD\\Data\\Map\\", true, u"\\SD\\Data\\Map\\"},
      {"further lines ignored", u"\\SD\\Data\\Map\\\nsecond\nthird", true, u"\\SD\\Data\\Map\\"},
      {"desktop line end", u"\\SD\\Map\\\r\nsecond\r\n", true, u"\\SD\\Map\\"},
      {"only a carriage return is kept inside", u"a\rb\n", true, u"a\rb"},
      {"Japanese card name", u"内部ストレージ\n", true, u"内部ストレージ"},
      {"full-width card name", u"ＳＤカード\r\n", true, u"ＳＤカード"},
      {"empty file", u"", false, u""},
      {"empty first line", u"\nsecond line", false, u""},
      {"first line only CR", u"\r\nsecond line", false, u""},
      {"NUL ends the line", std::u16string(u"ab\0cd\n", 6), true, u"ab"},
      {"blanks are text", u"  \n", true, u"  "},
  };
  for (const auto& c : cases) {
    const std::pair<const char*, std::string> encodings[] = {
        {"UTF-8", Utf8(c.content)},
        {"UTF-8 BOM", "\xEF\xBB\xBF" + Utf8(c.content)},
        {"UTF-16LE BOM", Utf16LeWithBom(c.content)},
        {"UTF-16LE", Utf16Le(c.content)},
        {"Shift-JIS", Sjis(c.content)},
    };
    for (const auto& encoding : encodings) {
      std::u16string line = u"old";
      bool got = DecodeOverrideFirstLine(encoding.second, &line);
      EXPECT_EQ(got, c.hasText) << c.name << " in " << encoding.first;
      EXPECT_EQ(Utf16ToUtf8(line), Utf16ToUtf8(c.hasText ? c.line : u"old"))
          << c.name << " in " << encoding.first;
    }
  }
}

// Long lines are cut at 255 UTF-16 units, never inside a surrogate pair; an
// odd trailing byte of UTF-16 is ignored.
TEST(OverrideFirstLine, CutsAndOddBytes) {
  const std::u16string pair = u"\U0002000B";
  const struct {
    std::string bytes;
    std::u16string line;
  } cases[] = {
      {Utf8(std::u16string(254, u'あ')) + "\nnext", std::u16string(254, u'あ')},
      {Utf8(std::u16string(255, u'あ')) + "\nnext", std::u16string(255, u'あ')},
      {Utf8(std::u16string(256, u'あ')) + "\nnext", std::u16string(255, u'あ')},
      {Utf8(std::u16string(1000, u'あ')), std::u16string(255, u'あ')},
      {Utf16LeWithBom(std::u16string(255, u'あ')), std::u16string(255, u'あ')},
      {Utf16LeWithBom(std::u16string(256, u'あ')), std::u16string(255, u'あ')},
      {Utf8(std::u16string(254, u'x') + pair), std::u16string(254, u'x')},  // the pair needs units 255 and 256
      {Utf8(std::u16string(253, u'x') + pair), std::u16string(253, u'x') + pair},
      {Utf16LeWithBom(u"AB") + "\x43", u"AB"},
  };
  for (const auto& c : cases) {
    std::u16string line;
    ASSERT_TRUE(DecodeOverrideFirstLine(c.bytes, &line)) << c.bytes.size() << " bytes";
    EXPECT_EQ(Utf16ToUtf8(line), Utf16ToUtf8(c.line)) << c.bytes.size() << " bytes";
  }
}

TEST(OverrideFile, MissingFileKeepsValueAndPresentFileReplacesIt) {
  std::string path = ::testing::TempDir() + "kario_override_test.txt";
  std::u16string devicePath = Utf8ToUtf16(path);
  std::remove(path.c_str());
  std::u16string value = u"\\Old\\Map\\";
  EXPECT_FALSE(ApplyOverrideFile(devicePath, &value));
  EXPECT_EQ(value, u"\\Old\\Map\\");
  WriteBytesTo(path, "\xEF\xBB\xBF\\SD\\Data\\Map\\\r\nignored\n");
  EXPECT_TRUE(ApplyOverrideFile(devicePath, &value));
  EXPECT_EQ(value, u"\\SD\\Data\\Map\\");
  WriteBytesTo(path, std::string(5000, 'z'));  // a long line from disk is cut, not overflowed
  EXPECT_TRUE(ApplyOverrideFile(devicePath, &value));
  EXPECT_EQ(value, std::u16string(255, u'z'));
  std::remove(path.c_str());
}

}  // namespace
