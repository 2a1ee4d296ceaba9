#include "search/mesh.h"

#include <gtest/gtest.h>

#include "platform/utf.h"
#include "tests/unit/mesh_invariants.h"

namespace {

// A point on a meridian or parallel that bounds cells names the cell to the
// east or north; one ms less names the neighbour.  First-order cell 5339 has
// its south-west corner at 500400000, 127200000; M splits on the first-order
// centre, then on the quarter's; SFine on the second-order centre, then on
// fine lines; its last fine cell F borders the next second-order cell.
TEST(MeshCellAtTest, ExamplePointAndBoundaries) {
  using L = MeshLevel;
  const struct {
    MeshLevel level;
    int32_t lon, lat;
    const char* code;
    int32_t centreLon, centreLat;
  } cases[] = {
      {L::L, 503160000, 128450000, "5339.tgx", 502200000, 128400000},
      {L::M, 503160000, 128450000, "53394B.tgx", 503550000, 128700000},
      {L::R, 503160000, 128450000, "533946", 503325000, 128550000},
      {L::SQuartered, 503160000, 128450000, "533946", 503325000, 128550000},
      {L::SFine, 503160000, 128450000, "53394615.tgx", 503184375, 128456250},
      {L::L, 500400000, 127200000, "5339.tgx", 502200000, 128400000},
      {L::L, 500399999, 127200000, "5338.tgx", 498600000, 128400000},
      {L::L, 500400000, 127199999, "5239.tgx", 502200000, 126000000},
      {L::L, 504000000, 129600000, "5440.tgx", 505800000, 130800000},
      {L::M, 502200000, 128400000, "53394A.tgx", 502650000, 128700000},
      {L::M, 502199999, 128400000, "53393B.tgx", 501750000, 128700000},
      {L::M, 502200000, 128399999, "53392C.tgx", 502650000, 128100000},
      {L::M, 502199999, 128399999, "53391D.tgx", 501750000, 128100000},
      {L::M, 503100000, 129000000, "53394D.tgx", 503550000, 129300000},
      {L::M, 503099999, 128999999, "53394A.tgx", 502650000, 128700000},
      {L::M, 503100000, 128999999, "53394B.tgx", 503550000, 128700000},
      {L::M, 503099999, 129000000, "53394C.tgx", 502650000, 129300000},
      {L::M, 503999999, 129599999, "53394D.tgx", 503550000, 129300000},
      {L::R, 500850000, 127500000, "533911", 501075000, 127650000},
      {L::R, 500849999, 127499999, "533900", 500625000, 127350000},
      {L::R, 503999999, 129599999, "533977", 503775000, 129450000},
      {L::SQuartered, 500850000, 127500000, "533911", 501075000, 127650000},
      {L::SFine, 503325000, 128550000, "53394640.tgx", 503353125, 128568750},
      {L::SFine, 503324999, 128549999, "5339461F.tgx", 503296875, 128531250},
      {L::SFine, 503325000, 128549999, "5339462C.tgx", 503353125, 128531250},
      {L::SFine, 503324999, 128550000, "53394633.tgx", 503296875, 128568750},
      {L::SFine, 503156249, 128437499, "53394610.tgx", 503128125, 128418750},
      {L::SFine, 503100000, 128400000, "53394610.tgx", 503128125, 128418750},
      {L::SFine, 503549999, 128699999, "5339464F.tgx", 503521875, 128681250},
      {L::SFine, 503550000, 128699999, "5339473C.tgx", 503578125, 128681250},
      {L::L, 500400000, -1, "-139.tgx", 502200000,
       -1200000},  // south of the equator: the cell below, not the one above
  };
  for (const auto& c : cases) {
    const MeshCell cell = MeshCellAt(c.level, c.lon, c.lat);
    EXPECT_EQ(std::make_tuple(Utf16ToUtf8(cell.code), cell.centreLon, cell.centreLat),
              std::make_tuple(c.code, c.centreLon, c.centreLat))
        << "at " << c.lon << "," << c.lat;
  }
}

TEST(MeshCellAtTest, InvariantsHoldOverAGrid) {
  for (const MeshCellSize& s : kMeshCellSizes)
    for (int32_t lon = 500000000; lon < 505000000; lon += 123457)
      for (int32_t lat = 127000000; lat < 130000000; lat += 98765)
        ASSERT_EQ(CheckCellInvariants(s, lon, lat), "") << int(s.level) << " at " << lon << "," << lat;
}

// Around the point, symmetric, a row at a time from the south-west.
TEST(MeshSearchPointsTest, CountAndSpreadPerLevel) {
  const int32_t lon = 503160000, lat = 128450000;
  const struct {
    MeshLevel level;
    std::size_t count;
    int32_t dLon, dLat, secondLat;
  } cases[] = {
      {MeshLevel::L, 9, 3600000, 2400000, 2400000},
      {MeshLevel::M, 9, 900000, 600000, 0},
      {MeshLevel::R, 9, 450000, 300000, 0},
      {MeshLevel::SFine, 121, 281250, 187500, 150000},
  };
  for (const auto& e : cases) {
    const std::vector<MeshPoint> p = MeshSearchPoints(e.level, lon, lat);
    ASSERT_EQ(e.count, p.size());
    EXPECT_EQ(std::make_pair(p[0].lon, p[0].lat), std::make_pair(lon - e.dLon, lat - e.dLat)) << int(e.level);
    EXPECT_EQ(std::make_pair(p.back().lon, p.back().lat), std::make_pair(lon + e.dLon, lat + e.dLat)) << int(e.level);
    EXPECT_EQ(lat - p[1].lat, e.secondLat) << int(e.level);
  }
}

}  // namespace
