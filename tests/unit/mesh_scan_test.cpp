#include "search/mesh_scan.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "platform/files.h"
#include "search/coordinates.h"
#include "tests/unit/test_support.h"

namespace {

constexpr int32_t kRefLon = 503000000;
constexpr int32_t kRefLat = 128000000;

std::string Le16(int value) { return {char(value & 0xFF), char((value >> 8) & 0xFF)}; }
// One place record: a run of 0 bytes, the two offsets, the name, a 0 byte.
std::string Record(int lonOffset, int latOffset, const std::string& name, int zeros = 3) {
  return std::string(zeros, '\0') + Le16(lonOffset) + Le16(latOffset) + name + std::string(1, '\0');
}
std::string Z3() { return std::string(3, '\0'); }
// A line without its distance: ",name,[CELL],lon,lat,marker ".
std::string Tail(const std::string& name, int32_t lon, int32_t lat, bool fallback) {
  return "," + name + ",[CELL]," + std::to_string(lon) + "," + std::to_string(lat) + "," +
         (fallback ? "\xE2\x96\xB3" : " ") + " ";
}
std::string Line(const char* km, const std::string& name, int32_t lon, int32_t lat, bool fallback) {
  return std::string(km) + "km" + Tail(name, lon, lat, fallback);
}
// A line of a record with offsets (40, 30) at level L in a cell on the reference point.
std::string L0(const std::string& name, bool fallback = false) {
  return Line("   0", name, 503005000, 128003750, fallback);
}

class MeshScanTest : public ::testing::Test {
 protected:
  void TearDown() override { ResultListClear(); }
  // Scans `file` as the one file of a cell centred on the reference point.
  std::vector<std::string> Scan(MeshLevel level, const std::string& file, const std::string& term) {
    ResultListClear();
    int n = ScanMeshBuffer(level, reinterpret_cast<const unsigned char*>(file.data()), file.size(), term, u"CELL",
                           kRefLon, kRefLat);
    EXPECT_EQ(ResultListCount(), n);
    return ResultLinesUtf8();
  }
  ReferencePointScope ref_{kRefLon, kRefLat};
};

// The offset unit is 125 ms at L, halved at M, an eighth at R and a sixteenth
// at S, each division truncating toward zero.  Offsets outside the level's
// range send a well-formed record to the fallback, which uses them without a
// range test and marks the line.
TEST_F(MeshScanTest, DecodesOffsetsAndRangesPerLevel) {
  using L = MeshLevel;
  const struct {
    MeshLevel level;
    int lonOffset, latOffset;
    bool fallback;
    int32_t lon, lat;
  } cases[] = {
      {L::R, 100, -50, false, 503001562, 127999219},
      {L::L, 14400, 9600, false, 504800000, 129200000},
      {L::L, -14400, -9600, false, 501200000, 126800000},
      {L::L, 14401, 1, true, 504800125, 128000125},
      {L::M, 7200, 4800, false, 503450000, 128300000},
      {L::M, -1, -1, false, 502999938, 127999938},
      {L::M, 7201, 1, true, 503450062, 128000062},
      {L::M, 1, -4801, true, 503000062, 127699938},
      {L::SQuartered, -14400, 9600, false, 502887500, 128075000},
      {L::SQuartered, 7, 9601, true, 503000054, 128075007},
      {L::SFine, 14400, 9600, false, 503112500, 128075000},
      {L::SFine, -3, -14401, true, 502999977, 127887493},
      {L::L, 1, -32768, true, 503000125, 123904000},  // 00 80 is the most negative offset
      {L::L, 32767, 1, true, 507095875, 128000125},   // FF 7F the most positive
  };
  for (const auto& c : cases) {
    std::vector<std::string> lines = Scan(c.level, Record(c.lonOffset, c.latOffset, Sjis(u"渋谷")), Sjis(u"渋谷"));
    ASSERT_EQ(1u, lines.size());
    EXPECT_EQ(Tail("渋谷", c.lon, c.lat, c.fallback), lines[0].substr(lines[0].find(',')))
        << "level " << static_cast<int>(c.level) << " offsets " << c.lonOffset << "," << c.latOffset;
  }
}

// Whole files at level L: the walk back over name characters, the name copy
// and occurrences near the first or last byte (nothing outside the file is
// read; ASan poisons around it; a line needs every byte it uses).
TEST_F(MeshScanTest, FilesAndTheirLines) {
  std::u16string fifty = u"駅" + std::u16string(49, u'東');  // 100 bytes
  const std::string tokyo = Sjis(u"東京");
  const std::string f50 = Utf16ToUtf8(fifty);
  const std::string t31 = Sjis(u"一二三四五六七八九十一二三四五") + "a";
  const struct {
    const char* what;
    std::string file, term;
    std::vector<std::string> lines;
  } cases[] = {
      {"term twice", Record(40, 30, Sjis(u"東京東京")), tokyo, {L0("東京東京"), L0("東京東京")}},
      {"overlapping occurrences", Record(40, 30, Sjis(u"あああ")), Sjis(u"ああ"), {L0("あああ"), L0("あああ")}},
      {"parentheses", Record(40, 30, Sjis(u"東京(新宿)駅")), Sjis(u"駅"), {L0("東京(新宿)駅")}},
      {"newline after a name character", Record(40, 30, Sjis(u"ア京\n新宿")), Sjis(u"新宿"), {L0("ア京新宿", true)}},
      {"non-name character stops the walk", Record(40, 30, Sjis(u"東・新宿")), Sjis(u"新宿"), {L0("東・新宿", true)}},
      {"comma kept", Record(40, 30, Sjis(u"東,京")), Sjis(u"京"), {L0("東,京", true)}},
      {"term across a character boundary",
       Record(40, 30, Sjis(u"アア")) + Record(-8, -9, Sjis(u"駅")),
       "\x41\x83",
       {L0("アア", true)}},
      {"each record its own offsets",
       Record(40, 30, Sjis(u"新宿駅")) + Record(-400, -120, Sjis(u"渋谷駅"), 5) + Record(1, 2, Sjis(u"品川")),
       Sjis(u"駅"),
       {L0("新宿駅"), Line("   1", "渋谷駅", 502950000, 127985000, false)}},
      {"newlines dropped from the name", Record(40, 30, Sjis(u"東京\n\n駅")), Sjis(u"東"), {L0("東京駅")}},
      {"name cut after 101 bytes", Record(40, 30, Sjis(fifty) + "xyz"), Sjis(u"駅"), {L0(f50 + "x")}},
      {"exactly 101 bytes", Record(40, 30, Sjis(fifty) + "x"), Sjis(u"駅"), {L0(f50 + "x")}},
      {"name ends at the file end", Z3() + Le16(40) + Le16(30) + Sjis(u"新宿"), Sjis(u"新"), {L0("新宿")}},
      {"the term twice in the last bytes", Z3() + Le16(40) + Le16(30) + "AA", "A", {L0("AA"), L0("AA", true)}},
      {"empty file", "", tokyo, {}},
      {"one byte", "\x93", tokyo, {}},
      {"term at the first byte", tokyo + std::string(1, '\0'), tokyo, {}},
      {"offsets at the first byte", Le16(40) + Le16(30) + tokyo, Sjis(u"京"), {L0("東京")}},
      {"offsets would start before the file", "\x01" + Le16(30) + tokyo, Sjis(u"東"), {}},
      {"newline at byte 1", "\x88\n" + tokyo, tokyo, {}},
      {"newline after a character at the start", "\x88\x9F\n" + tokyo, tokyo, {}},
      {"walk reaches the file start", Sjis(u"新宿") + tokyo, tokyo, {}},
      {"fallback offsets past the end", Z3() + Sjis(u"東"), Sjis(u"東"), {}},
      {"run of zeros at the first byte",
       Record(257, 0, tokyo),
       tokyo,
       {Line("   0", "東京", 503032125, 128000000, true)}},
      {"fallback name would start at the end", Z3() + Le16(5) + Sjis(u"東"), Sjis(u"東"), {}},
      {"one name byte after the offsets",
       Z3() + Le16(257) + Le16(0) + "A",
       "A",
       {Line("   0", "A", 503032125, 128000000, true)}},
      {"zero offsets leave no byte for the name", Z3() + Le16(0) + Le16(0) + "A", "A", {}},
      {"no term", Record(40, 30, tokyo), "", {}},
      {"a term of 32 bytes", Record(40, 30, t31 + "b"), t31 + "b", {}},
      {"a term of 31 bytes", Record(40, 30, t31), t31, {L0("一二三四五六七八九十一二三四五a")}},
  };
  for (const auto& c : cases) EXPECT_EQ(c.lines, Scan(MeshLevel::L, c.file, c.term)) << c.what;
  EXPECT_TRUE(MeshSearchTermFits(u"一二三四五六七八九十一二三四五a"));    // 31 bytes
  EXPECT_FALSE(MeshSearchTermFits(u"一二三四五六七八九十一二三四五六"));  // 32 bytes
}

TEST_F(MeshScanTest, OnlyTheFirst2MiBAreScanned) {
  std::string big(kMeshFileMaxBytes + 64, '\x01');
  const std::string inside = Record(40, 30, Sjis(u"新宿"));
  const std::string outside = Record(40, 30, Sjis(u"渋谷"));
  big.replace(kMeshFileMaxBytes - inside.size(), inside.size(), inside);
  big.replace(kMeshFileMaxBytes + 8, outside.size(), outside);
  EXPECT_EQ(1u, Scan(MeshLevel::L, big, Sjis(u"新宿")).size());
  EXPECT_EQ(0u, Scan(MeshLevel::L, big, Sjis(u"渋谷")).size());
  // A record cut by the limit (before 駅) reads its name up to the limit.
  std::string cut(kMeshFileMaxBytes + 64, '\x01');
  const std::string rec = Z3() + Le16(40) + Le16(30) + Sjis(u"新宿駅");
  cut.replace(kMeshFileMaxBytes - 11, rec.size(), rec);
  EXPECT_EQ(std::vector<std::string>{L0("新宿")}, Scan(MeshLevel::L, cut, Sjis(u"新宿")));
}

TEST(MeshScanNameCharacterTest, RangeEdges) {
  const struct {
    int lead, trail;
    bool name;
  } cases[] = {
      {0x81, 0x54, false}, {0x81, 0x55, true},  {0x81, 0x56, false}, {0x81, 0x57, false}, {0x81, 0x58, true},
      {0x81, 0x59, true},  {0x81, 0x5A, false}, {0x81, 0x5B, true},  {0x81, 0x5C, false}, {0x81, 0x45, false},
      {0x82, 0x44, false}, {0x82, 0x45, true},  {0x82, 0x58, true},  {0x82, 0x59, false}, {0x82, 0x5F, false},
      {0x82, 0x60, true},  {0x82, 0x79, true},  {0x82, 0x7A, false}, {0x82, 0x80, false}, {0x82, 0x81, true},
      {0x82, 0x9A, true},  {0x82, 0x9B, false}, {0x82, 0x9E, false}, {0x82, 0x9F, true},  {0x82, 0xF1, true},
      {0x82, 0xF2, false}, {0x83, 0x3F, false}, {0x83, 0x40, true},  {0x83, 0x7F, false}, {0x83, 0x96, true},
      {0x83, 0x97, false}, {0x88, 0x9E, false}, {0x88, 0x9F, true},  {0x89, 0x7F, false}, {0x89, 0xFC, true},
      {0x89, 0xFD, false}, {0x98, 0x72, true},  {0x98, 0x73, false}, {0x98, 0x9F, true},  {0x9F, 0xFC, true},
      {0x9F, 0xFD, false}, {0xE0, 0x40, false}, {0x88, 0x0A, false},
  };
  for (const auto& c : cases)
    EXPECT_EQ(c.name, IsNameCharacter(c.lead, c.trail)) << std::hex << c.lead << " " << c.trail;
}

// A search reads each file by one call into its buffer: at most the buffer,
// the bytes as they are; a missing file is told apart (an empty one is below).
TEST(MeshFolderTest, ReadsAFilesFirstBytesIntoTheBuffer) {
  const std::string path = testing::TempDir() + "kario_read_device_file";
  const std::string bytes("ab\0\r\ncdef", 9);
  WriteBytesTo(path, bytes);
  unsigned char buffer[16];
  std::size_t size = 99;
  for (std::size_t capacity : {16, 9, 4, 1}) {
    ASSERT_TRUE(ReadDeviceFile(Utf8ToUtf16(path), buffer, capacity, &size)) << capacity;
    EXPECT_EQ(bytes.substr(0, capacity), std::string(buffer, buffer + size)) << capacity;
  }
  std::filesystem::remove(path);
  EXPECT_FALSE(ReadDeviceFile(Utf8ToUtf16(path), buffer, 16, &size));
  // A folder where a file should be: Windows does not open it as a file;
  // natively it opens, but its read fails, which ends the read with nothing.
#ifdef _WIN32
  EXPECT_FALSE(ReadDeviceFile(Utf8ToUtf16(testing::TempDir()), buffer, 16, &size));
#else
  size = 99;
  ASSERT_TRUE(ReadDeviceFile(Utf8ToUtf16(testing::TempDir()), buffer, 16, &size));
  EXPECT_EQ(0u, size);
#endif
}

// Whole searches over files in a folder given as a device path: neighbour
// files, the "_level" fallback folders, SQuartered quarters decoded from their
// own centres, fine cells; lines nearest first.
TEST(MeshFolderTest, SearchesEveryLevelsFiles) {
  const std::string dir = testing::TempDir() + "kario_mesh_folder";
  std::filesystem::remove_all(dir);
  auto write = [&](const std::string& relative, const std::string& bytes) {
    std::filesystem::create_directories(std::filesystem::path(dir + "/" + relative).parent_path());
    WriteBytesTo(dir + "/" + relative, bytes);
  };
  write("levelL/5339.tgx", Record(8000, 400, Sjis(u"大手町駅")) + Record(-8000, -400, Sjis(u"西駅")));
  write("levelL/5340.tgx", Record(257, 0, Sjis(u"東駅")));  // latitude 0: fallback
  write("_levelR/533946.tgx", Record(8, 8, Sjis(u"駅")));
  write("levelS/5339461.tgx", Record(16, 16, Sjis(u"駅")));
  write("_levelS/5339464.tgx", Record(-16, -16, Sjis(u"駅")));
  write("levelS/5339465.tgx", Record(8, 8, Sjis(u"駅")));  // no fifth quarter: never opened
  write("levelS/5339462.tgx", "");                         // the empty file wins over the one in _levelS
  write("_levelS/5339462.tgx", Record(8, 8, Sjis(u"駅")));
  write("levelS/53394615.tgx",
        Record(160, -160, Sjis(u"神田駅")) + Record(9, 9, Sjis(u"一二三四五六七八九十一二三四五六")));
  write("levelS/53394640.tgx", Record(160, -160, Sjis(u"秋葉原")));
  ReferencePointScope ref(503160000, 128450000);
  const std::u16string folder = Utf8ToUtf16(dir + "/");
  const struct {
    MeshLevel level;
    const char16_t* term;
    std::vector<std::string> lines;
  } cases[] = {
      {MeshLevel::L,
       u"駅",
       {"   0km,大手町駅,[5339.tgx],503200000,128450000,  ", "  47km,西駅,[5339.tgx],501200000,128350000,  ",
        "  65km,東駅,[5340.tgx],505832125,128400000,\xE2\x96\xB3 "}},
      {MeshLevel::R, u"駅", {"   5km,駅,[533946],503325125,128550125,  "}},
      {MeshLevel::SQuartered,
       u"駅",
       {"   1km,駅,[533946],503212625,128475125,  ", "   8km,駅,[533946],503437375,128624875,  "}},
      {MeshLevel::SFine, u"駅", {"   0km,神田駅,[53394615.tgx],503185625,128455000,  "}},
      {MeshLevel::SFine, u"一二三四五六七八九十一二三四五六", {}},  // 32 bytes, though the file holds them
      {MeshLevel::M, u"駅", {}},
  };
  for (const auto& c : cases) {
    ResultListAdd(u"stale line");
    EXPECT_EQ(int(c.lines.size()), SearchMeshLevel(c.level, c.term, folder)) << int(c.level);
    EXPECT_EQ(c.lines, ResultLinesUtf8()) << int(c.level);
  }
  std::filesystem::remove_all(dir);
  ResultListClear();
}

}  // namespace
