#include "search/coordinates.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "tests/unit/test_support.h"

namespace {

TEST(DistanceTest, CutsEachAxisToWholeStepsBeforeCombining) {
  ReferencePointScope ref(503000000, 128000000);
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
  // A difference beyond 32 bits: 4294967295 ms is 105101 whole steps.
  g_referenceLongitude = std::numeric_limits<int32_t>::max();
  EXPECT_EQ(105101.0, DistanceFromReference(std::numeric_limits<int32_t>::min(), 128000000));
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
      {1e30, -1e30, std::numeric_limits<int32_t>::max(), std::numeric_limits<int32_t>::min()},  // clamped
  };
  for (const Case& c : cases) {
    TokyoPoint p = ConvertWgs84ToTokyo(c.lon, c.lat);
    EXPECT_EQ(c.tokyoLon, p.lon) << c.lon << "," << c.lat;
    EXPECT_EQ(c.tokyoLat, p.lat) << c.lon << "," << c.lat;
  }
  EXPECT_EQ(0, ConvertWgs84ToTokyo(std::nan(""), 0).lon);
}

TEST(ConvertWgs84ToTokyoTest, FractionsTakePartInTheConversion) {
  // A typed fraction survives into the arithmetic: the result differs from
  // that of the truncated input for some fraction.
  bool differs = false;
  const TokyoPoint b = ConvertWgs84ToTokyo(502890120.0, 128482200.0);
  for (double f = 0.125; f < 1.0; f += 0.125) {
    TokyoPoint a = ConvertWgs84ToTokyo(502890120.0 + f, 128482200.0 + f);
    differs = differs || a.lon != b.lon || a.lat != b.lat;
  }
  EXPECT_TRUE(differs);
}

TEST(JapanBoundsTest, LimitsAreInclusive) {
  struct Case {
    int64_t value;
    bool lonInside;
    bool latInside;
  };
  const Case cases[] = {
      {439199999, false, false}, {439200000, true, false}, {536400000, true, false}, {536400001, false, false},
      {86399999, false, false},  {86400000, false, true},  {165600000, false, true}, {165600001, false, false},
      {128000000, false, true},  {503000000, true, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.lonInside, LongitudeInJapan(c.value)) << c.value;
    EXPECT_EQ(c.latInside, LatitudeInJapan(c.value)) << c.value;
  }
}

}  // namespace
