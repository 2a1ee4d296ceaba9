// The station presets (the switches and the manual's path: the launch rules' test).
#include <gtest/gtest.h>

#include <cstdlib>

#include "maplink/station_presets.h"
#include "search/coordinates.h"

namespace {

// Each menu command starts within 3" (under 100 m) of its station's published
// position (WGS84, to the second; 札幌 to 博多) moved to the Tokyo datum.  Tokyo:
// 139°46'01" E, 35°40'52" N are 503161000, 128452000 ms, moved about +11.6", -11.6".
TEST(StationPresets, EachCommandStartsAtItsStation) {
  const struct {
    int id, lonD, lonM, lonS, latD, latM, latS;
  } stations[] = {{40003, 141, 21, 3, 43, 4, 6},    {40004, 140, 52, 57, 38, 15, 36}, {40005, 139, 46, 1, 35, 40, 52},
                  {40006, 136, 52, 54, 35, 10, 15}, {40007, 135, 29, 45, 34, 42, 9},  {40008, 132, 28, 30, 34, 23, 52},
                  {40009, 130, 25, 14, 33, 35, 23}};
  for (const auto& s : stations) {
    const StationPreset* preset = FindStationPreset(s.id);
    ASSERT_NE(preset, nullptr) << s.id;
    const TokyoPoint at = ConvertWgs84ToTokyo(((s.lonD * 60 + s.lonM) * 60 + s.lonS) * 1000.0,
                                              ((s.latD * 60 + s.latM) * 60 + s.latS) * 1000.0);
    EXPECT_LE(std::abs(preset->longitude - at.lon), 3000) << s.id;
    EXPECT_LE(std::abs(preset->latitude - at.lat), 3000) << s.id;
  }
  EXPECT_EQ(FindStationPreset(40002), nullptr);
  EXPECT_EQ(FindStationPreset(40010), nullptr);
}

}  // namespace
