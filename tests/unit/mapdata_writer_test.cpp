// The gazetteer's real place names through the map data writer and the real
// scan: every place must be found at every level, its name intact, in its
// file's cell and close to where it lies.
#include <gtest/gtest.h>

#include <cstdlib>

#include "search/mesh_scan.h"
#include "tests/unit/test_support.h"
#include "tools/mapdata_writer/mapdata_writer.h"

TEST(MapDataWriter, EveryGazetteerPlaceReadsBackAtEveryLevel) {
  std::vector<MapPlace> places;
  std::string error;
  ASSERT_TRUE(ReadPlacesTsv(KARIO_SOURCE_DIR "/tools/gazetteer/places.tsv", places, error)) << error;
  ASSERT_GT(places.size(), 200u);
  const struct { MeshLevel level; double unitMs; } levels[] = {
      {MeshLevel::L, 125}, {MeshLevel::M, 62.5}, {MeshLevel::R, 15.625}, {MeshLevel::SQuartered, 7.8125}, {MeshLevel::SFine, 7.8125}};
  for (const auto& level : levels) {
    for (const MapPlace& place : places) {
      SCOPED_TRACE(std::to_string(int(level.level)) + " " + Utf16ToUtf8(place.name));
      ReferencePointScope ref(place.lon, place.lat);
      const MeshPlacement at = PlaceInMesh(level.level, place.lon, place.lat);
      // Behind another record, as in a real file.
      std::string file;
      AppendMeshRecord(file, {-1, 1}, Sjis(u"前の場所"));
      AppendMeshRecord(file, ChooseMeshOffsets(level.level, place.lon - at.centre.lon, place.lat - at.centre.lat), Sjis(place.name));
      ResultListClear();
      ScanMeshBuffer(level.level, reinterpret_cast<const unsigned char*>(file.data()), file.size(), Sjis(place.name),
                     at.cell.code, at.centre.lon, at.centre.lat);
      const std::vector<std::u16string> lines = ResultListLines();
      ASSERT_EQ(lines.size(), 1u);
      // "dist,name,[code],lon,lat,  ": marker " " (no fallback) and the closing blank.
      const std::u16string head = u"," + place.name + u",[" + at.cell.code + u"],", tail = u",  ";
      ASSERT_EQ(lines[0].substr(6, head.size()), head);
      ASSERT_EQ(lines[0].substr(lines[0].size() - 3), tail);
      const std::string coordinates = Utf16ToUtf8(lines[0].substr(6 + head.size()));
      char* end = nullptr;
      const long lon = std::strtol(coordinates.c_str(), &end, 10), lat = std::strtol(end + 1, nullptr, 10);
      // Within one unit, or up to 128 units north or south where the writer had
      // to avoid a newline in the latitude offset's high byte.
      EXPECT_LE(static_cast<double>(std::abs(lon - place.lon)) / level.unitMs, 1.0);
      EXPECT_LE(static_cast<double>(std::abs(lat - place.lat)) / level.unitMs, 129.0);
    }
  }
  ResultListClear();
}
