// Launching and the manual against a recording platform.
#include <gtest/gtest.h>

#include "maplink/launch.h"
#include "maplink/screen_reader.h"
#include "shell/environment.h"
#include "tests/unit/fake_seams.h"
#include "tests/unit/test_support.h"

namespace {

using Log = std::vector<std::string>;

TEST(LaunchRules, ClosesWaitsWritesThenStarts) {
  const std::string start = "start \\Map\\tessara.exe";
  const std::string switches = "| /M_LON=1 /M_LAT=2 /M_ANGLE=0 /M_TYPE=8";
  const struct { const char* name; int mode; bool window; int runningLooks; const char16_t* path; Log log; } cases[] = {
      {"none running", kLaunchShowPoint, false, 0, u"\\Map\\tessara.exe", {"post end", "write 0 0", start + switches}},
      {"one that takes two seconds to end", kLaunchSetDestination, true, 2, u"\\Map\\tessara.exe",
       {"post end", "look", "pause", "look", "pause", "look", "write 1 2", start + switches}},
      {"as is: no close, no switches, no destination", kLaunchAsIs, true, 5, u"\\Map\\tessara.exe",
       {"write 0 0", start}},
      {"no map application: the values are still written", kLaunchSetDestination, false, 0, u"",
       {"post end", "write 1 2"}},
  };
  const Environment saved = g_environment;
  for (const auto& c : cases) {
    ResetFake();
    g_fake.mapWindow = c.window;
    g_fake.runningLooks = c.runningLooks;
    g_environment.mapApplicationPath = c.path;
    LaunchMapApplication(1, 2, 8, c.mode);
    EXPECT_EQ(g_fake.log, c.log) << c.name;
  }
  g_environment = saved;
}

TEST(LaunchRules, ManualGoesToTheBrowserQuotedElseToTheShell) {
  const struct { const char* name; const char16_t* browser; bool startFails; const char16_t* own; Log log; } cases[] = {
      {"browser found", u"C:\\Program Files\\iexplore.exe", false, u"C:\\Program Files\\Kario\\kariosearch.exe",
       {"start C:\\Program Files\\iexplore.exe|\"C:\\Program Files\\iexplore.exe\" "
        "\"C:\\Program Files\\Kario\\kariosearch.htm\""}},
      {"no browser", u"", false, u"\\a.exe", {"shell \\a.htm"}},
      {"browser does not start", u"\\ie.exe", true, u"\\a.exe", {"start \\ie.exe|\"\\ie.exe\" \"\\a.htm\"", "shell \\a.htm"}},
      {"own path unknown", u"\\ie.exe", false, u"", {}},
  };
  for (const auto& c : cases) {
    ResetFake();
    g_fake.browser = c.browser;
    g_fake.startFails = c.startFails;
    g_fake.ownPath = c.own;
    OpenManual();
    EXPECT_EQ(g_fake.log, c.log) << c.name;
  }
}

// A tick that captured nothing (no device context) reads every pixel as
// unavailable: the point stays as it was.
TEST(ScreenTickRules, NothingCapturedLeavesThePoint) {
  ReferencePointScope point(503171492, 128439921);
  const int layout = g_alternateLayout;
  g_screenTick.readPixel = [](void*, int, int) { return kPixelUnavailable; };
  int32_t lon = 1, lat = 2;
  EXPECT_FALSE(ReadReferencePoint(&lon, &lat));
  g_screenTick.readPixel = nullptr;
  g_alternateLayout = layout;
  EXPECT_EQ(lon, 1);
  EXPECT_EQ(g_referenceLongitude, 503171492);
  EXPECT_EQ(g_referenceLatitude, 128439921);
}

}  // namespace
