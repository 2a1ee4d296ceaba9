#include "search/coordinates.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "maplink/reference_point.h"

namespace {

class DistanceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    savedLon_ = g_referenceLongitude;
    savedLat_ = g_referenceLatitude;
    g_referenceLongitude = 503000000;
    g_referenceLatitude = 128000000;
  }
  void TearDown() override {
    g_referenceLongitude = savedLon_;
    g_referenceLatitude = savedLat_;
  }
  int32_t savedLon_ = 0;
  int32_t savedLat_ = 0;
};

TEST_F(DistanceTest, CutsEachAxisToWholeStepsBeforeCombining) {
  struct Case {
    int32_t dLon;  // point minus reference
    int32_t dLat;
    double km;
  };
  const Case cases[] = {
      {0, 0, 0.0},
      {40864, 32691, 0.0},    // just inside one step on both axes
      {-40864, -32691, 0.0},  // truncation toward zero, not toward minus infinity
      {40865, 0, 1.0},
      {-40865, 0, 1.0},
      {0, 32692, 1.0},
      {0, -32692, 1.0},
      {40865, 32692, 1.4142135623730951},
      {-100000, 100000, 3.605551275463989},  // dx 2, dy -3
      {81729, 0, 1.0},                      // 1.99998 steps stay one step
      {81730, 0, 2.0},
  };
  for (const Case& c : cases) {
    double got = DistanceFromReference(503000000 + c.dLon, 128000000 + c.dLat);
    EXPECT_EQ(c.km, got) << "dLon " << c.dLon << " dLat " << c.dLat;
    // Mirrored: swapping the side of the reference changes nothing.
    EXPECT_EQ(c.km, DistanceFromReference(503000000 - c.dLon, 128000000 - c.dLat))
        << "mirrored dLon " << c.dLon << " dLat " << c.dLat;
  }
}

TEST_F(DistanceTest, FarPointsDoNotWrapAround) {
  // A difference beyond 32 bits must still give a large distance.
  g_referenceLongitude = std::numeric_limits<int32_t>::max();
  double km = DistanceFromReference(std::numeric_limits<int32_t>::min(), 128000000);
  EXPECT_EQ(std::floor((4294967295.0) / 40865.0), km);
}

TEST(ConvertWgs84ToTokyoTest, KnownPoints) {
  struct Case {
    double lon, lat;
    int32_t tokyoLon, tokyoLat;
  };
  const Case cases[] = {
      {502890120, 128482200, 502901653, 128470591},
      {503000000, 128000000, 503011520, 127988337},
      {0, 0, -36147, -16567},
  };
  for (const Case& c : cases) {
    TokyoPoint p = ConvertWgs84ToTokyo(c.lon, c.lat);
    EXPECT_EQ(c.tokyoLon, p.lon) << c.lon << "," << c.lat;
    EXPECT_EQ(c.tokyoLat, p.lat) << c.lon << "," << c.lat;
  }
}

TEST(ConvertWgs84ToTokyoTest, FractionsTakePartInTheConversion) {
  // A typed fraction survives into the arithmetic: the result differs from
  // that of the truncated input for some fraction.
  bool differs = false;
  for (double f = 0.0; f < 1.0; f += 0.125) {
    TokyoPoint a = ConvertWgs84ToTokyo(502890120.0 + f, 128482200.0 + f);
    TokyoPoint b = ConvertWgs84ToTokyo(502890120.0, 128482200.0);
    if (a.lon != b.lon || a.lat != b.lat) differs = true;
  }
  EXPECT_TRUE(differs);
}

TEST(ConvertWgs84ToTokyoTest, AbsurdInputIsClampedNotUndefined) {
  TokyoPoint big = ConvertWgs84ToTokyo(1e30, -1e30);
  EXPECT_EQ(std::numeric_limits<int32_t>::max(), big.lon);
  EXPECT_EQ(std::numeric_limits<int32_t>::min(), big.lat);
  TokyoPoint nan = ConvertWgs84ToTokyo(std::nan(""), 0);
  EXPECT_EQ(0, nan.lon);
}

TEST(JapanBoundsTest, LimitsAreInclusive) {
  struct Case {
    int64_t value;
    bool lonInside;
    bool latInside;
  };
  const Case cases[] = {
      {439199999, false, false}, {439200000, true, false}, {536400000, true, false},
      {536400001, false, false}, {86399999, false, false}, {86400000, false, true},
      {165600000, false, true},  {165600001, false, false}, {128000000, false, true},
      {503000000, true, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.lonInside, LongitudeInJapan(c.value)) << c.value;
    EXPECT_EQ(c.latInside, LatitudeInJapan(c.value)) << c.value;
  }
}

}  // namespace
