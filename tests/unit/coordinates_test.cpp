#include "search/coordinates.h"

#include <gtest/gtest.h>

#include <cmath>

#include "tests/unit/test_support.h"

namespace {

// Each axis is cut to whole steps (toward zero) before the two are combined;
// the same on either side of the reference.
TEST(DistanceTest, CutsEachAxisToWholeStepsBeforeCombining) {
  ReferencePointScope ref(503000000, 128000000);
  const struct {
    int32_t dLon, dLat;
    double km;
  } cases[] = {
      {0, 0, 0.0},
      {40864, 32691, 0.0},
      {40865, 0, 1.0},
      {0, 32692, 1.0},
      {40865, 32692, 1.4142135623730951},
      {-100000, 100000, 3.605551275463989},
      {81729, 0, 1.0},
      {81730, 0, 2.0},
  };
  for (const auto& c : cases)
    for (int sign : {1, -1})
      EXPECT_EQ(c.km, DistanceFromReference(503000000 + sign * c.dLon, 128000000 + sign * c.dLat))
          << c.dLon << "," << c.dLat;
  g_referenceLongitude = INT32_MAX;  // 4294967295 ms apart, beyond 32 bits: 105101 whole steps
  EXPECT_EQ(105101.0, DistanceFromReference(INT32_MIN, 128000000));
}

TEST(ConvertWgs84ToTokyoTest, KnownPointsClampedAndFractions) {
  const struct {
    double lon, lat;
    int32_t tokyoLon, tokyoLat;
  } cases[] = {
      // (502890120, 128482200), (0, 0) and clamping: the typed point's test, through ReadTypedPoint.
      {503000000, 128000000, 503011520, 127988337},
      {std::nan(""), 0, 0, 0},
      // A typed fraction counts: by hand 502901654.04, 128470592.17 (the whole ms: 502901653.14, 128470591.27).
      {502890120.9, 128482200.9, 502901654, 128470592},
  };
  for (const auto& c : cases) {
    const TokyoPoint p = ConvertWgs84ToTokyo(c.lon, c.lat);
    EXPECT_EQ(std::make_pair(p.lon, p.lat), std::make_pair(c.tokyoLon, c.tokyoLat)) << c.lon << "," << c.lat;
  }
}

TEST(JapanBoundsTest, LimitsAreInclusive) {
  const struct {
    int64_t value;
    bool lonInside, latInside;
  } cases[] = {
      {439199999, false, false}, {439200000, true, false}, {536400000, true, false}, {536400001, false, false},
      {86399999, false, false},  {86400000, false, true},  {165600000, false, true}, {165600001, false, false},
  };
  for (const auto& c : cases)
    EXPECT_EQ(std::make_pair(LongitudeInJapan(c.value), LatitudeInJapan(c.value)),
              std::make_pair(c.lonInside, c.latInside))
        << c.value;
}

}  // namespace
