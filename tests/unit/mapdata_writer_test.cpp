// The map data writer against the real scan: every record it writes must be
// found by the scan's first decoding, with the name intact and the place
// where the writer says it put it.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <unistd.h>

#include "maplink/reference_point.h"
#include "platform/codepage.h"
#include "platform/result_list.h"
#include "platform/utf.h"
#include "search/mesh.h"
#include "search/mesh_scan.h"
#include "tools/mapdata_writer/mapdata_writer.h"

namespace {

struct LevelCase {
  MeshLevel level;
  const char* name;
  double unitMs;  // ms per offset unit
};
const LevelCase kLevels[] = {{MeshLevel::L, "L", 125},
                             {MeshLevel::M, "M", 62.5},
                             {MeshLevel::R, "R", 15.625},
                             {MeshLevel::SQuartered, "SQuartered", 7.8125},
                             {MeshLevel::SFine, "SFine", 7.8125}};

struct ScannedLine {
  std::u16string name;
  std::u16string code;
  int32_t lon = 0;
  int32_t lat = 0;
  std::u16string marker;
};

// Splits "dist,name,[code],lon,lat,marker " as the list shows it.
ScannedLine ParseLine(const std::u16string& line) {
  std::vector<std::u16string> fields;
  std::u16string::size_type start = 0;
  for (int i = 0; i < 5; ++i) {
    auto comma = line.find(u',', start);
    fields.push_back(line.substr(start, comma - start));
    start = comma + 1;
  }
  fields.push_back(line.substr(start));
  ScannedLine scanned;
  scanned.name = fields[1];
  scanned.code = fields[2].substr(1, fields[2].size() - 2);
  scanned.lon = std::atoi(Utf16ToUtf8(fields[3]).c_str());
  scanned.lat = std::atoi(Utf16ToUtf8(fields[4]).c_str());
  scanned.marker = fields[5];
  return scanned;
}

// Scans one file holding the given records for `term` and returns its lines.
std::vector<ScannedLine> Scan(MeshLevel level, const std::string& file, const std::u16string& term,
                              const MeshPlacement& at) {
  ResultListClear();
  ScanMeshBuffer(level, reinterpret_cast<const unsigned char*>(file.data()), file.size(), WideToCodePage932(term),
                 at.cell.code, at.centre.lon, at.centre.lat);
  std::vector<ScannedLine> lines;
  for (const std::u16string& line : ResultListLines()) lines.push_back(ParseLine(line));
  return lines;
}

std::vector<MapPlace> Gazetteer() {
  std::vector<MapPlace> places;
  std::string error;
  EXPECT_TRUE(ReadPlacesTsv(KARIO_SOURCE_DIR "/tools/gazetteer/places.tsv", places, error)) << error;
  return places;
}

// The offset a writer would store without minding how the scan reads bytes:
// the nearest quotient, clamped to the level's range, never 0.
MeshOffsets NaiveOffsets(const LevelCase& level, int32_t dLon, int32_t dLat) {
  const int32_t lonLimit = level.level == MeshLevel::M ? 7200 : 14400;
  const int32_t latLimit = level.level == MeshLevel::M ? 4800 : 9600;
  auto naive = [&](int32_t delta, int32_t limit) {
    long v = std::lround(delta / level.unitMs);
    if (v == 0) v = delta < 0 ? -1 : 1;
    return static_cast<int16_t>(std::max<long>(-limit, std::min<long>(limit, v)));
  };
  return MeshOffsets{naive(dLon, lonLimit), naive(dLat, latLimit)};
}

}  // namespace

