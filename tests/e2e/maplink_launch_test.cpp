// Starting the map application from the menu, judged by the stand-in's log of
// starts (command line, destination values found) and ends.
#include <climits>
#include <cstdio>

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
  // In the menu's order each station lies south-west of the one before, so an
  // item wired to another item's station breaks the order.
  const char* stations[] = {"（札幌駅）", "（仙台駅）", "（東京駅）", "（名古屋駅）", "（大阪駅）", "（広島駅）", "（博多駅）"};
  long west = LONG_MAX, south = LONG_MAX;
  for (int i = 0; i < 7; ++i) {
    const int id = IDM_STATION_SAPPORO + i;
    SCOPED_TRACE(caption(id));  // the caption names the station the item must start at
    EXPECT_NE(caption(id).find(stations[i]), std::string::npos);
    // Values left from an earlier destination: every start must clear them.
    ASSERT_TRUE(SetRegistryDword(L"TLATV8", 111) && SetRegistryDword(L"TLONV8", 222));
    auto log = StandinLog();
    const size_t before = log.size();
    PostCommand(main_, id);
    WaitUntil([&] { return (log = StandinLog()).size() >= before + 3; }, 20000);
    // end (message 2 arrived), exit (its window went), then the new start.
    ASSERT_EQ(log.size(), before + 3);
    ASSERT_EQ(log[before][0] + "," + log[before + 1][0] + "," + log[before + 2][0], "end,exit,start");
    long lon = 0, lat = 0;
    int end = 0;  // set only when the whole pattern matched
    std::sscanf(log[before + 2][1].c_str(), " /M_LON=%ld /M_LAT=%ld /M_ANGLE=0 /M_TYPE=12%n", &lon, &lat, &end);
    EXPECT_EQ(static_cast<size_t>(end), log[before + 2][1].size()) << log[before + 2][1];
    if (i == 2) EXPECT_EQ(log[before + 2][1], " " + Narrow(kTokyoStationShown));
    EXPECT_TRUE(lon < west && lat < south) << lon << " " << lat << " after " << west << " " << south;
    west = lon, south = lat;
    EXPECT_EQ(log[before + 2][2] + " " + log[before + 2][3], "TLATV8=0 TLONV8=0");
    // The stand-in logs its start before it shows its window, which the next item closes.
    ASSERT_TRUE(WaitUntil([] { return FindWindowW(L"Afx_QZV_MAINWND_", nullptr) != nullptr; }));
  }
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
