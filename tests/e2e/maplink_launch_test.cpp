// Starting the map application from the menu: the stand-in installed as the
// map application records every start (its command line and the destination
// values it found) and every end in its log.
#include "resources/resource_ids.h"
#include "tests/e2e/e2e_support.h"

namespace {

class MaplinkLaunch : public KarioE2e {
 protected:
  void SetUp() override {
    KarioE2e::SetUp();
    // Values left from an earlier destination: every start must clear them.
    ASSERT_TRUE(SetRegistryDword(HKEY_CURRENT_USER, kMapAppKey, L"TLATV8", 111));
    ASSERT_TRUE(SetRegistryDword(HKEY_CURRENT_USER, kMapAppKey, L"TLONV8", 222));
  }
  static DWORD Setting(const wchar_t* name) { return RegistryDword(HKEY_CURRENT_USER, kMapAppKey, name); }
};

TEST_F(MaplinkLaunch, StationPresetsCloseTheRunningMapApplicationAndRestartItThere) {
  ASSERT_TRUE(InstallStandin());
  // The stand-in lingers after message 2: the program must wait for it.
  ASSERT_TRUE(SetRegistryDword(HKEY_CURRENT_USER, kMapAppKey, L"StandinExitDelayMs", 1200));
  ASSERT_TRUE(StartStandin(L""));
  ASSERT_NO_FATAL_FAILURE(StartKarioOrFail());
  struct { int id; const char* switches; } presets[] = {
      {40003, " /M_LON=508876473 /M_LAT=155038309 /M_ANGLE=0 /M_TYPE=12"},
      {40004, " /M_LON=507189250 /M_LAT=137725027 /M_ANGLE=0 /M_TYPE=12"},
      {40005, " /M_LON=503171492 /M_LAT=128439921 /M_ANGLE=0 /M_TYPE=12"},
      {40006, " /M_LON=492784462 /M_LAT=126605286 /M_ANGLE=0 /M_TYPE=12"},
      {40007, " /M_LON=487794733 /M_LAT=124916659 /M_ANGLE=0 /M_TYPE=12"},
      {40008, " /M_LON=476919773 /M_LAT=123819523 /M_ANGLE=0 /M_TYPE=12"},
      {40009, " /M_LON=469523066 /M_LAT=120911061 /M_ANGLE=0 /M_TYPE=12"},
  };
  for (const auto& preset : presets) {
    size_t before = ReadStandinLog().size();
    ASSERT_TRUE(SetRegistryDword(HKEY_CURRENT_USER, kMapAppKey, L"TLATV8", 111));
    PostCommand(kario_.mainWindow, preset.id);
    ASSERT_TRUE(WaitUntil([&] { return ReadStandinLog().size() >= before + 3; }, 20000)) << preset.id;
    std::vector<StandinLogLine> log = ReadStandinLog();
    // end (message 2 arrived), exit (its window went), then the new start.
    ASSERT_EQ(log.size(), before + 3) << preset.id;
    EXPECT_EQ(log[before].kind + "," + log[before + 1].kind + "," + log[before + 2].kind, "end,exit,start")
        << preset.id;
    EXPECT_EQ(log[before + 2].commandLine, preset.switches) << preset.id;
    EXPECT_EQ(log[before + 2].tlat + "," + log[before + 2].tlon, "0,0") << preset.id;
    EXPECT_TRUE(WaitUntil([] { return FindMapWindow() != nullptr; })) << preset.id;
  }
  EXPECT_EQ(Setting(L"TLATV8"), 0u);
  EXPECT_EQ(Setting(L"TLONV8"), 0u);
}

TEST_F(MaplinkLaunch, StartAsIsLeavesTheRunningMapApplicationAndStartsWithoutSwitches) {
  ASSERT_TRUE(InstallStandin());
  PROCESS_INFORMATION running{};
  ASSERT_TRUE(StartStandin(L"/M_LON=1 /M_LAT=2 /M_ANGLE=0 /M_TYPE=5", kStandinExe, &running));
  ASSERT_NO_FATAL_FAILURE(StartKarioOrFail());
  PostCommand(kario_.mainWindow, IDM_START_AS_IS);
  ASSERT_TRUE(WaitUntil([] { return CountLog(ReadStandinLog(), "start") == 2; }, 10000));
  std::vector<StandinLogLine> log = ReadStandinLog();
  ASSERT_EQ(log.size(), 2u);
  EXPECT_EQ(log[1].commandLine.find("/M_"), std::string::npos) << log[1].commandLine;
  EXPECT_EQ(log[1].tlat, "0");
  EXPECT_EQ(log[1].tlon, "0");
  EXPECT_EQ(WaitForExit(running, 0), -1) << "the running map application was closed";
  CloseHandle(running.hProcess);
  CloseHandle(running.hThread);
  EXPECT_EQ(CountLog(ReadStandinLog(), "end"), 0u);
}

TEST_F(MaplinkLaunch, MissingSettingsKeyWritesNothingAndStillStarts) {
  DeleteRegistryTree(HKEY_CURRENT_USER, kMapAppKey);
  ASSERT_TRUE(InstallStandin());
  ASSERT_NO_FATAL_FAILURE(StartKarioOrFail());
  PostCommand(kario_.mainWindow, IDM_STATION_TOKYO);
  ASSERT_TRUE(WaitUntil([] { return CountLog(ReadStandinLog(), "start") == 1; }, 10000));
  std::vector<StandinLogLine> log = ReadStandinLog();
  EXPECT_EQ(log[0].commandLine, " /M_LON=503171492 /M_LAT=128439921 /M_ANGLE=0 /M_TYPE=12");
  EXPECT_EQ(log[0].tlat, "none");
  EXPECT_EQ(log[0].tlon, "none");
  HKEY key;
  EXPECT_NE(RegOpenKeyExW(HKEY_CURRENT_USER, kMapAppKey, 0, KEY_READ, &key), ERROR_SUCCESS)
      << "the key must never be created";
}

TEST_F(MaplinkLaunch, NoMapApplicationInstalledDoesNothingVisible) {
  ASSERT_NO_FATAL_FAILURE(StartKarioOrFail());
  PostCommand(kario_.mainWindow, IDM_STATION_SAPPORO);
  PostCommand(kario_.mainWindow, IDM_START_AS_IS);
  MessageBoxSeen box = WaitForMessageBox(kario_.process.dwProcessId, L"", 2500);
  EXPECT_EQ(box.window, nullptr) << "unexpected message: " << box.text.size();
  EXPECT_EQ(FindMapWindow(), nullptr);
  EXPECT_EQ(WaitForSingleObject(kario_.process.hProcess, 0), static_cast<DWORD>(WAIT_TIMEOUT));
  // The destination values are still written.
  EXPECT_TRUE(WaitUntil([] { return Setting(L"TLATV8") == 0 && Setting(L"TLONV8") == 0; }, 3000));
  // And the program still answers.
  EXPECT_TRUE(WaitUntil([&] {
    DWORD_PTR r = 0;
    return SendMessageTimeoutW(kario_.mainWindow, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 1000, &r) != 0;
  }));
}

TEST_F(MaplinkLaunch, AMapApplicationThatDiesInsteadOfEndingDoesNotHangTheProgram) {
  ASSERT_TRUE(InstallStandin());
  ASSERT_TRUE(SetRegistryDword(HKEY_CURRENT_USER, kMapAppKey, L"StandinCrashOnExit", 1));
  ASSERT_TRUE(StartStandin(L""));
  ASSERT_NO_FATAL_FAILURE(StartKarioOrFail());
  PostCommand(kario_.mainWindow, IDM_STATION_OSAKA);
  ASSERT_TRUE(WaitUntil([] { return CountLog(ReadStandinLog(), "start") == 2; }, 15000));
  std::vector<StandinLogLine> log = ReadStandinLog();
  EXPECT_EQ(CountLog(log, "exit"), 0u) << "the stand-in was meant to vanish without its usual end";
  EXPECT_EQ(log.back().commandLine, " /M_LON=487794733 /M_LAT=124916659 /M_ANGLE=0 /M_TYPE=12");
}

TEST_F(MaplinkLaunch, ManualOpensInTheBrowserFoundBesideTheProgram) {
  ASSERT_TRUE(CopyFileTo(WinePathOf(KARIO_TOOL_fake_iexplore), L"C:\\KarioTest\\iexplore.exe"));
  ASSERT_TRUE(FileExistsAt(L"C:\\KarioTest\\kariosearch.htm"));
  ASSERT_NO_FATAL_FAILURE(StartKarioOrFail());
  PostCommand(kario_.mainWindow, IDM_MANUAL);
  ASSERT_TRUE(WaitUntil([] { return !ReadFileBytes(L"C:\\KarioTest\\browser_log.txt").empty(); }, 10000));
  EXPECT_EQ(ReadFileBytes(L"C:\\KarioTest\\browser_log.txt"),
            "\"C:\\KarioTest\\iexplore.exe\" C:\\KarioTest\\kariosearch.htm\n");
  // The manual is a real page in Japanese.
  std::string manual = ReadFileBytes(L"C:\\KarioTest\\kariosearch.htm");
  EXPECT_NE(manual.find("検索モード"), std::string::npos);
}

}  // namespace
