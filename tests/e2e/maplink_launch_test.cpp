// Starting the map application from the menu, judged by the stand-in's log of
// starts (command line, destination values found) and ends.
#include "resources/resource_ids.h"
#include "tests/e2e/e2e_support.h"

namespace {

class MaplinkLaunch : public KarioE2e {};

TEST_F(MaplinkLaunch, EachStationItemStartsItsStationOnceTheLingeringMapApplicationHasGone) {
  // The menu and the high-resolution mark as linked into the program.
  HMODULE exe = LoadLibraryExW(WinePathOf(KARIO_EXE_PATH).c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  HMENU menu = LoadMenuW(exe, MAKEINTRESOURCEW(IDR_MAIN_MENU));
  ASSERT_NE(menu, nullptr) << "no menu " << IDR_MAIN_MENU << ", error " << GetLastError();
  wchar_t text[64];
  auto caption = [&](int id) { return GetMenuStringW(menu, id, text, 64, MF_BYCOMMAND) ? Narrow(text) : ""; };
  EXPECT_EQ(caption(IDM_RUN_SEARCH), "検索実行");
  // The platform must leave the scaling to the program.
  HRSRC hiRes = FindResourceW(exe, L"HI_RES_AWARE", L"CEUX");
  ASSERT_NE(hiRes, nullptr) << "no HI_RES_AWARE resource of type CEUX";
  EXPECT_EQ(*static_cast<const WORD*>(LockResource(LoadResource(exe, hiRes))), 1);

  // The stand-in lingers after message 2: the program must wait for it.
  ASSERT_TRUE(InstallStandin() && SetRegistryDword(L"StandinExitDelayMs", 1200));
  ASSERT_TRUE(StartStandin(L""));
  ASSERT_NO_FATAL_FAILURE(StartKarioOrFail());
  // Each item is captioned with the station its id starts at (the ids'
  // positions are unit-tested); one start goes end to end.
  const char* stations[] = {"（札幌駅）", "（仙台駅）", "（東京駅）", "（名古屋駅）", "（大阪駅）", "（広島駅）", "（博多駅）"};
  for (int i = 0; i < 7; ++i) EXPECT_NE(caption(IDM_STATION_SAPPORO + i).find(stations[i]), std::string::npos) << i;
  // Values left from an earlier destination: the start must clear them.
  ASSERT_TRUE(SetRegistryDword(L"TLATV8", 111) && SetRegistryDword(L"TLONV8", 222));
  PostCommand(main_, IDM_STATION_TOKYO);
  std::vector<std::vector<std::string>> log;
  WaitUntil([&] { return (log = StandinLog()).size() >= 4; }, 20000);
  // start (by the test), end (message 2 arrived), exit (its window went), then the new start.
  ASSERT_EQ(log.size(), 4u);
  EXPECT_EQ(log[1][0] + "," + log[2][0] + "," + log[3][0], "end,exit,start");
  EXPECT_EQ(log[3][1] + " " + log[3][2] + " " + log[3][3], " " + Narrow(kTokyoStationShown) + " TLATV8=0 TLONV8=0");
}

TEST_F(MaplinkLaunch, AMapApplicationThatDiesInsteadOfEndingDoesNotHangTheProgram) {
  ASSERT_TRUE(InstallStandin() && SetRegistryDword(L"StandinCrashOnExit", 1));
  ASSERT_TRUE(StartStandin(L""));
  ASSERT_NO_FATAL_FAILURE(StartKarioOrFail());
  PostCommand(main_, IDM_STATION_OSAKA);
  std::vector<std::string> start = WaitForStart(1);
  EXPECT_EQ(start.size() > 1 ? start[1] : "none", " /M_LON=487794733 /M_LAT=124916659 /M_ANGLE=0 /M_TYPE=12");
  for (const auto& line : StandinLog()) EXPECT_NE(line[0], "exit") << "the stand-in was meant to vanish";
}

}  // namespace
