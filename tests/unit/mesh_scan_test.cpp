#include "search/mesh_scan.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "maplink/reference_point.h"
#include "platform/codepage.h"
#include "platform/result_list.h"
#include "search/coordinates.h"
#include "platform/utf.h"

namespace {

constexpr int32_t kRefLon = 503000000;
constexpr int32_t kRefLat = 128000000;

std::string Sjis(const std::u16string& text) { return WideToCodePage932(text); }

std::string Le16(int value) {
  uint16_t u = static_cast<uint16_t>(value);
  return std::string{static_cast<char>(u & 0xFF), static_cast<char>(u >> 8)};
}

// One place record as the map application stores it: a run of 0 bytes, the
// two offsets, the Shift-JIS name and a terminating 0 byte.
std::string Record(int lonOffset, int latOffset, const std::string& name, int zeros = 3) {
  return std::string(zeros, '\0') + Le16(lonOffset) + Le16(latOffset) + name + std::string(1, '\0');
}

class MeshScanTest : public ::testing::Test {
 protected:
  void SetUp() override {
    savedLon_ = g_referenceLongitude;
    savedLat_ = g_referenceLatitude;
    g_referenceLongitude = kRefLon;
    g_referenceLatitude = kRefLat;
    ResultListClear();
  }
  void TearDown() override {
    g_referenceLongitude = savedLon_;
    g_referenceLatitude = savedLat_;
    ResultListClear();
  }

  // Scans `file` as the one file of a cell centred on the reference point
  // and returns the lines (UTF-8) and count.
  std::vector<std::string> Scan(MeshLevel level, const std::string& file, const std::u16string& term,
                                int* count = nullptr, int32_t centreLon = kRefLon, int32_t centreLat = kRefLat) {
    ResultListClear();
    int n = ScanMeshBuffer(level, reinterpret_cast<const unsigned char*>(file.data()), file.size(), Sjis(term),
                           u"CELL", centreLon, centreLat);
    if (count) *count = n;
    std::vector<std::string> lines;
    for (const std::u16string& line : ResultListLines()) lines.push_back(Utf16ToUtf8(line));
    EXPECT_EQ(static_cast<int>(lines.size()), n);
    return lines;
  }

