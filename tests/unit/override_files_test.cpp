#include "shell/override_files.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "platform/utf.h"

namespace {

std::string Utf16LeWithBom(const std::u16string& text) {
  std::string bytes = "\xFF\xFE";
  for (char16_t c : text) {
    bytes.push_back(static_cast<char>(c & 0xFF));
    bytes.push_back(static_cast<char>(c >> 8));
  }
  return bytes;
}

std::string Utf8(const std::u16string& text) { return Utf16ToUtf8(text); }

struct LineCase {
  const char* name;
  std::u16string content;  // the file's text before encoding
  bool hasText;
  std::u16string line;
};

// Every case is checked in all three accepted encodings: the decoded first
// line must not depend on how the file was saved.
TEST(OverrideFirstLine, SameLineInEveryEncoding) {
  const LineCase cases[] = {
      {"plain folder", u"\\SD\\Data\\Map\\", true, u"\\SD\\Data\\Map\\"},
      {"further lines ignored", u"\\SD\\Data\\Map\\\nsecond\nthird", true, u"\\SD\\Data\\Map\\"},
      {"desktop line end", u"\\SD\\Map\\\r\nsecond\r\n", true, u"\\SD\\Map\\"},
      {"only a carriage return is kept inside", u"a\rb\n", true, u"a\rb"},
      {"Japanese card name", u"内部ストレージ\n", true, u"内部ストレージ"},
      {"empty file", u"", false, u""},
      {"empty first line", u"\nsecond line", false, u""},
      {"first line only CR", u"\r\nsecond line", false, u""},
      {"NUL ends the line", std::u16string(u"ab\0cd\n", 6), true, u"ab"},
      {"blanks are text", u"  \n", true, u"  "},
  };
  for (const LineCase& c : cases) {
    const std::pair<const char*, std::string> encodings[] = {
        {"UTF-8", Utf8(c.content)},
        {"UTF-8 BOM", "\xEF\xBB\xBF" + Utf8(c.content)},
        {"UTF-16LE BOM", Utf16LeWithBom(c.content)},
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

TEST(OverrideFirstLine, LongLineIsCutAt255Units) {
  for (std::size_t length : {254u, 255u, 256u, 1000u}) {
    std::u16string text(length, u'あ');
    std::u16string line;
    ASSERT_TRUE(DecodeOverrideFirstLine(Utf8(text) + "\nnext", &line)) << length;
    EXPECT_EQ(line.size(), length < 255 ? length : 255u) << length;
    ASSERT_TRUE(DecodeOverrideFirstLine(Utf16LeWithBom(text), &line)) << length;
    EXPECT_EQ(line.size(), length < 255 ? length : 255u) << length;
  }
}

TEST(OverrideFirstLine, CutNeverSplitsASurrogatePair) {
  // 254 units, then a character outside the BMP that needs units 255 and 256.
  std::u16string text(254, u'x');
  text += u"\U0002000B";
  std::u16string line;
  ASSERT_TRUE(DecodeOverrideFirstLine(Utf8(text), &line));
  EXPECT_EQ(line, std::u16string(254, u'x'));
  // Fitting exactly: 253 units plus the pair is 255.
  text = std::u16string(253, u'x') + u"\U0002000B";
  ASSERT_TRUE(DecodeOverrideFirstLine(Utf8(text), &line));
  EXPECT_EQ(line, text);
}

TEST(OverrideFirstLine, OddTrailingByteOfUtf16IsIgnored) {
  std::string bytes = Utf16LeWithBom(u"AB") + "\x43";
  std::u16string line;
  ASSERT_TRUE(DecodeOverrideFirstLine(bytes, &line));
  EXPECT_EQ(line, u"AB");
}

TEST(OverrideFile, MissingFileKeepsValueAndPresentFileReplacesIt) {
  std::string path = ::testing::TempDir() + "kario_override_test.txt";
  std::u16string devicePath = Utf8ToUtf16(path);
  std::remove(path.c_str());
  std::u16string value = u"\\Old\\Map\\";
  EXPECT_FALSE(ApplyOverrideFile(devicePath, &value));
  EXPECT_EQ(value, u"\\Old\\Map\\");

  std::FILE* f = std::fopen(path.c_str(), "wb");
  ASSERT_NE(f, nullptr);
  std::string content = "\xEF\xBB\xBF\\SD\\Data\\Map\\\r\nignored\n";
  std::fwrite(content.data(), 1, content.size(), f);
  std::fclose(f);
  EXPECT_TRUE(ApplyOverrideFile(devicePath, &value));
  EXPECT_EQ(value, u"\\SD\\Data\\Map\\");

  // A long first line read from disk is cut, not overflowed.
  f = std::fopen(path.c_str(), "wb");
  ASSERT_NE(f, nullptr);
  std::string longLine(5000, 'z');
  std::fwrite(longLine.data(), 1, longLine.size(), f);
  std::fclose(f);
  EXPECT_TRUE(ApplyOverrideFile(devicePath, &value));
  EXPECT_EQ(value, std::u16string(255, u'z'));
  std::remove(path.c_str());
}

}  // namespace
