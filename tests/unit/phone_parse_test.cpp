#include <gtest/gtest.h>

#include "platform/files.h"
#include "search/coordinates.h"
#include "search/phone_parse.h"
#include "search/phone_search.h"
#include "tests/unit/test_support.h"
#include "tools/answer_writer/answer_writer.h"

namespace {

class PhoneParseTest : public ::testing::Test {
 protected:
  // Parses `answer` into a fresh list; returns the lines in list order.
  std::vector<std::string> Parse(const std::string& answer) {
    ResultListClear();
    int added = ParseSearchResponseBytes(reinterpret_cast<const unsigned char*>(answer.data()), answer.size());
    EXPECT_EQ(added, ResultListCount());
    return ResultLinesUtf8();
  }
  ReferencePointScope ref_{503000000, 128000000};
};

using Lines = std::vector<std::string>;

TEST_F(PhoneParseTest, WriterAnswerGivesConvertedPlaces) {
  std::string page = BuildAnswerPage({{"35.6895", "139.6917", Sjis(u"新宿")},
                                      {"34.702485", "135.495951", Sjis(u"大阪駅")}});
  // Osaka: WGS84 (487785424, 124928946) ms; Tokyo values and the distance
  // (dx 372, dy 94 steps) worked out by hand.
  EXPECT_EQ(Parse(page), (Lines{"  14km,新宿, ,502901653,128470591, ",
                                " 384km,大阪駅, ,487795538,124917221, "}));
}

TEST_F(PhoneParseTest, CoordinateTextRules) {
  // A latitude whose first degree character is '0' is taken as read, so the
  // raw reading shows in the line.
  struct Case {
    const char* pair;
    const char* expected;  // lon,lat
  } cases[] = {
      {"lat:05.6895,lng:001.5}", "5400000,20482200"},            // padded to 689500, 500000
      {"lat:05.1234567,lng:001.9999999}", "7199996,18444441"},   // 7th digit dropped
      {"lat:00.000000,lng:000.000000}", "0,0"},
      {"lat:05.,lng:001.}", "3600000,18000000"},                 // no fraction digits
      {"lat:0-.5,lng:-01.5}", "-1800000,1800000"},
      {"lat:0x.ab,lng:999.999999}", "2147483647,0"},             // beyond 32 bits: clamped
  };
  for (const Case& c : cases) {
    std::string answer = std::string("latlng:{") + c.pair + ",sxti:\"t\"";
    EXPECT_EQ(Parse(answer), Lines{std::string("   0km,t, ,") + c.expected + ", "}) << c.pair;
  }
}

TEST_F(PhoneParseTest, WholeDegreesAreExact) {
  // 35.0 degrees is exactly 126000000 ms before the conversion.
  TokyoPoint p = ConvertWgs84ToTokyo(502890120.0, 126000000.0);
  Lines lines = Parse("latlng:{lat:35.0,lng:139.6917},sxti:\"x\"");
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_NE(lines[0].find(", ," + std::to_string(p.lon) + "," + std::to_string(p.lat) + ", "), std::string::npos)
      << lines[0];
}

// Titles pair with the last coordinates; keys count only outside titles and
// pairs; titles have no escapes (the title ends at an escaped quote and the
// rest is scanned on).
TEST_F(PhoneParseTest, TitlesAndKeys) {
  const std::string shinjuku = "latlng:{lat:35.6895,lng:139.6917}";
  const struct {
    std::string answer;
    Lines lines;
  } cases[] = {
      {",sxti:\"before\"", {"   0km,before, ,0,0, "}},
      {shinjuku + ",sxti:\"a\",sxti:\"b\"", {"  14km,a, ,502901653,128470591, ", "  14km,b, ,502901653,128470591, "}},
      // A '0' pair keeps the previous distance.
      {shinjuku + ",sxti:\"a\" latlng:{lat:00.000000,lng:000.000000},sxti:\"z\"",
       {"  14km,a, ,502901653,128470591, ", "  14km,z, ,0,0, "}},
      {"<p>no places here</p>", {}},
      {",sxti:\"\"", {"   0km,, ,0,0, "}},
      {",sxti:\"ab\\\"cd\",sxti:\"e\"", {"   0km,ab\\, ,0,0, ", "   0km,e, ,0,0, "}},
      {",sxti:\"" + shinjuku + "\"", {"   0km," + shinjuku + ", ,0,0, "}},
      {"sxti:\"x\" ,sxti \"y\"", {}},
  };
  for (const auto& c : cases) EXPECT_EQ(Parse(c.answer), c.lines) << c.answer;
}

TEST_F(PhoneParseTest, LongTitlesAreCutToKeepTheCoordinates) {
  for (std::size_t length : {40u, 41u, 319u, 320u, 639u, 640u, 5000u}) {
    std::string answer = "latlng:{lat:35.6895,lng:139.6917},sxti:\"" + std::string(length, 'T') + "\"";
    Lines lines = Parse(answer);
    ASSERT_EQ(lines.size(), 1u) << length;
    const std::string tail = ", ,502901653,128470591, ";
    EXPECT_LE(lines[0].size(), kPhoneLineMaxChars) << length;
    ASSERT_GT(lines[0].size(), tail.size());
    EXPECT_EQ(lines[0].substr(lines[0].size() - tail.size()), tail) << length;
    std::size_t kept = lines[0].size() - tail.size() - std::string("  14km,").size();
    EXPECT_EQ(kept, std::min<std::size_t>(length, 63 - 7 - tail.size())) << length;
  }
  // Double-byte titles count characters, not bytes.
  std::u16string kanji(100, u'名');
  Lines lines = Parse(",sxti:\"" + WideToCodePage932(kanji) + "\"");
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(Utf8ToUtf16(lines[0]).size(), kPhoneLineMaxChars);
}

TEST_F(PhoneParseTest, EveryTruncationEndsCleanly) {
  const std::string answer =
      "x latlng:{lat:35.6895,lng:139.6917},sxti:\"a\" latlng:{lat:34.702485,lng:135.495951},sxti:\"b\"";
  const std::size_t endA = answer.find("\" latlng") + 1;
  const std::size_t endB = answer.size();
  for (std::size_t size = 0; size <= answer.size(); ++size) {
    Lines lines = Parse(answer.substr(0, size));
    std::size_t expected = (size >= endA) + (size >= endB);
    ASSERT_EQ(lines.size(), expected) << "size " << size;
    if (expected > 0) EXPECT_EQ(lines[0], "  14km,a, ,502901653,128470591, ");
  }
}

TEST_F(PhoneParseTest, FileParseClearsListAndDeletesTheCache) {
  std::string path = testing::TempDir() + "phone_parse_cache.txt";
  std::u16string devicePath = Utf8ToUtf16(path);
  std::string page = BuildAnswerPage({{"35.6895", "139.6917", Sjis(u"新宿")}, {"", "", Sjis(u"座標なし")}});
  WriteBytesTo(path, page);
  ResultListAdd(u"old");
  EXPECT_EQ(ParseSearchResponseFile(devicePath), 2);
  EXPECT_FALSE(DeviceFileExists(devicePath));
  // The pair before the second title is the first place's.
  EXPECT_EQ(Utf16ToUtf8(ResultListLines()[1]), "  14km,新宿, ,502901653,128470591, ");
  EXPECT_EQ(Utf16ToUtf8(ResultListLines()[0]), "  14km,座標なし, ,502901653,128470591, ");

  ResultListAdd(u"old");
  EXPECT_EQ(ParseSearchResponseFile(devicePath), 0);  // no cache file
  EXPECT_EQ(ResultListCount(), 0);
}

TEST_F(PhoneParseTest, AnswerTsvLines) {
  AnswerPlace place;
  std::string error;
  ASSERT_TRUE(ParseAnswerTsvLine("35.6895\t139.6917\t新宿\r", place, error)) << error;
  EXPECT_EQ(place.lat, "35.6895");
  EXPECT_EQ(place.title, Sjis(u"新宿"));
  EXPECT_FALSE(ParseAnswerTsvLine("35.6895\t139.6917", place, error));
  EXPECT_FALSE(ParseAnswerTsvLine("1\t2\ta\"b", place, error));
}

TEST(PhoneSearchUrlTest, TermGoesInAsTypedAndTheUrlIsCut) {
  EXPECT_EQ(PhoneSearchUrl(u"127.0.0.1:18080", u"03 3344-5566"), u"http://127.0.0.1:18080/maps?q=03 3344-5566");
  EXPECT_EQ(PhoneSearchUrl(u"h", u"新宿&x=1"), u"http://h/maps?q=新宿&x=1");
  std::u16string url = PhoneSearchUrl(std::u16string(2000, u'h'), u"1");
  EXPECT_EQ(url.size(), kPhoneUrlMaxChars);
  EXPECT_EQ(url.substr(0, 8), u"http://h");
}

}  // namespace
