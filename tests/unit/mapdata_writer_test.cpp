// The map data writer against the real scan: every record it writes must be
// found by the scan's first decoding, with the name intact and the place
// where the writer says it put it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>

#include <unistd.h>

#include "search/mesh.h"
#include "search/mesh_scan.h"
#include "tests/unit/test_support.h"
#include "tools/mapdata_writer/mapdata_writer.h"

namespace {

struct LevelCase {
  MeshLevel level;
  const char* name;
  double unitMs;  // ms per offset unit
  int32_t lonLimit, latLimit;
};
const LevelCase kLevels[] = {{MeshLevel::L, "L", 125, 14400, 9600},
                             {MeshLevel::M, "M", 62.5, 7200, 4800},
                             {MeshLevel::R, "R", 15.625, 14400, 9600},
                             {MeshLevel::SQuartered, "SQuartered", 7.8125, 14400, 9600},
                             {MeshLevel::SFine, "SFine", 7.8125, 14400, 9600}};

struct ScannedLine {
  std::u16string name, code, marker;
  int32_t lon = 0, lat = 0;
};

// Splits "dist,name,[code],lon,lat,marker " as the list shows it.
ScannedLine ParseLine(const std::u16string& line) {
  std::vector<std::u16string> f;
  for (std::size_t start = 0, comma = 0; f.size() < 6; start = comma + 1)
    f.push_back(line.substr(start, f.size() == 5 ? std::u16string::npos : (comma = line.find(u',', start)) - start));
  return {f[1], f[2].substr(1, f[2].size() - 2), f[5], std::atoi(Utf16ToUtf8(f[3]).c_str()),
          std::atoi(Utf16ToUtf8(f[4]).c_str())};
}

// Scans a file of records (`before`, then `offsets` with `name`) for `term`.
std::vector<ScannedLine> Scan(MeshLevel level, const std::u16string& name, MeshOffsets offsets,
                              const std::u16string& term, const MeshPlacement& at,
                              const std::u16string& before = u"", MeshOffsets beforeOffsets = {-1, 1}) {
  std::string file;
  if (!before.empty()) AppendMeshRecord(file, beforeOffsets, Sjis(before));
  AppendMeshRecord(file, offsets, Sjis(name));
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
  auto naive = [&](int32_t delta, int32_t limit) {
    long v = std::lround(delta / level.unitMs);
    if (v == 0) v = delta < 0 ? -1 : 1;
    return static_cast<int16_t>(std::max<long>(-limit, std::min<long>(limit, v)));
  };
  return MeshOffsets{naive(dLon, level.lonLimit), naive(dLat, level.latLimit)};
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
      ReferencePointScope ref(place.lon, place.lat);
      const MeshPlacement at = PlaceInMesh(level.level, place.lon, place.lat);
      const int32_t dLon = place.lon - at.centre.lon, dLat = place.lat - at.centre.lat;
      const MeshOffsets offsets = ChooseMeshOffsets(level.level, dLon, dLat);
      const std::vector<ScannedLine> lines = Scan(level.level, place.name, offsets, place.name, at, u"前の場所");
      ASSERT_EQ(lines.size(), 1u);
      EXPECT_EQ(lines[0].name, place.name);
      EXPECT_EQ(lines[0].code, at.cell.code);
      EXPECT_EQ(lines[0].marker, u"  ");  // marker " " and the closing blank
      const MeshPoint predicted = DecodedMeshPosition(level.level, at.centre, offsets);
      EXPECT_EQ(lines[0].lon, predicted.lon);
      EXPECT_EQ(lines[0].lat, predicted.lat);

      const double latError = std::abs(lines[0].lat - place.lat) / level.unitMs;
      EXPECT_LE(std::abs(lines[0].lon - place.lon) / level.unitMs, 1.0);
      EXPECT_LE(latError, 129.0);
      if (latError > 1.0) {
        ++moved;
        // Moving is allowed only where the naive record does not read back.
        const std::vector<ScannedLine> naiveLines =
            Scan(level.level, place.name, NaiveOffsets(level, dLon, dLat), place.name, at);
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
    ReferencePointScope ref(place.lon, place.lat);
    const MeshPlacement at = PlaceInMesh(MeshLevel::L, place.lon, place.lat);
    const std::vector<ScannedLine> lines =
        Scan(MeshLevel::L, place.name, ChooseMeshOffsets(MeshLevel::L, c.dLon, c.dLat), u"駅", at, u"前", {100, 100});
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
    const int32_t lonLimit = level.lonLimit, latLimit = level.latLimit;
    const MeshOffsets atCentre = ChooseMeshOffsets(level.level, 0, 0);
    EXPECT_TRUE(atCentre.lon != 0 && atCentre.lat != 0 && std::abs(atCentre.lon) <= 2 && std::abs(atCentre.lat) <= 2)
        << atCentre.lon << "," << atCentre.lat;
    const int32_t halfLon = static_cast<int32_t>(lonLimit * level.unitMs);
    const int32_t halfLat = static_cast<int32_t>(latLimit * level.unitMs);
    const MeshOffsets edge = ChooseMeshOffsets(level.level, -halfLon, -halfLat);
    EXPECT_EQ(edge.lon, -lonLimit);
    EXPECT_EQ(edge.lat, -latLimit);
    // Far outside the range: clamped to a readable offset near the end.
    const MeshOffsets beyond = ChooseMeshOffsets(level.level, 4 * halfLon, 4 * halfLat);
    EXPECT_TRUE(beyond.lon <= lonLimit && beyond.lon >= lonLimit - 1) << beyond.lon;
    EXPECT_TRUE(beyond.lat <= latLimit && beyond.lat >= latLimit - 1) << beyond.lat;
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
    ReferencePointScope ref(atsugi.lon, atsugi.lat);
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
  const std::string file =
      (std::filesystem::temp_directory_path() / ("mapdata_writer_places_" + std::to_string(::getpid()) + ".tsv")).string();
  const struct {
    const char* text;
    bool ok;
    size_t count;
    const char* errorPart;
    const char16_t* lastName;
    int32_t lastLat;
  } kCases[] = {
      {"name\tlon\tlat\n厚木市\t501706384\t127568319\t1\t2\n", true, 1, "", u"厚木市", 127568319},
      {"\xEF\xBB\xBF厚木市\t501706384\t127568319\r\n# note\n\n東京\t-1\t+2\r\n", true, 2, "", u"東京", 2},
      {"厚木市\t501706384\t127568319\n大阪\t1\n", false, 1, ":2:", u"", 0},
      {"厚木市\t501706384\t127568319\n大阪\t1\t2147483648\n", false, 1, ":2:", u"", 0},
      {"厚木市\t5017x\t127568319\n", true, 0, "", u"", 0},  // a first line that does not parse is a header
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.text);
    WriteBytesTo(file, c.text);
    std::vector<MapPlace> places;
    std::string error;
    ASSERT_EQ(ReadPlacesTsv(file, places, error), c.ok);
    if (!c.ok) {
      EXPECT_NE(error.find(c.errorPart), std::string::npos) << error;
      continue;
    }
    ASSERT_EQ(places.size(), c.count);
    if (c.count > 0) {
      EXPECT_EQ(places.front().lon, 501706384);
      EXPECT_EQ(places.back().name, c.lastName);
      EXPECT_EQ(places.back().lat, c.lastLat);
    }
  }
  std::filesystem::remove(file);
  std::vector<MapPlace> places;
  std::string error;
  EXPECT_FALSE(ReadPlacesTsv(file, places, error)) << "missing file";
}