  int32_t savedLon_ = 0;
  int32_t savedLat_ = 0;
};

std::string Line(const char* km, const std::string& name, int32_t lon, int32_t lat, bool fallback) {
  return std::string(km) + "km," + name + ",[CELL]," + std::to_string(lon) + "," + std::to_string(lat) + "," +
         (fallback ? "\xE2\x96\xB3" : " ") + " ";
}

TEST_F(MeshScanTest, DecodesOffsetsPerLevel) {
  // Offsets (100, -50); the unit is 125 ms at L, halved at M, an eighth at
  // R and a sixteenth at S, each division truncating toward zero.
  struct Case {
    MeshLevel level;
    int32_t lon, lat;
  };
  const Case cases[] = {
      {MeshLevel::L, 503012500, 127993750},          {MeshLevel::M, 503006250, 127996875},
      {MeshLevel::R, 503001562, 127999219},          {MeshLevel::SQuartered, 503000781, 127999610},
      {MeshLevel::SFine, 503000781, 127999610},
  };
  std::string file = Record(100, -50, Sjis(u"厚木市"));
  for (const Case& c : cases) {
    std::vector<std::string> lines = Scan(c.level, file, u"木市");
    ASSERT_EQ(1u, lines.size());
    EXPECT_EQ(Line("   0", "厚木市", c.lon, c.lat, false), lines[0]) << static_cast<int>(c.level);
  }
}

TEST_F(MeshScanTest, ValidRangesDecideBetweenFirstAndFallbackDecoding) {
  // Out-of-range offsets of a well-formed record are still used by the
  // fallback, without a range test, and the line is marked.
  struct Case {
    MeshLevel level;
    int lonOffset, latOffset;
    bool fallback;
    int32_t lon, lat;
  };
  const Case cases[] = {
      {MeshLevel::L, 14400, 9600, false, 504800000, 129200000},
      {MeshLevel::L, -14400, -9600, false, 501200000, 126800000},
      {MeshLevel::L, 14401, 1, true, 504800125, 128000125},
      {MeshLevel::L, 1, 9601, true, 503000125, 129200125},
      {MeshLevel::L, 257, 0, true, 503032125, 128000000},
      {MeshLevel::M, 7200, 4800, false, 503450000, 128300000},
      {MeshLevel::M, -1, -1, false, 502999938, 127999938},  // -62.5 truncates to -62
      {MeshLevel::M, 7201, 1, true, 503450062, 128000062},
      {MeshLevel::M, 1, -4801, true, 503000062, 127699938},
      {MeshLevel::R, 14400, -9600, false, 503225000, 127850000},
      {MeshLevel::R, -14401, 3, true, 502774985, 128000046},
      {MeshLevel::SQuartered, -14400, 9600, false, 502887500, 128075000},
      {MeshLevel::SQuartered, 7, 9601, true, 503000054, 128075007},
      {MeshLevel::SFine, 14400, 9600, false, 503112500, 128075000},
      {MeshLevel::SFine, -3, -14401, true, 502999977, 127887493},
  };
  for (const Case& c : cases) {
    std::string file = Record(c.lonOffset, c.latOffset, Sjis(u"渋谷"));
    std::vector<std::string> lines = Scan(c.level, file, u"渋谷");
    ASSERT_EQ(1u, lines.size());
    double km = DistanceFromReference(c.lon, c.lat);
    char head[16];
    std::snprintf(head, sizeof head, "%4.f", km);
    EXPECT_EQ(Line(head, "渋谷", c.lon, c.lat, c.fallback), lines[0])
        << "level " << static_cast<int>(c.level) << " offsets " << c.lonOffset << "," << c.latOffset;
  }
}

TEST_F(MeshScanTest, WalkBackCases) {
  struct Case {
    const char* what;
    std::u16string name;
    std::u16string term;
    std::size_t lines;
    std::string shownName;
    bool fallback;
  };
  const Case cases[] = {
      {"term twice gives two lines", u"東京東京", u"東京", 2, "東京東京", false},
      {"parentheses are part of the name", u"東京(新宿)駅", u"駅", 1, "東京(新宿)駅", false},
      {"parentheses, term inside them", u"東京(新宿)駅", u"新宿", 1, "東京(新宿)駅", false},
      {"newline after a name character ends the walk", u"東京\n新宿", u"新宿", 1, "東京新宿", true},
      {"newline before the term, found from the start", u"東京\n新宿", u"東京", 1, "東京新宿", false},
      {"a non-name character stops the walk", u"東・新宿", u"新宿", 1, "東・新宿", true},
      {"long vowel mark and iteration marks are name characters", u"ゞ々〆ー駅", u"駅", 1, "ゞ々〆ー駅", false},
      {"full-width digits and letters", u"第１ＡａＺ駅", u"駅", 1, "第１ＡａＺ駅", false},
      {"a comma in the name is kept", u"東,京", u"京", 1, "東,京", true},
  };
  for (const Case& c : cases) {
    std::string file = Record(40, 30, Sjis(c.name));
    std::vector<std::string> lines = Scan(MeshLevel::L, file, c.term);
    ASSERT_EQ(c.lines, lines.size()) << c.what;
    for (const std::string& line : lines)
      EXPECT_EQ(Line("   0", c.shownName, 503005000, 128003750, c.fallback), line) << c.what;
  }
}

TEST_F(MeshScanTest, ZeroLongitudeOffsetJoinsTheRunOfZeros) {
  // The fallback takes the offsets after the last three 0 bytes before the
  // occurrence; a stored longitude offset of 0 (two more 0 bytes) moves that
  // point into the record: the offsets then come from the latitude offset
  // and the name's first character.  渋 is 8F 61, 谷 is 92 4A.
  std::vector<std::string> lines = Scan(MeshLevel::L, Record(0, 257, Sjis(u"渋谷")), u"谷");
  ASSERT_EQ(1u, lines.size());
  EXPECT_EQ(Line("  95", "谷", 503032125, 131121875, true), lines[0]);
}

TEST_F(MeshScanTest, TermMatchingAcrossACharacterBoundaryIsAnOccurrence) {
  // "アア" is 83 41 83 41; the bytes 41 83 straddle the two characters.
  std::string file = Record(40, 30, Sjis(u"アア")) + Record(-8, -9, Sjis(u"駅"));
  std::string term = "\x41\x83";
  ResultListClear();
  int count = ScanMeshBuffer(MeshLevel::L, reinterpret_cast<const unsigned char*>(file.data()), file.size(),
                             term, u"CELL", kRefLon, kRefLat);
  ASSERT_EQ(1, count);
  EXPECT_EQ(Line("   0", "アア", 503005000, 128003750, true), Utf16ToUtf8(ResultListLines()[0]));
}

TEST_F(MeshScanTest, OverlappingOccurrencesAreAllFound) {
  // "あああ" holds "ああ" at byte 0 and at byte 2.
  std::vector<std::string> lines = Scan(MeshLevel::L, Record(40, 30, Sjis(u"あああ")), u"ああ");
  EXPECT_EQ(2u, lines.size());
  // Single bytes overlap at every position.
  std::string file = Record(40, 30, "AAAA");
  ResultListClear();
  EXPECT_EQ(3, ScanMeshBuffer(MeshLevel::L, reinterpret_cast<const unsigned char*>(file.data()), file.size(), "AA",
                              u"CELL", kRefLon, kRefLat));
}

TEST_F(MeshScanTest, SeveralRecordsEachDecodeTheirOwnOffsets) {
  std::string file = Record(40, 30, Sjis(u"新宿駅")) + Record(-80, -120, Sjis(u"渋谷駅"), 5) +
                     Record(1, 2, Sjis(u"品川"));
  std::vector<std::string> lines = Scan(MeshLevel::L, file, u"駅");
  ASSERT_EQ(2u, lines.size());
  EXPECT_EQ(Line("   0", "新宿駅", 503005000, 128003750, false), lines[0]);
  EXPECT_EQ(Line("   0", "渋谷駅", 502990000, 127985000, false), lines[1]);
}

TEST_F(MeshScanTest, NameCopyDropsNewlinesAndIsCutAfter101Bytes) {
  std::u16string fifty;
  for (int i = 0; i < 50; ++i) fifty += u"東";
  struct Case {
    std::string name;
    std::string shown;
  };
  const Case cases[] = {
      {Sjis(u"東京\n\n駅"), "東京駅"},
      {Sjis(fifty) + "xyz", Utf16ToUtf8(fifty) + "x"},                // cut after 101 bytes
      {Sjis(fifty) + "\n" + "xyz", Utf16ToUtf8(fifty) + "x"},         // a dropped newline is not counted
      {Sjis(fifty) + "x", Utf16ToUtf8(fifty) + "x"},                  // exactly 101 bytes
  };
  for (const Case& c : cases) {
    std::vector<std::string> lines = Scan(MeshLevel::L, Record(40, 30, c.name), u"東");
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(Line("   0", c.shown, 503005000, 128003750, false), lines[0]);
  }
}

TEST_F(MeshScanTest, NameEndsAtTheEndOfTheFile) {
  std::string file = std::string(3, '\0') + Le16(40) + Le16(30) + Sjis(u"新宿");  // no terminator
  std::vector<std::string> lines = Scan(MeshLevel::L, file, u"新");
  ASSERT_EQ(1u, lines.size());
  EXPECT_EQ(Line("   0", "新宿", 503005000, 128003750, false), lines[0]);
}

// Occurrences near the first or last byte of the file: nothing outside the
// file is read (ASan builds poison the slots around the file), and a line is
// given only where every byte it needs exists.
TEST_F(MeshScanTest, FileStartAndEnd) {
  struct Case {
    const char* what;
    std::string file;
    std::u16string term;
    std::vector<std::string> lines;
  };
  const std::string tokyo = Sjis(u"東京");
  const Case cases[] = {
      {"term at the first byte", tokyo + std::string(1, '\0'), u"東京", {}},
      {"offsets at the first byte", Le16(40) + Le16(30) + tokyo, u"京",
       {Line("   0", "東京", 503005000, 128003750, false)}},
      {"offsets would start before the file", std::string(1, '\x01') + Le16(30) + tokyo, u"東", {}},
      {"newline at byte 1", std::string("\x88\n") + tokyo, u"東京", {}},
      {"newline after a character at the file start", std::string("\x88\x9F\n") + tokyo, u"東京", {}},
      {"name character walk reaches the file start", Sjis(u"新宿") + tokyo, u"東京", {}},
      {"run of zeros at the first byte", Record(257, 0, tokyo), u"東京",
       {Line("   0", "東京", 503032125, 128000000, true)}},
      {"fallback offsets past the end", std::string(3, '\0') + Sjis(u"東"), u"東", {}},
      {"fallback name would start at the end", std::string(3, '\0') + Le16(5) + Sjis(u"東"), u"東", {}},
      {"one name byte after the offsets", std::string(3, '\0') + Le16(257) + Le16(0) + "A", u"A",
       {Line("   0", "A", 503032125, 128000000, true)}},
      {"zero offsets extend the run: no byte left for the name", std::string(3, '\0') + Le16(0) + Le16(0) + "A",
       u"A", {}},
  };
  for (const Case& c : cases) {
    std::vector<std::string> lines = Scan(MeshLevel::L, c.file, c.term);
    EXPECT_EQ(c.lines, lines) << c.what;
  }
}

TEST_F(MeshScanTest, ShortEmptyAndOversizedInput) {
  int count = -1;
  EXPECT_TRUE(Scan(MeshLevel::L, "", u"東京", &count).empty());
  EXPECT_EQ(0, count);
  EXPECT_TRUE(Scan(MeshLevel::L, "\x93", u"東京", &count).empty());
  EXPECT_EQ(0, count);
  // Only the first 2097152 bytes of a longer file are scanned.
  std::string big(kMeshFileMaxBytes + 64, '\x01');
  std::string inside = Record(40, 30, Sjis(u"新宿"));
  std::string outside = Record(40, 30, Sjis(u"渋谷"));
  big.replace(kMeshFileMaxBytes - inside.size(), inside.size(), inside);
  big.replace(kMeshFileMaxBytes + 8, outside.size(), outside);
  EXPECT_EQ(1u, Scan(MeshLevel::L, big, u"新宿").size());
  EXPECT_EQ(0u, Scan(MeshLevel::L, big, u"渋谷").size());
  // A record cut by the limit reads its name up to the limit.
  std::string cut(kMeshFileMaxBytes + 64, '\x01');
  std::string rec = std::string(3, '\0') + Le16(40) + Le16(30) + Sjis(u"新宿駅");
  cut.replace(kMeshFileMaxBytes - 11, rec.size(), rec);  // the limit falls before 駅
  std::vector<std::string> lines = Scan(MeshLevel::L, cut, u"新宿");
  ASSERT_EQ(1u, lines.size());
  EXPECT_EQ(Line("   0", "新宿", 503005000, 128003750, false), lines[0]);
}

TEST(MeshSearchTermTest, TermsOver31BytesAreRefused) {
  std::u16string fifteen = u"一二三四五六七八九十一二三四五";
  EXPECT_TRUE(MeshSearchTermFits(fifteen + u"a"));   // 31 bytes
  EXPECT_FALSE(MeshSearchTermFits(fifteen + u"六"));  // 32 bytes
  EXPECT_TRUE(MeshSearchTermFits(u"abcdefghijabcdefghijabcdefghija"));
  EXPECT_FALSE(MeshSearchTermFits(u"abcdefghijabcdefghijabcdefghijab"));
  std::string longTerm(32, 'a');
  unsigned char file[64] = {};
  EXPECT_EQ(0, ScanMeshBuffer(MeshLevel::L, file, sizeof file, longTerm, u"CELL", kRefLon, kRefLat));
}

TEST(MeshScanNameCharacterTest, RangeEdges) {
  struct Case {
    int lead, trail;
    bool name;
  };
  const Case cases[] = {
      {0x81, 0x54, false}, {0x81, 0x55, true},  {0x81, 0x56, false}, {0x81, 0x57, false},
      {0x81, 0x58, true},  {0x81, 0x59, true},  {0x81, 0x5A, false}, {0x81, 0x5B, true},
      {0x81, 0x5C, false}, {0x81, 0x45, false},  // ・
      {0x82, 0x44, false}, {0x82, 0x45, true},  {0x82, 0x58, true},  {0x82, 0x59, false},
      {0x82, 0x5F, false}, {0x82, 0x60, true},  {0x82, 0x79, true},  {0x82, 0x7A, false},
      {0x82, 0x80, false}, {0x82, 0x81, true},  {0x82, 0x9A, true},  {0x82, 0x9B, false},
      {0x82, 0x9E, false}, {0x82, 0x9F, true},  {0x82, 0xF1, true},  {0x82, 0xF2, false},
      {0x83, 0x3F, false}, {0x83, 0x40, true},  {0x83, 0x7F, false}, {0x83, 0x96, true},
      {0x83, 0x97, false}, {0x88, 0x9E, false}, {0x88, 0x9F, true},  {0x89, 0x7F, false},
      {0x89, 0x3F, false}, {0x89, 0xFC, true},  {0x89, 0xFD, false}, {0x98, 0x72, true},
      {0x98, 0x73, false}, {0x98, 0x9E, false}, {0x98, 0x9F, true},  {0x9F, 0xFC, true},
      {0x9F, 0xFD, false}, {0xE0, 0x40, false}, {0xEA, 0xA4, false}, {0x41, 0x42, false},
      {0x88, 0x0A, false}, {0x00, 0x00, false},
  };
  for (const Case& c : cases)
    EXPECT_EQ(c.name, IsNameCharacter(c.lead, c.trail)) << std::hex << c.lead << " " << c.trail;
}

TEST_F(MeshScanTest, LinesComeOutNearestFirst) {
  // One line each at 3, 12, 123 and 1234 km, added in another order: the
  // cell centre is moved so that an offset of -1 lies exactly n steps east.
  const int kms[] = {1234, 3, 123, 12};
  std::string file = Record(-1, 1, Sjis(u"駅"));
  for (int km : kms) {
    ScanMeshBuffer(MeshLevel::L, reinterpret_cast<const unsigned char*>(file.data()), file.size(), Sjis(u"駅"),
                   u"CELL", kRefLon - km * 40865, kRefLat - 125);
  }
  std::vector<std::u16string> lines = ResultListLines();
  ASSERT_EQ(4u, lines.size());
  EXPECT_EQ("   3km,", Utf16ToUtf8(lines[0].substr(0, 7)));
  EXPECT_EQ("  12km,", Utf16ToUtf8(lines[1].substr(0, 7)));
  EXPECT_EQ(" 123km,", Utf16ToUtf8(lines[2].substr(0, 7)));
  EXPECT_EQ("1234km,", Utf16ToUtf8(lines[3].substr(0, 7)));
}

// Whole searches over files in a folder given as a device path.
class MeshFolderTest : public MeshScanTest {
 protected:
  void SetUp() override {
    MeshScanTest::SetUp();
    char pattern[] = "/tmp/kario_mesh_XXXXXX";
    ASSERT_NE(nullptr, mkdtemp(pattern));
    dir_ = pattern;
    folder_ = Utf8ToUtf16(dir_);
    for (char16_t& c : folder_)
      if (c == u'/') c = u'\\';
    folder_ += u"\\";
    g_referenceLongitude = 503160000;
    g_referenceLatitude = 128450000;
  }
  void TearDown() override {
    std::filesystem::remove_all(dir_);
    MeshScanTest::TearDown();
  }
  void Write(const std::string& relative, const std::string& bytes) {
    std::filesystem::path path = std::filesystem::path(dir_) / relative;
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
  }
  std::vector<std::string> Lines() {
    std::vector<std::string> lines;
    for (const std::u16string& line : ResultListLines()) lines.push_back(Utf16ToUtf8(line));
    return lines;
  }
  std::string dir_;
  std::u16string folder_;
};

TEST_F(MeshFolderTest, LevelLSearchVisitsNeighbourFilesAndSortsLines) {
  // 5339 is the reference cell (centre 502200000, 128400000); 5340 lies east.
  Write("levelL/5339.tgx", Record(8000, 400, Sjis(u"大手町駅")) + Record(-8000, -400, Sjis(u"西駅")));
  Write("levelL/5340.tgx", Record(257, 0, Sjis(u"東駅")));  // latitude 0: fallback
  ResultListAdd(u"stale line");
  EXPECT_EQ(3, SearchMeshLevel(MeshLevel::L, u"駅", folder_));
  std::vector<std::string> expected = {
      "   0km,大手町駅,[5339.tgx],503200000,128450000,  ",
      "  47km,西駅,[5339.tgx],501200000,128350000,  ",
      "  65km,東駅,[5340.tgx],505832125,128400000,\xE2\x96\xB3 ",
  };
  EXPECT_EQ(expected, Lines());
}

TEST_F(MeshFolderTest, SecondCandidateFolderAndQuarterCentres) {
  // R: only the "_levelR" folder holds the file.
  Write("_levelR/533946.tgx", Record(8, 8, Sjis(u"駅")));
  EXPECT_EQ(1, SearchMeshLevel(MeshLevel::R, u"駅", folder_));
  EXPECT_EQ(std::vector<std::string>{"   5km,駅,[533946],503325125,128550125,  "}, Lines());
  // SQuartered: quarter 1 in levelS, quarter 4 only in _levelS; each decodes
  // from its own quarter's centre and shows the bare cell code.
  Write("levelS/5339461.tgx", Record(16, 16, Sjis(u"駅")));
  Write("_levelS/5339464.tgx", Record(-16, -16, Sjis(u"駅")));
  EXPECT_EQ(2, SearchMeshLevel(MeshLevel::SQuartered, u"駅", folder_));
  std::vector<std::string> expected = {
      "   1km,駅,[533946],503212625,128475125,  ",
      "   8km,駅,[533946],503437375,128624875,  ",
  };
  EXPECT_EQ(expected, Lines());
}

TEST_F(MeshFolderTest, SFineSearchAndRefusedTerm) {
  Write("levelS/53394615.tgx", Record(160, -160, Sjis(u"神田駅")));
  Write("levelS/53394640.tgx", Record(160, -160, Sjis(u"秋葉原")));
  EXPECT_EQ(1, SearchMeshLevel(MeshLevel::SFine, u"駅", folder_));
  EXPECT_EQ(std::vector<std::string>{"   0km,神田駅,[53394615.tgx],503185625,128455000,  "}, Lines());
  // A term over 31 bytes clears the list and finds nothing.
  EXPECT_EQ(0, SearchMeshLevel(MeshLevel::SFine, u"神田駅神田駅神田駅神田駅神田駅神田駅", folder_));
  EXPECT_EQ(0, ResultListCount());
  // Nothing there at all.
  EXPECT_EQ(0, SearchMeshLevel(MeshLevel::M, u"駅", folder_));
}

}  // namespace
