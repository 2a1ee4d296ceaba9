// The station presets (the switches and the manual's path: the launch rules' test).
#include <gtest/gtest.h>

#include "maplink/station_presets.h"

namespace {

// Each menu command leads to its station (positions in degrees, looked up
// apart from the program's table).
TEST(StationPresets, EachCommandLeadsToItsStation) {
  const struct { int id; const char* station; double lon, lat; } stations[] = {
      {40003, "札幌", 141.35458, 43.06620}, {40004, "仙台", 140.88590, 38.25695}, {40005, "東京", 139.76986, 35.67776},
      {40006, "名古屋", 136.88457, 35.16813}, {40007, "大阪", 135.49854, 34.69907},
      {40008, "広島", 132.47771, 34.39431}, {40009, "博多", 130.42307, 33.58641},
  };
  for (const auto& s : stations) {
    const StationPreset* preset = FindStationPreset(s.id);
    ASSERT_NE(preset, nullptr) << s.station;
    EXPECT_NEAR(preset->longitude / 3600000.0, s.lon, 0.00001) << s.station;
    EXPECT_NEAR(preset->latitude / 3600000.0, s.lat, 0.00001) << s.station;
  }
  EXPECT_EQ(FindStationPreset(503171492), nullptr);
}

}  // namespace
