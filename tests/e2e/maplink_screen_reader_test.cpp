// The screen reader against the stand-in: the stand-in in front shows
// 139°45′12.34 and 35°40′12.34, and the point label must follow within a few
// timer ticks, in every layout and ink of the display scale under test.
#include <gtest/gtest.h>

#include "resources/resource_ids.h"
#include "tests/e2e/e2e_support.h"
#include "tests/e2e/maplink_test_support.h"

namespace {

const wchar_t kShownPoint[] = L"/M_LON=503112340 /M_LAT=128412340 /M_ANGLE=0 /M_TYPE=1";

class MaplinkScreenReader : public ::testing::Test {
 protected:
  void SetUp() override { ResetDevice(); }
  void TearDown() override {
    KillStandins();
    KillProgram(&kario_);
    kario_ = RunningProgram{};
  }
  // The program first, then the stand-in, which comes to the front.
  void StartScene(bool clearType, const std::wstring& standinSwitches) {
    if (clearType) ASSERT_TRUE(CreateRegistryKey(HKEY_LOCAL_MACHINE, L"System\\GDI\\ClearType"));
    ASSERT_TRUE(InstallStandin());
    kario_ = StartKario();
    ASSERT_NE(kario_.mainWindow, nullptr);
    label_ = GetDlgItem(kario_.mainWindow, IDC_POINT_LABEL);
    ASSERT_NE(label_, nullptr);
    StartStandinOnly(standinSwitches);
  }
  void StartStandinOnly(const std::wstring& switches) {
    PROCESS_INFORMATION p{};
    ASSERT_TRUE(StartStandin(switches, &p));
    CloseHandle(p.hProcess);
    CloseHandle(p.hThread);
  }
  bool LabelBecomes(const std::wstring& text, DWORD ms = 8000) {
    return WaitUntil([&] { return WindowText(label_) == text; }, ms);
  }
  RunningProgram kario_;
  HWND label_ = nullptr;
};

TEST_F(MaplinkScreenReader, PointLabelFollowsTheMapInEveryLayoutAndInk) {
  struct {
    bool clearType, alternate;
  } cases[] = {{false, false}, {true, false}, {false, true}, {true, true}};
  for (const auto& c : cases) {
    SetUp();
    SCOPED_TRACE(testing::Message() << "scale " << E2eDisplayScale() << (c.clearType ? " ClearType" : " black")
                                    << (c.alternate ? " alternate" : " regular"));
    StartScene(c.clearType, std::wstring(kShownPoint) + (c.alternate ? L" /ALT" : L""));
    EXPECT_TRUE(LabelBecomes(L"503112340 128412340")) << "label: " << WindowText(label_).size() << " chars";
    // The arrow keys move the map's point one second east; the label follows.
    PostMessageW(FindMapWindow(), WM_KEYDOWN, VK_RIGHT, 0);
    EXPECT_TRUE(LabelBecomes(L"503113340 128412340"));
    TearDown();
  }
}

TEST_F(MaplinkScreenReader, ALongitudeWithoutLatitudeLeavesTheLabelAsItWas) {
  StartScene(false, kShownPoint);
  ASSERT_TRUE(LabelBecomes(L"503112340 128412340"));
  KillStandins();
  // Hakata station, latitude not shown: nothing may be stored.
  StartStandinOnly(L"/M_LON=469523066 /M_LAT=120911061 /M_ANGLE=0 /M_TYPE=1 /NOLAT");
  EXPECT_FALSE(LabelBecomes(L"469523060 120911060", 4000));
  EXPECT_EQ(WindowText(label_), L"503112340 128412340");
  // The same point with its latitude is read (shown to hundredths of a second).
  KillStandins();
  StartStandinOnly(L"/M_LON=469523066 /M_LAT=120911061 /M_ANGLE=0 /M_TYPE=1");
  EXPECT_TRUE(LabelBecomes(L"469523060 120911060"));
}

}  // namespace
