// The screen reader against the stand-in: the stand-in in front shows
// 139°45′12.34 and 35°40′12.34, and the point label must follow within a few
// timer ticks, in every layout and ink of the display scale under test.
#include "resources/resource_ids.h"
#include "tests/e2e/e2e_support.h"

namespace {

class MaplinkScreenReader : public KarioE2e {
 protected:
  ::testing::AssertionResult LabelBecomes(const wchar_t* text) {
    if (WaitUntil([&] { return WindowText(Control(IDC_POINT_LABEL)) == text; }, 8000)) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "label: " << Narrow(WindowText(Control(IDC_POINT_LABEL)));
  }
};

TEST_F(MaplinkScreenReader, PointLabelFollowsTheMapInEveryLayoutAndInk) {
  for (int clearType = 0; clearType < 2; ++clearType) {
    for (const wchar_t* layout : {L"", L" /ALT"}) {
      SCOPED_TRACE(testing::Message() << "scale " << E2eDisplayScale() << " ClearType " << clearType << Narrow(layout));
      TearDown(), SetUp();
      HKEY key = nullptr;  // its presence switches the ink
      if (clearType && RegCreateKeyW(HKEY_LOCAL_MACHINE, L"System\\GDI\\ClearType", &key) == 0) RegCloseKey(key);
      ASSERT_EQ(clearType, key != nullptr);
      ASSERT_TRUE(InstallStandin());
      ASSERT_NO_FATAL_FAILURE(StartKarioOrFail());
      ASSERT_TRUE(StartStandin(std::wstring(L"/M_LON=503112340 /M_LAT=128412340 /M_ANGLE=0 /M_TYPE=1") + layout));
      EXPECT_TRUE(LabelBecomes(L"503112340 128412340"));
      // The arrow keys move the map's point one second east; the label follows.
      PostMessageW(FindWindowW(L"Afx_QZV_MAINWND_", nullptr), WM_KEYDOWN, VK_RIGHT, 0);
      EXPECT_TRUE(LabelBecomes(L"503113340 128412340"));
    }
  }
}

}  // namespace
