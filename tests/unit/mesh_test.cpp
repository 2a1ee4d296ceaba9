#include "search/mesh.h"

#include <gtest/gtest.h>

#include <set>

#include "platform/utf.h"

namespace {

std::string Narrow(const std::u16string& text) { return Utf16ToUtf8(text); }

struct CellCase {
  MeshLevel level;
  int32_t lon, lat;
  const char* code;
  int32_t centreLon, centreLat;
};

// Points on a meridian or parallel that bounds cells name the cell to the
// east or north; one ms less names the neighbour to the west or south.
// First-order cell 5339: west edge 500400000, south edge 127200000.  The
// first rows are 139 deg 46' 0" E, 35 deg 40' 50" N at every level.
TEST(MeshCellAtTest, ExamplePointAndBoundaries) {
  const CellCase cases[] = {
      {MeshLevel::L, 503160000, 128450000, "5339.tgx", 502200000, 128400000},
      {MeshLevel::M, 503160000, 128450000, "53394B.tgx", 503550000, 128700000},
      {MeshLevel::R, 503160000, 128450000, "533946", 503325000, 128550000},
      {MeshLevel::SQuartered, 503160000, 128450000, "533946", 503325000, 128550000},
      {MeshLevel::SFine, 503160000, 128450000, "53394615.tgx", 503184375, 128456250},
      // L: first-order meridian and parallel.
      {MeshLevel::L, 500400000, 127200000, "5339.tgx", 502200000, 128400000},
      {MeshLevel::L, 500399999, 127200000, "5338.tgx", 498600000, 128400000},
      {MeshLevel::L, 500400000, 127199999, "5239.tgx", 502200000, 126000000},
      {MeshLevel::L, 503999999, 129599999, "5339.tgx", 502200000, 128400000},
      {MeshLevel::L, 504000000, 129600000, "5440.tgx", 505800000, 130800000},
      // M, first split on the first-order centre (502200000, 128400000).
      {MeshLevel::M, 502200000, 128400000, "53394A.tgx", 502650000, 128700000},
      {MeshLevel::M, 502199999, 128400000, "53393B.tgx", 501750000, 128700000},
      {MeshLevel::M, 502200000, 128399999, "53392C.tgx", 502650000, 128100000},
      {MeshLevel::M, 502199999, 128399999, "53391D.tgx", 501750000, 128100000},
      // M, second split on the centre of quarter 4 (503100000, 129000000).
      {MeshLevel::M, 503100000, 129000000, "53394D.tgx", 503550000, 129300000},
      {MeshLevel::M, 503099999, 128999999, "53394A.tgx", 502650000, 128700000},
      {MeshLevel::M, 503100000, 128999999, "53394B.tgx", 503550000, 128700000},
      {MeshLevel::M, 503099999, 129000000, "53394C.tgx", 502650000, 129300000},
      // M at the first-order edges.
      {MeshLevel::M, 500400000, 127200000, "53391A.tgx", 500850000, 127500000},
      {MeshLevel::M, 503999999, 129599999, "53394D.tgx", 503550000, 129300000},
      // R: second-order lines.
      {MeshLevel::R, 500850000, 127500000, "533911", 501075000, 127650000},
      {MeshLevel::R, 500849999, 127499999, "533900", 500625000, 127350000},
      {MeshLevel::R, 503999999, 129599999, "533977", 503775000, 129450000},
      {MeshLevel::SQuartered, 500850000, 127500000, "533911", 501075000, 127650000},
      // SFine: the quarter split on the second-order centre (503325000, 128550000).
      {MeshLevel::SFine, 503325000, 128550000, "53394640.tgx", 503353125, 128568750},
      {MeshLevel::SFine, 503324999, 128549999, "5339461F.tgx", 503296875, 128531250},
      {MeshLevel::SFine, 503325000, 128549999, "5339462C.tgx", 503353125, 128531250},
      {MeshLevel::SFine, 503324999, 128550000, "53394633.tgx", 503296875, 128568750},
      // SFine: fine lines inside quarter 1 (south-west corner 503100000, 128400000).
      {MeshLevel::SFine, 503156250, 128437500, "53394615.tgx", 503184375, 128456250},
      {MeshLevel::SFine, 503156249, 128437499, "53394610.tgx", 503128125, 128418750},
      {MeshLevel::SFine, 503100000, 128400000, "53394610.tgx", 503128125, 128418750},
      // SFine: the last ms of a second-order cell is fine index F, the next
      // ms east is the neighbouring second-order cell.
      {MeshLevel::SFine, 503549999, 128699999, "5339464F.tgx", 503521875, 128681250},
      {MeshLevel::SFine, 503550000, 128699999, "5339473C.tgx", 503578125, 128681250},
  };
  for (const CellCase& c : cases) {
    MeshCell cell = MeshCellAt(c.level, c.lon, c.lat);
    EXPECT_EQ(c.code, Narrow(cell.code)) << "at " << c.lon << "," << c.lat;
    EXPECT_EQ(c.centreLon, cell.centreLon) << "at " << c.lon << "," << c.lat << " " << c.code;
    EXPECT_EQ(c.centreLat, cell.centreLat) << "at " << c.lon << "," << c.lat << " " << c.code;
  }
}

struct LevelSize {
  MeshLevel level;
  int32_t width, height;
};
const LevelSize kSizes[] = {
    {MeshLevel::L, 3600000, 2400000},  {MeshLevel::M, 900000, 600000},
    {MeshLevel::R, 450000, 300000},    {MeshLevel::SQuartered, 450000, 300000},
    {MeshLevel::SFine, 56250, 37500},
};

// Every cell is half-open: its centre minus half its size lies in it, its
// centre plus half its size lies in the next cell.
TEST(MeshCellAtTest, CellsAreHalfOpenAroundTheirCentre) {
  for (const LevelSize& s : kSizes) {
    for (int32_t lon = 500000000; lon < 505000000; lon += 123457) {
      for (int32_t lat = 127000000; lat < 130000000; lat += 98765) {
        MeshCell cell = MeshCellAt(s.level, lon, lat);
        ASSERT_LE(cell.centreLon - s.width / 2, lon);
        ASSERT_LT(lon, cell.centreLon + s.width / 2);
        ASSERT_LE(cell.centreLat - s.height / 2, lat);
        ASSERT_LT(lat, cell.centreLat + s.height / 2);
        int32_t west = cell.centreLon - s.width / 2;
        int32_t south = cell.centreLat - s.height / 2;
        EXPECT_EQ(cell.code, MeshCellAt(s.level, west, south).code);
        EXPECT_NE(cell.code, MeshCellAt(s.level, west - 1, south).code);
        EXPECT_NE(cell.code, MeshCellAt(s.level, west, south - 1).code);
        EXPECT_NE(cell.code, MeshCellAt(s.level, west + s.width, south).code);
        EXPECT_NE(cell.code, MeshCellAt(s.level, west, south + s.height).code);
      }
    }
  }
}

TEST(MeshSearchPointsTest, OrderAndShiftsPerLevel) {
  const int32_t lon = 503160000, lat = 128450000;
  struct Expect {
    MeshLevel level;
    std::size_t count;
    // Shifts of the 1st, 2nd and last point and of the point after the first
    // inner loop.
    int32_t first[2], second[2], afterInner[2], last[2];
    std::size_t inner;
  };
  const Expect cases[] = {
      {MeshLevel::L, 9, {-3600000, -2400000}, {0, -2400000}, {-3600000, 0}, {3600000, 2400000}, 3},
      {MeshLevel::M, 9, {-900000, -600000}, {-900000, 0}, {0, -600000}, {900000, 600000}, 3},
      {MeshLevel::R, 9, {-450000, -300000}, {-450000, 0}, {0, -300000}, {450000, 300000}, 3},
      {MeshLevel::SQuartered, 9, {-450000, -300000}, {-450000, 0}, {0, -300000}, {450000, 300000}, 3},
      {MeshLevel::SFine, 121, {-281250, -187500}, {-281250, -150000}, {-225000, -187500}, {281250, 187500}, 11},
  };
  for (const Expect& e : cases) {
    std::vector<MeshPoint> points = MeshSearchPoints(e.level, lon, lat);
    ASSERT_EQ(e.count, points.size());
    auto check = [&](std::size_t i, const int32_t* d) {
      EXPECT_EQ(lon + d[0], points[i].lon) << "level " << static_cast<int>(e.level) << " point " << i;
      EXPECT_EQ(lat + d[1], points[i].lat) << "level " << static_cast<int>(e.level) << " point " << i;
    };
    check(0, e.first);
    check(1, e.second);
    check(e.inner, e.afterInner);
    check(points.size() - 1, e.last);
    // Every point lies in a different cell, and the middle one is the
    // reference point's own cell.
    std::set<std::u16string> codes;
    for (const MeshPoint& p : points) codes.insert(MeshCellAt(e.level, p.lon, p.lat).code);
    EXPECT_EQ(points.size(), codes.size());
    const MeshPoint& middle = points[points.size() / 2];
    EXPECT_EQ(MeshCellAt(e.level, lon, lat).code, MeshCellAt(e.level, middle.lon, middle.lat).code);
  }
}

TEST(MeshFileCandidatesTest, PathsPerLevel) {
  const std::u16string folder = u"\\SD\\Map\\";
  struct Case {
    MeshLevel level;
    int quarter;
    std::vector<std::string> paths;
  };
  const Case cases[] = {
      {MeshLevel::L, 1, {"\\SD\\Map\\levelL\\5339.tgx"}},
      {MeshLevel::M, 1, {"\\SD\\Map\\levelM\\53394B.tgx"}},
      {MeshLevel::R, 1, {"\\SD\\Map\\levelR\\533946.tgx", "\\SD\\Map\\_levelR\\533946.tgx"}},
      {MeshLevel::SQuartered, 1, {"\\SD\\Map\\levelS\\5339461.tgx", "\\SD\\Map\\_levelS\\5339461.tgx"}},
      {MeshLevel::SQuartered, 4, {"\\SD\\Map\\levelS\\5339464.tgx", "\\SD\\Map\\_levelS\\5339464.tgx"}},
      {MeshLevel::SFine, 1, {"\\SD\\Map\\levelS\\53394615.tgx"}},
  };
  for (const Case& c : cases) {
    MeshCell cell = MeshCellAt(c.level, 503160000, 128450000);
    std::vector<std::u16string> got = MeshFileCandidates(c.level, folder, cell, c.quarter);
    ASSERT_EQ(c.paths.size(), got.size());
    for (std::size_t i = 0; i < got.size(); ++i) EXPECT_EQ(c.paths[i], Narrow(got[i]));
  }
}

TEST(MeshLayoutTest, SLayoutByVersionAndQuarterCentres) {
  EXPECT_EQ(MeshLevel::SQuartered, SLayoutFor(0));
  EXPECT_EQ(MeshLevel::SQuartered, SLayoutFor(9));
  EXPECT_EQ(MeshLevel::SFine, SLayoutFor(10));
  EXPECT_EQ(MeshLevel::SFine, SLayoutFor(11));
  EXPECT_EQ(4, MeshFilesPerPoint(MeshLevel::SQuartered));
  EXPECT_EQ(1, MeshFilesPerPoint(MeshLevel::SFine));
  EXPECT_EQ(1, MeshFilesPerPoint(MeshLevel::L));
  MeshCell cell = MeshCellAt(MeshLevel::SQuartered, 503160000, 128450000);
  const MeshPoint expected[4] = {{503212500, 128475000}, {503437500, 128475000}, {503212500, 128625000},
                                 {503437500, 128625000}};
  for (int q = 1; q <= 4; ++q) {
    MeshPoint c = MeshQuarterCentre(cell, q);
    EXPECT_EQ(expected[q - 1].lon, c.lon) << q;
    EXPECT_EQ(expected[q - 1].lat, c.lat) << q;
  }
}

}  // namespace
