#include <gtest/gtest.h>

#include <cstdio>

#include "search/qlcode_search.h"
#include "tests/unit/test_support.h"
#include "tools/qlcode_writer/qlcode_writer.h"

namespace {

constexpr int32_t kRefLon = 503000000;
constexpr int32_t kRefLat = 128000000;
constexpr int32_t kLonStep = 40865;
constexpr int32_t kLatStep = 32692;

QLCodeRecord Record(int32_t code, int32_t lon, int32_t lat, const std::string& name, const char16_t* info) {
  QLCodeRecord r;
  r.code = code, r.lon = lon, r.lat = lat, r.name = name, r.info = Sjis(info);
  return r;
}
QLCodeRecord Record(int32_t code, int32_t lon, int32_t lat, const char16_t* name, const char16_t* info) {
  return Record(code, lon, lat, Sjis(name), info);
}

class QLCodeSearchTest : public ::testing::Test {
 protected:
  void SetUp() override {
    path_ = testing::TempDir() + "qlcode_test_" +
            testing::UnitTest::GetInstance()->current_test_info()->name() + ".qldb";
  }
  void TearDown() override { std::remove(path_.c_str()); }

  void WriteBytes(const std::string& bytes) { ASSERT_TRUE(WriteBinaryFile(path_, bytes)); }
  std::string Database(const std::vector<QLCodeRecord>& records) {
    std::string bytes, error;
    EXPECT_TRUE(BuildQLCodeDatabase(records, 1, bytes, error)) << error;
    return bytes;
  }
  int Search(const char16_t* term, bool selected) {
    return SearchQLCodeFile(Utf8ToUtf16(path_), term, selected);
  }
  std::vector<std::string> Lines() { return ResultLinesUtf8(); }

