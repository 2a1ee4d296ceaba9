// The portable pieces of launching: the switches, the manual's path and the
// station presets.
#include <gtest/gtest.h>

#include "maplink/launch.h"
#include "maplink/station_presets.h"
#include "platform/utf.h"

namespace {

TEST(FormatLaunchSwitches, FillsTheFormatWithALeadingBlank) {
  EXPECT_EQ(Utf16ToUtf8(FormatLaunchSwitches(508876473, 155038309, 12)),
            " /M_LON=508876473 /M_LAT=155038309 /M_ANGLE=0 /M_TYPE=12");
  EXPECT_EQ(Utf16ToUtf8(FormatLaunchSwitches(-1, 0, 5)), " /M_LON=-1 /M_LAT=0 /M_ANGLE=0 /M_TYPE=5");
  EXPECT_EQ(Utf16ToUtf8(FormatLaunchSwitches(INT32_MIN, INT32_MAX, 10)),
            " /M_LON=-2147483648 /M_LAT=2147483647 /M_ANGLE=0 /M_TYPE=10");
}

TEST(ManualPathFor, ReplacesExactlyTheLastThreeCharacters) {
  const struct {
    const char* program;
    const char* manual;
  } cases[] = {
      {"\\X\\Y\\Z.exe", "\\X\\Y\\Z.htm"},
      {"C:\\KarioTest\\kariosearch.exe", "C:\\KarioTest\\kariosearch.htm"},
      {"\\A\\prog.ex", "\\A\\proghtm"},  // a two-letter extension loses its dot too
      {"\\A\\prog.exex", "\\A\\prog.ehtm"},
      {"\\カリオ\\検索.EXE", "\\カリオ\\検索.htm"},
      {"ab", "htm"},
  };
  for (const auto& c : cases) EXPECT_EQ(Utf16ToUtf8(ManualPathFor(Utf8ToUtf16(c.program))), c.manual) << c.program;
}

TEST(StationPresets, MatchTheMenuAndTheirPlacesInDegrees) {
  // Commands, captions and the stations' positions in degrees (5 decimals).
  struct {
    int id;
    const char* caption;
    double lon, lat;
  } expected[] = {
      {40003, "北海道（札幌駅）", 141.35458, 43.06620}, {40004, "東北（仙台駅）", 140.88590, 38.25695},
      {40005, "関東（東京駅）", 139.76986, 35.67776},   {40006, "中部（名古屋駅）", 136.88457, 35.16813},
      {40007, "関西（大阪駅）", 135.49854, 34.69907},   {40008, "中国四国（広島駅）", 132.47771, 34.39431},
      {40009, "九州沖縄（博多駅）", 130.42307, 33.58641},
  };
  for (const auto& e : expected) {
    const StationPreset* p = FindStationPreset(e.id);
    ASSERT_NE(p, nullptr) << e.caption;
    EXPECT_NEAR(p->longitude / 3600000.0, e.lon, 0.00001) << e.caption;
    EXPECT_NEAR(p->latitude / 3600000.0, e.lat, 0.00001) << e.caption;
  }
  for (int id : {40002, 40010, 40012, 503171492}) EXPECT_EQ(FindStationPreset(id), nullptr) << id;}

}  // namespace
