// The portable pieces of launching: the switches, the manual's path and the
// station presets.
#include <gtest/gtest.h>

#include "maplink/launch.h"
#include "maplink/station_presets.h"
#include "platform/utf.h"

namespace {

TEST(FormatLaunchSwitches, FillsTheFormatWithALeadingBlank) {
  EXPECT_EQ(Utf16ToUtf8(FormatLaunchSwitches(508876473, 155038309, 12)), " /M_LON=508876473 /M_LAT=155038309 /M_ANGLE=0 /M_TYPE=12");
  EXPECT_EQ(Utf16ToUtf8(FormatLaunchSwitches(INT32_MIN, INT32_MAX, 10)), " /M_LON=-2147483648 /M_LAT=2147483647 /M_ANGLE=0 /M_TYPE=10");
}

TEST(ManualPathFor, ReplacesExactlyTheLastThreeCharacters) {
  const struct { const char *program, *manual; } cases[] = {
      {"C:\\KarioTest\\kariosearch.exe", "C:\\KarioTest\\kariosearch.htm"}, {"\\A\\prog.ex", "\\A\\proghtm"},
      {"\\カリオ\\検索.EXE", "\\カリオ\\検索.htm"}, {"ab", "htm"},
  };
  for (const auto& c : cases) EXPECT_EQ(Utf16ToUtf8(ManualPathFor(Utf8ToUtf16(c.program))), c.manual) << c.program;
}

TEST(StationPresets, FindsAPresetByItsCommandOnly) {
  const StationPreset* tokyo = FindStationPreset(40005);
  ASSERT_NE(tokyo, nullptr);
  EXPECT_EQ(Utf16ToUtf8(tokyo->caption), "関東（東京駅）");
  EXPECT_NEAR(tokyo->longitude / 3600000.0, 139.76986, 0.00001);
  EXPECT_NEAR(tokyo->latitude / 3600000.0, 35.67776, 0.00001);
  EXPECT_EQ(FindStationPreset(503171492), nullptr);
}

}  // namespace