// Each gazetteer place, alone behind another record in its file, is read
// back by the first decoding at every level: one line, the full name, the
// file's cell code, the position the writer predicts, marker " ".  The
// position lies within one unit of the place unless the naive offsets would
// not have read back, in which case the writer may move it (at most 128
// units, the width of a newline high byte's band).
TEST(MapDataWriter, EveryGazetteerPlaceReadsBackAtEveryLevel) {
  const std::vector<MapPlace> places = Gazetteer();
  ASSERT_GT(places.size(), 200u);
  for (const LevelCase& level : kLevels) {
    int moved = 0;
    for (const MapPlace& place : places) {
      SCOPED_TRACE(std::string(level.name) + " " + Utf16ToUtf8(place.name));
      g_referenceLongitude = place.lon;
      g_referenceLatitude = place.lat;
      const MeshPlacement at = PlaceInMesh(level.level, place.lon, place.lat);
      const MeshOffsets offsets = ChooseMeshOffsets(level.level, place.lon - at.centre.lon, place.lat - at.centre.lat);
      std::string file;
      AppendMeshRecord(file, MeshOffsets{-1, 1}, WideToCodePage932(u"前の場所"));
      AppendMeshRecord(file, offsets, WideToCodePage932(place.name));

      const std::vector<ScannedLine> lines = Scan(level.level, file, place.name, at);
      ASSERT_EQ(lines.size(), 1u);
      EXPECT_EQ(lines[0].name, place.name);
      EXPECT_EQ(lines[0].code, at.cell.code);
      EXPECT_EQ(lines[0].marker, u"  ");  // marker " " and the closing blank
      const MeshPoint predicted = DecodedMeshPosition(level.level, at.centre, offsets);
      EXPECT_EQ(lines[0].lon, predicted.lon);
      EXPECT_EQ(lines[0].lat, predicted.lat);

      const double lonError = std::abs(lines[0].lon - place.lon) / level.unitMs;
      const double latError = std::abs(lines[0].lat - place.lat) / level.unitMs;
      EXPECT_LE(lonError, 1.0);
      EXPECT_LE(latError, 129.0);
      if (latError > 1.0) {
        ++moved;
        // Moving is allowed only where the naive record does not read back.
        std::string naiveFile;
        const MeshOffsets naive = NaiveOffsets(level, place.lon - at.centre.lon, place.lat - at.centre.lat);
        AppendMeshRecord(naiveFile, naive, WideToCodePage932(place.name));
        const std::vector<ScannedLine> naiveLines = Scan(level.level, naiveFile, place.name, at);
        const bool naiveReadsBack = naiveLines.size() == 1 && naiveLines[0].marker == u"  " &&
                                    naiveLines[0].name == place.name &&
                                    std::abs(naiveLines[0].lat - place.lat) <= level.unitMs + 1;
        EXPECT_FALSE(naiveReadsBack) << "moved by " << latError << " units without need";
      }
    }
    // Negative latitude offsets whose low byte would lead a name character
    // are about a twentieth of all; real coordinates cluster (rounded
    // degrees), so the share varies by level.
    EXPECT_LT(moved, static_cast<int>(places.size()) / 5) << level.name;
  }
}

// A term after a character that is no name character sends the scan to its
// fallback decoding, which looks for the three 0 bytes before the record:
// it must find the record's own offsets, also where the longitude offset
// would naively have had a 0 low byte.
TEST(MapDataWriter, RecordsReadBackThroughTheFallbackDecoding) {
  const struct {
    int32_t dLon;  // ms from the L cell centre
    int32_t dLat;
  } kCases[] = {{256 * 125, 1000}, {-256 * 125, -1000}, {1000, 256 * 125}, {-1799000, 1199000}, {125, -125}};
  const MeshCell cell = MeshCellAt(MeshLevel::L, 502200000, 128400000);
  for (const auto& c : kCases) {
    SCOPED_TRACE(std::to_string(c.dLon) + "," + std::to_string(c.dLat));
    const MapPlace place{u"東京・駅", cell.centreLon + c.dLon, cell.centreLat + c.dLat};
    g_referenceLongitude = place.lon;
    g_referenceLatitude = place.lat;
    const MeshPlacement at = PlaceInMesh(MeshLevel::L, place.lon, place.lat);
    std::string file;
    AppendMeshRecord(file, MeshOffsets{100, 100}, WideToCodePage932(u"前"));
    AppendMeshRecord(file, ChooseMeshOffsets(MeshLevel::L, c.dLon, c.dLat), WideToCodePage932(place.name));
    const std::vector<ScannedLine> lines = Scan(MeshLevel::L, file, u"駅", at);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].marker, u"△ ");
    EXPECT_EQ(lines[0].name, place.name);
    EXPECT_LE(std::abs(lines[0].lon - place.lon), 125);
    EXPECT_LE(std::abs(lines[0].lat - place.lat), 125);
  }
}

// Offsets at the edges: a place on a cell centre still gets non-zero
// offsets; a place on the west and south edges gets the range's end; the
// decoded positions stay inside the cell.
TEST(MapDataWriter, OffsetsAtCentreAndEdges) {
  for (const LevelCase& level : kLevels) {
    SCOPED_TRACE(level.name);
    const int32_t lonLimit = level.level == MeshLevel::M ? 7200 : 14400;
    const int32_t latLimit = level.level == MeshLevel::M ? 4800 : 9600;
    const MeshOffsets atCentre = ChooseMeshOffsets(level.level, 0, 0);
    EXPECT_NE(atCentre.lon, 0);
    EXPECT_NE(atCentre.lat, 0);
    EXPECT_LE(std::abs(atCentre.lon), 2);
    EXPECT_LE(std::abs(atCentre.lat), 2);
    const int32_t halfLon = static_cast<int32_t>(lonLimit * level.unitMs);
    const int32_t halfLat = static_cast<int32_t>(latLimit * level.unitMs);
    const MeshOffsets edge = ChooseMeshOffsets(level.level, -halfLon, -halfLat);
    EXPECT_EQ(edge.lon, -lonLimit);
    EXPECT_EQ(edge.lat, -latLimit);
    // Far outside the range: clamped to a readable offset near the end.
    const MeshOffsets beyond = ChooseMeshOffsets(level.level, 4 * halfLon, 4 * halfLat);
    EXPECT_LE(beyond.lon, lonLimit);
    EXPECT_GE(beyond.lon, lonLimit - 1);
    EXPECT_LE(beyond.lat, latLimit);
    EXPECT_GE(beyond.lat, latLimit - 1);
  }
}

