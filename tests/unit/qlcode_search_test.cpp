#include <gtest/gtest.h>

#include <cstdio>

#include "search/qlcode_search.h"
#include "tests/unit/test_support.h"
#include "tools/qlcode_writer/qlcode_writer.h"

namespace {

constexpr int32_t kRefLon = 503000000, kRefLat = 128000000, kLonStep = 40865, kLatStep = 32692;

QLCodeRecord Record(int32_t code, int32_t lon, int32_t lat, const std::u16string& name, const char16_t* info) {
  return {code, lon, lat, Sjis(name), Sjis(info)};
}

class QLCodeSearchTest : public ::testing::Test {
 protected:
  void TearDown() override { std::remove(path_.c_str()); }
  void Write(const std::vector<QLCodeRecord>& records, std::size_t cut = std::string::npos) {
    std::string bytes, error;
    ASSERT_TRUE(BuildQLCodeDatabase(records, 1, bytes, error)) << error;
    ASSERT_TRUE(WriteBinaryFile(path_, bytes.substr(0, cut)));
  }
  int Search(const char16_t* term, bool selected) { return SearchQLCodeFile(Utf8ToUtf16(path_), term, selected); }
  ReferencePointScope ref_{kRefLon, kRefLat};
  std::string path_ = testing::TempDir() + "kario_qlcode_test.qldb";
};

// Nearest first; the radius is strict: 11 km for a selected term, else 51;
// 3501 for a number of at least seven digits.
TEST_F(QLCodeSearchTest, RadiusAndNearestFirst) {
  Write({Record(1, kRefLon + 10 * kLonStep, kRefLat, u"十", u"温泉"),
         Record(2, kRefLon + 11 * kLonStep, kRefLat, u"十一", u"温泉"),
         Record(3, kRefLon - 7 * kLonStep, kRefLat + 8 * kLatStep, u"斜め", u"温泉"),
         Record(4, kRefLon + 50 * kLonStep, kRefLat, u"五十", u"温泉"),
         Record(5, kRefLon + 51 * kLonStep, kRefLat, u"五十一", u"温泉")});
  EXPECT_EQ(Search(u"温泉", true), 2);
  EXPECT_EQ(ResultLinesUtf8(),
            (Lines{"  10km,十,[1],503408650,128000000,温泉", "  11km,斜め,[3],502713945,128261536,温泉"}));
  EXPECT_EQ(Search(u"温泉", false), 4);
  const struct {
    const char16_t* term;
    bool selected;
    int radius;
  } cases[] = {
      {u"1234567", false, 3501},
      {u"999999", true, 11},
      {u"999999", false, 51},
      {u"  +1000000x", true, 3501},
      {u"-1234567", true, 11},
      {u"x1234567", false, 51},
      {u"99999999999999999999", true, 3501},
      {u"4294967297", true, 3501},  // saturates instead of wrapping to 1
  };
  for (const auto& c : cases)
    EXPECT_EQ(QLCodeSearchRadius(c.term, c.selected), c.radius) << Utf16ToUtf8(c.term) << c.selected;
}

// The term is matched in the whole line but the distance: code, coordinates, texts.
TEST_F(QLCodeSearchTest, TermMatchesCodeCoordinatesAndTexts) {
  const QLCodeRecord longest{6, kRefLon, kRefLat, std::string(255, 'N'), std::string(254, 'i') + "Z"};
  const QLCodeRecord zero{8, kRefLon, kRefLat, std::string("ab\0cd", 5), Sjis(u"足湯")};  // a 0 byte ends a text
  Write({Record(123, kRefLon, kRefLat, u"足湯", u"温泉"), Record(77, kRefLon + 2, kRefLat, u"店", u"買う"), longest,
         zero, Record(5, kRefLon, kRefLat, u"", u"食べる"), Record(9, kRefLon, kRefLat, u"A", u"B"),
         Record(1234567, kRefLon + 3500 * kLonStep, kRefLat, u"遠方", u"泊まる"),
         Record(1234567, kRefLon + 3501 * kLonStep, kRefLat, u"更に遠方", u"泊まる")});
  const struct {
    const char16_t* term;
    Lines lines;
  } cases[] = {
      {u"[123]", {"   0km,足湯,[123],503000000,128000000,温泉"}},
      {u"503000002", {"   0km,店,[77],503000002,128000000,買う"}},
      {u"温泉,", {}},
      {u"食べる", {"   0km,,[5],503000000,128000000,食べる"}},
      {u"A,[9]", {"   0km,A,[9],503000000,128000000,B"}},
      {u"iZ", {"   0km," + longest.name + ",[6],503000000,128000000," + longest.info}},
      {u"足湯", {"   0km,ab,[8],503000000,128000000,足湯", "   0km,足湯,[123],503000000,128000000,温泉"}},
      {u"1234567", {"3500km,遠方,[1234567],646027500,128000000,泊まる"}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Search(c.term, true), int(c.lines.size())) << Utf16ToUtf8(c.term);
    EXPECT_EQ(ResultLinesUtf8(), c.lines) << Utf16ToUtf8(c.term);
  }
  EXPECT_EQ(SearchQLCodeFile(u"/nonexistent/qlcode.qldb", u"温泉", true), 0);  // still clears the list
  EXPECT_EQ(ResultListCount(), 0);
}

// Cut anywhere, a record is listed once all its fields before the trailing word are there.
TEST_F(QLCodeSearchTest, EveryTruncationEndsCleanly) {
  const std::vector<QLCodeRecord> records = {Record(1, kRefLon, kRefLat, u"甲", u"温泉"),
                                             Record(2, kRefLon, kRefLat, u"乙", u"温泉")};
  const std::size_t endA = 80 + 18 + records[0].name.size() + records[0].info.size(), full = endA + endA - 80;
  for (std::size_t size = 0; size <= full; ++size) {
    Write(records, size);
    EXPECT_EQ(Search(u"温泉", true), (size >= endA - 4) + (size >= full - 4)) << "size " << size;
  }
  ASSERT_TRUE(WriteBinaryFile(path_, std::string(80, '\0')));  // a header of zeros
  EXPECT_EQ(Search(u"00", false), 0);
}

}  // namespace
