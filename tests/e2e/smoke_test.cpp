#include <windows.h>
#include <gtest/gtest.h>

TEST(Harness, ScreenMatchesScale) {
  const char* scale = getenv("KARIO_DISPLAY_SCALE");
  int expected = (scale && scale[0] == '2') ? 480 : 240;
  EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), expected);
}