// A whole folder: both S layouts side by side in levelS, the searches find
// the place at every level; with fallback folders, R and quartered S come
// from _levelR and _levelS.
TEST(MapDataWriter, FolderIsSearchedAtEveryLevel) {
  namespace fs = std::filesystem;
  const fs::path root = fs::temp_directory_path() / ("mapdata_writer_test_" + std::to_string(::getpid()));
  fs::remove_all(root);
  const std::vector<MapPlace> places = Gazetteer();
  const MapPlace atsugi{u"厚木市", 501706384, 127568319};
  for (bool fallback : {false, true}) {
    SCOPED_TRACE(fallback ? "fallback folders" : "level folders");
    const fs::path folder = root / (fallback ? "fallback" : "plain");
    MapDataLayout layout;
    layout.fallbackFolders = fallback;
    std::string error;
    ASSERT_TRUE(WriteMapDataFolder(folder.string(), places, layout, error)) << error;
    EXPECT_EQ(fs::exists(folder / "levelR"), !fallback);
    EXPECT_EQ(fs::exists(folder / "_levelR"), fallback);
    EXPECT_EQ(fs::exists(folder / "_levelS"), fallback);
    g_referenceLongitude = atsugi.lon;
    g_referenceLatitude = atsugi.lat;
    for (const LevelCase& level : kLevels) {
      SCOPED_TRACE(level.name);
      EXPECT_EQ(SearchMeshLevel(level.level, u"厚木", Utf8ToUtf16(folder.string()) + u"/"), 1);
      ASSERT_EQ(ResultListCount(), 1);
      const ScannedLine line = ParseLine(ResultListLines()[0]);
      EXPECT_EQ(line.name, atsugi.name);
      EXPECT_EQ(line.marker, u"  ");
      EXPECT_LE(std::abs(line.lon - atsugi.lon), level.unitMs);
    }
  }
  fs::remove_all(root);
}

TEST(MapDataWriter, RefusesNamesShiftJisCannotHold) {
  namespace fs = std::filesystem;
  const fs::path folder = fs::temp_directory_path() / ("mapdata_writer_refuse_" + std::to_string(::getpid()));
  fs::remove_all(folder);
  for (const std::u16string& name : {std::u16string(u"서울"), std::u16string(u"厚木\U0001F600"), std::u16string()}) {
    std::string error;
    const std::vector<MapPlace> places = {{u"厚木市", 501706384, 127568319}, {name, 501706384, 127568319}};
    EXPECT_FALSE(WriteMapDataFolder(folder.string(), places, MapDataLayout{}, error));
    EXPECT_NE(error.find("Shift-JIS"), std::string::npos);
    EXPECT_FALSE(fs::exists(folder));  // nothing written
  }
  // A '?' of the name itself is no loss.
  std::string error;
  EXPECT_TRUE(WriteMapDataFolder(folder.string(), {{u"何?", 501706384, 127568319}}, MapDataLayout{}, error)) << error;
  fs::remove_all(folder);
}

TEST(MapDataWriter, ReadsPlacesTsv) {
  namespace fs = std::filesystem;
  const fs::path file = fs::temp_directory_path() / ("mapdata_writer_places_" + std::to_string(::getpid()) + ".tsv");
  const struct {
    const char* text;
    bool ok;
    size_t count;
    const char* errorPart;
  } kCases[] = {
      {"name\tlon\tlat\n厚木市\t501706384\t127568319\t1\t2\n", true, 1, ""},
      {"\xEF\xBB\xBF厚木市\t501706384\t127568319\r\n# note\n\n東京\t-1\t+2\r\n", true, 2, ""},
      {"厚木市\t501706384\t127568319\n大阪\t1\n", false, 1, ":2:"},
      {"厚木市\t501706384\t127568319\n大阪\t1\t2147483648\n", false, 1, ":2:"},
      {"厚木市\t5017x\t127568319\n", true, 0, ""},  // a first line that does not parse is a header
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.text);
    { std::ofstream(file, std::ios::binary) << c.text; }
    std::vector<MapPlace> places;
    std::string error;
    EXPECT_EQ(ReadPlacesTsv(file.string(), places, error), c.ok);
    if (c.ok) {
      EXPECT_EQ(places.size(), c.count);
    } else {
      EXPECT_NE(error.find(c.errorPart), std::string::npos) << error;
    }
  }
  std::vector<MapPlace> places;
  std::string error;
  { std::ofstream(file, std::ios::binary) << "\xEF\xBB\xBF厚木市\t501706384\t127568319\r\n東京\t-1\t+2\r\n"; }
  ASSERT_TRUE(ReadPlacesTsv(file.string(), places, error));
  ASSERT_EQ(places.size(), 2u);
  EXPECT_EQ(places[0].name, u"厚木市");
  EXPECT_EQ(places[0].lon, 501706384);
  EXPECT_EQ(places[1].name, u"東京");
  EXPECT_EQ(places[1].lat, 2);
  fs::remove(file);
  EXPECT_FALSE(ReadPlacesTsv(file.string(), places, error));
}
