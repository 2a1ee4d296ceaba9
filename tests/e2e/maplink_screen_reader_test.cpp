// The screen reader against the stand-in: the stand-in in front shows
// 139°45′12.34 and 35°40′12.34, and the point label must follow within a few
// timer ticks, in every layout and ink of the display scale under test.
#include "resources/resource_ids.h"
#include "tests/e2e/e2e_support.h"

namespace {

class MaplinkScreenReader : public KarioE2e {
 protected:
  bool LabelBecomes(const wchar_t* text, DWORD ms = 8000) {
    return WaitUntil([&] { return WindowText(Control(IDC_POINT_LABEL)) == text; }, ms);
  }
  std::string Label() const { return Narrow(WindowText(Control(IDC_POINT_LABEL))); }
};

TEST_F(MaplinkScreenReader, PointLabelFollowsTheMapInEveryLayoutAndInkButNeedsBothAxes) {
  for (int clearType = 0; clearType < 2; ++clearType) {
    for (const wchar_t* layout : {L"", L" /ALT"}) {
      SCOPED_TRACE(testing::Message() << "scale " << E2eDisplayScale() << " ClearType " << clearType << Narrow(layout));
      TearDown();
      SetUp();
      if (clearType) ASSERT_TRUE(SetRegistryString(HKEY_LOCAL_MACHINE, L"System\\GDI\\ClearType", L"", L""));
      ASSERT_TRUE(InstallStandin());
      ASSERT_NO_FATAL_FAILURE(StartKarioOrFail());
      ASSERT_TRUE(StartStandin(std::wstring(L"/M_LON=503112340 /M_LAT=128412340 /M_ANGLE=0 /M_TYPE=1") + layout));
      EXPECT_TRUE(LabelBecomes(L"503112340 128412340")) << "label: " << Label();
      // The arrow keys move the map's point one second east; the label follows.
      PostMessageW(FindWindowW(L"Afx_QZV_MAINWND_", nullptr), WM_KEYDOWN, VK_RIGHT, 0);
      EXPECT_TRUE(LabelBecomes(L"503113340 128412340")) << "label: " << Label();
    }
  }
  // Hakata station, latitude not shown: nothing may be stored.
  KillPrograms(false);
  ASSERT_TRUE(StartStandin(L"/M_LON=469523066 /M_LAT=120911061 /M_ANGLE=0 /M_TYPE=1 /NOLAT"));
  EXPECT_FALSE(LabelBecomes(L"469523060 120911060", 4000));
  EXPECT_EQ(Label(), "503113340 128412340");
  // The same point with its latitude is read (shown to hundredths of a second).
  KillPrograms(false);
  ASSERT_TRUE(StartStandin(L"/M_LON=469523066 /M_LAT=120911061 /M_ANGLE=0 /M_TYPE=1"));
  EXPECT_TRUE(LabelBecomes(L"469523060 120911060")) << "label: " << Label();
}

}  // namespace