  ReferencePointScope ref_{kRefLon, kRefLat};
  std::string path_;
};

TEST_F(QLCodeSearchTest, ListsMatchingRecordsNearestFirst) {
  WriteBytes(Database({
      Record(7, kRefLon - 5 * kLonStep, kRefLat, u"遠い湯", u"温泉"),
      Record(123, 502900000, 128100000, u"足湯", u"温泉"),
      Record(9, kRefLon, kRefLat, u"寺", u"名所・旧跡"),
  }));
  EXPECT_EQ(Search(u"温泉", true), 2);
  EXPECT_EQ(Lines(), (std::vector<std::string>{"   4km,足湯,[123],502900000,128100000,温泉",
                                               "   5km,遠い湯,[7],502795675,128000000,温泉"}));
}

TEST_F(QLCodeSearchTest, RadiusFollowsSelectionAndNumericTerm) {
  struct Case {
    const char16_t* term;
    bool selected;
    int radius;
  } cases[] = {
      {u"温泉", true, 11},          {u"温泉", false, 51},        {u"1234567", true, 3501},
      {u"1234567", false, 3501},    {u"999999", true, 11},       {u"999999", false, 51},
      {u"1000000", true, 3501},     {u"  +1000000x", true, 3501}, {u"-1234567", true, 11},
      {u"99999999999999999999", true, 3501},  // saturates instead of wrapping
      {u"4294967297", true, 3501},            // would wrap to 1 in 32 bits
      {u"x1234567", false, 51},
  };
  for (const Case& c : cases)
    EXPECT_EQ(QLCodeSearchRadius(c.term, c.selected), c.radius) << Utf16ToUtf8(c.term) << " " << c.selected;
}

TEST_F(QLCodeSearchTest, RadiusIsStrict) {
  // dx steps east of the reference, within the step so truncation gives dx.
  WriteBytes(Database({
      Record(1, kRefLon + 10 * kLonStep, kRefLat, u"十", u"温泉"),
      Record(2, kRefLon + 11 * kLonStep, kRefLat, u"十一", u"温泉"),
      Record(3, kRefLon - 7 * kLonStep, kRefLat + 8 * kLatStep, u"斜め", u"温泉"),
      Record(4, kRefLon + 50 * kLonStep, kRefLat, u"五十", u"温泉"),
      Record(5, kRefLon + 51 * kLonStep, kRefLat, u"五十一", u"温泉"),
  }));
  EXPECT_EQ(Search(u"温泉", true), 2);
  EXPECT_EQ(Lines(), (std::vector<std::string>{"  10km,十,[1],503408650,128000000,温泉",
                                               "  11km,斜め,[3],502713945,128261536,温泉"}));
  EXPECT_EQ(Search(u"温泉", false), 4);  // 11 km is inside 51, 51 km is not
}

TEST_F(QLCodeSearchTest, TermMatchesCodeAndCoordinates) {
  WriteBytes(Database({
      Record(123, kRefLon, kRefLat, u"足湯", u"温泉"),
      Record(1234, kRefLon + 1, kRefLat, u"茶屋", u"食べる"),
      Record(77, kRefLon + 2, kRefLat, u"店", u"買う"),
      Record(1234567, kRefLon + 3500 * kLonStep, kRefLat, u"遠方", u"泊まる"),
      Record(1234567, kRefLon + 3501 * kLonStep, kRefLat, u"更に遠方", u"泊まる"),
  }));
  EXPECT_EQ(Search(u"[123]", true), 1);
  EXPECT_EQ(Lines(), std::vector<std::string>{"   0km,足湯,[123],503000000,128000000,温泉"});
  EXPECT_EQ(Search(u"503000002", true), 1);  // through the longitude
  EXPECT_EQ(Search(u"足", true), 1);
  EXPECT_EQ(Search(u"温泉,", true), 0);       // info is the last field
  EXPECT_EQ(Search(u"1234567", true), 1);     // a large number widens to 3501 km
  EXPECT_EQ(Lines(), std::vector<std::string>{"3500km,遠方,[1234567],646027500,128000000,泊まる"});
  // A missing file still clears the previous lines.
  EXPECT_EQ(SearchQLCodeFile(u"/nonexistent/qlcode.qldb", u"温泉", true), 0);
  EXPECT_EQ(ResultListCount(), 0);
}

TEST_F(QLCodeSearchTest, EveryTruncationEndsCleanly) {
  // Two records; cutting the file anywhere lists the first record only once
  // all its fields before the trailing word are there, the second likewise.
  QLCodeRecord a = Record(1, kRefLon, kRefLat, u"甲", u"温泉");
  QLCodeRecord b = Record(2, kRefLon, kRefLat, u"乙", u"温泉");
  std::string full = Database({a, b});
  const std::size_t recordA = 18 + a.name.size() + a.info.size();
  const std::size_t endA = 80 + recordA;  // including the trailing word
  for (std::size_t size = 0; size <= full.size(); ++size) {
    WriteBytes(full.substr(0, size));
    int expected = 0;
    if (size >= endA - 4) ++expected;               // a lacks at most its trailing word
    if (size >= full.size() - 4) ++expected;        // b likewise
    EXPECT_EQ(Search(u"温泉", true), expected) << "size " << size;
  }
  WriteBytes(std::string(80, '\0'));  // a header of zeros
  EXPECT_EQ(Search(u"00", false), 0);
}

// An empty name, the longest texts, and a 0 byte that ends a text.
TEST_F(QLCodeSearchTest, TextLengthsAndZeroBytes) {
  const std::string longName(255, 'N'), longInfo = std::string(254, 'i') + "Z";
  QLCodeRecord longest = Record(6, kRefLon, kRefLat, longName, u"");
  longest.info = longInfo;
  WriteBytes(Database({Record(5, kRefLon, kRefLat, u"", u"温泉"), longest,
                       Record(8, kRefLon, kRefLat, std::string("ab\0cd", 5), u"足湯")}));
  EXPECT_EQ(Search(u"温泉", true), 1);
  EXPECT_EQ(Lines(), std::vector<std::string>{"   0km,,[5],503000000,128000000,温泉"});
  EXPECT_EQ(Search(u"iZ", true), 1);
  EXPECT_EQ(Lines(), std::vector<std::string>{"   0km," + longName + ",[6],503000000,128000000," + longInfo});
  EXPECT_EQ(Search(u"足湯", true), 1);
  EXPECT_EQ(Lines(), std::vector<std::string>{"   0km,ab,[8],503000000,128000000,足湯"});
}

TEST_F(QLCodeSearchTest, WriterInput) {
  QLCodeRecord r = Record(1, 0, 0, u"", u"");
  std::string bytes, error;
  r.name.assign(256, 'x');
  EXPECT_FALSE(BuildQLCodeDatabase({r}, 1, bytes, error)) << "text over 255 bytes";
  EXPECT_FALSE(error.empty());
  ASSERT_TRUE(ParseQLCodeTsvLine("123\t503000000\t-128000000\t足湯\t温泉 タウン\r", r, error)) << error;
  EXPECT_EQ(r.code, 123);
  EXPECT_EQ(r.lat, -128000000);
  EXPECT_EQ(r.name, Sjis(u"足湯"));
  EXPECT_EQ(r.info, Sjis(u"温泉 タウン"));
  for (const char* bad : {"1\t2\t3\tname", "1\t2\t99999999999\tn\ti", "x\t2\t3\tn\ti"})
    EXPECT_FALSE(ParseQLCodeTsvLine(bad, r, error)) << bad;
}

}  // namespace
