// The gazetteer's real place names through the map data writer and the real
// scan: every place must be found at every level, its name intact, in its
// file's cell and close to where it lies.
#include <gtest/gtest.h>

#include "core/result_line.h"
#include "search/mesh_scan.h"
#include "tests/unit/test_support.h"
#include "tools/mapdata_writer/mapdata_writer.h"

TEST(MapDataWriter, EveryGazetteerPlaceReadsBackAtEveryLevel) {
  std::vector<MapPlace> places;
  std::string error;
  ASSERT_TRUE(ReadPlacesTsv(KARIO_SOURCE_DIR "/tools/gazetteer/places.tsv", places, error)) << error;
  ASSERT_GT(places.size(), 200u);
  const struct {
    MeshLevel level;
    double unitMs;
  } levels[] = {{MeshLevel::L, 125},
                {MeshLevel::M, 62.5},
                {MeshLevel::R, 15.625},
                {MeshLevel::SQuartered, 7.8125},
                {MeshLevel::SFine, 7.8125}};
  for (const auto& level : levels) {
    for (const MapPlace& place : places) {
      SCOPED_TRACE(std::to_string(int(level.level)) + " " + Utf16ToUtf8(place.name));
      ReferencePointScope ref(place.lon, place.lat);
      const MeshPlacement at = PlaceInMesh(level.level, place.lon, place.lat);
      // Behind another record, as in a real file.
      std::string file;
      AppendMeshRecord(file, {-1, 1}, Sjis(u"前の場所"));
      AppendMeshRecord(file, ChooseMeshOffsets(level.level, place.lon - at.centre.lon, place.lat - at.centre.lat),
                       Sjis(place.name));
      ResultListClear();
      ScanMeshBuffer(level.level, reinterpret_cast<const unsigned char*>(file.data()), file.size(), Sjis(place.name),
                     at.cell.code, at.centre.lon, at.centre.lat);
      // "dist,name,[code],lon,lat,  ": the name whole, marker " " (no fallback).
      ASSERT_EQ(ResultListCount(), 1);
      const std::vector<std::u16string> pieces = SplitResultLine(ResultListLines()[0]);
      ASSERT_EQ(pieces.size(), 6u);
      EXPECT_EQ(pieces[1] + pieces[2] + pieces[5], place.name + u"[" + at.cell.code + u"]  ");
      // Within one unit, or up to 128 units north or south where the writer had
      // to avoid a newline in the latitude offset's high byte.
      const LineCoordinates read = FindLineCoordinates(pieces);
      EXPECT_LE(std::abs(static_cast<double>(read.lon - place.lon)) / level.unitMs, 1.0);
      EXPECT_LE(std::abs(static_cast<double>(read.lat - place.lat)) / level.unitMs, 129.0);
    }
  }
  ResultListClear();
}
