// Starting the map application from the menu: the stand-in installed as the
// map application records every start (its command line and the destination
// values it found) and every end in its log.
#include <gtest/gtest.h>

#include "resources/resource_ids.h"
#include "tests/e2e/e2e_support.h"
#include "tests/e2e/maplink_test_support.h"

namespace {

class MaplinkLaunch : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetDevice();
    // Values left from an earlier destination: every start must clear them.
    ASSERT_TRUE(SetRegistryDword(HKEY_CURRENT_USER, kMapAppKey, L"TLATV8", 111));
    ASSERT_TRUE(SetRegistryDword(HKEY_CURRENT_USER, kMapAppKey, L"TLONV8", 222));
  }
  void TearDown() override {
    KillProgram(&kario_);
    kario_ = RunningProgram{};
    for (auto& p : standins_) {
      if (p.hProcess) {
        TerminateProcess(p.hProcess, 0);
        CloseHandle(p.hProcess);
        CloseHandle(p.hThread);
      }
    }
    KillStandins();
  }
  void StartKarioOrFail() {
    kario_ = StartKario();
    ASSERT_NE(kario_.mainWindow, nullptr);
  }
  void StartStandinOrFail(const std::wstring& arguments = L"") {
    PROCESS_INFORMATION p{};
    ASSERT_TRUE(StartStandin(arguments, &p));
    standins_.push_back(p);
  }
  static DWORD Setting(const wchar_t* name) {
    DWORD value = 0xDEADBEEF;
    GetRegistryDword(HKEY_CURRENT_USER, kMapAppKey, name, &value);
    return value;
  }
  RunningProgram kario_;
  std::vector<PROCESS_INFORMATION> standins_;
};

TEST_F(MaplinkLaunch, StationPresetsCloseTheRunningMapApplicationAndRestartItThere) {
  ASSERT_TRUE(InstallStandin());
  // The stand-in lingers after message 2: the program must wait for it.
  ASSERT_TRUE(SetRegistryDword(HKEY_CURRENT_USER, kMapAppKey, L"StandinExitDelayMs", 1200));
  StartStandinOrFail();
  StartKarioOrFail();
  struct {
    int id;
    const char* switches;
  } presets[] = {
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
    EXPECT_EQ(log[before].kind, "end") << preset.id;
    EXPECT_EQ(log[before + 1].kind, "exit") << preset.id;
    EXPECT_EQ(log[before + 2].kind, "start") << preset.id;
    EXPECT_EQ(log[before + 2].commandLine, preset.switches) << preset.id;
    EXPECT_EQ(log[before + 2].tlat, "0") << preset.id;
    EXPECT_EQ(log[before + 2].tlon, "0") << preset.id;
    EXPECT_TRUE(WaitUntil([] { return FindMapWindow() != nullptr; })) << preset.id;
  }
  EXPECT_EQ(Setting(L"TLATV8"), 0u);
  EXPECT_EQ(Setting(L"TLONV8"), 0u);
}

TEST_F(MaplinkLaunch, StartAsIsLeavesTheRunningMapApplicationAndStartsWithoutSwitches) {
  ASSERT_TRUE(InstallStandin());
  StartStandinOrFail(L"/M_LON=1 /M_LAT=2 /M_ANGLE=0 /M_TYPE=5");
  StartKarioOrFail();
  PostCommand(kario_.mainWindow, IDM_START_AS_IS);
  ASSERT_TRUE(WaitUntil([] { return CountLog(ReadStandinLog(), "start") == 2; }, 10000));
  std::vector<StandinLogLine> log = ReadStandinLog();
  ASSERT_EQ(log.size(), 2u);
  EXPECT_EQ(log[1].commandLine.find("/M_"), std::string::npos) << log[1].commandLine;
  EXPECT_EQ(log[1].tlat, "0");
  EXPECT_EQ(log[1].tlon, "0");
  EXPECT_EQ(WaitForSingleObject(standins_[0].hProcess, 0), static_cast<DWORD>(WAIT_TIMEOUT))
      << "the running map application was closed";
  EXPECT_EQ(CountLog(ReadStandinLog(), "end"), 0u);
}

TEST_F(MaplinkLaunch, MissingSettingsKeyWritesNothingAndStillStarts) {
  DeleteRegistryTree(HKEY_CURRENT_USER, kMapAppKey);
  ASSERT_TRUE(InstallStandin());
  StartKarioOrFail();
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
  StartKarioOrFail();
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
  StartStandinOrFail();
  StartKarioOrFail();
  PostCommand(kario_.mainWindow, IDM_STATION_OSAKA);
  ASSERT_TRUE(WaitUntil([] { return CountLog(ReadStandinLog(), "start") == 2; }, 15000));
  std::vector<StandinLogLine> log = ReadStandinLog();
  EXPECT_EQ(CountLog(log, "exit"), 0u) << "the stand-in was meant to vanish without its usual end";
  EXPECT_EQ(log.back().commandLine, " /M_LON=487794733 /M_LAT=124916659 /M_ANGLE=0 /M_TYPE=12");
}

TEST_F(MaplinkLaunch, ManualOpensInTheBrowserFoundBesideTheProgram) {
  ASSERT_TRUE(CopyFileTo(WinePathOf(KARIO_TOOL_fake_iexplore), L"C:\\KarioTest\\iexplore.exe"));
  ASSERT_TRUE(FileExistsAt(L"C:\\KarioTest\\kariosearch.htm"));
  StartKarioOrFail();
  PostCommand(kario_.mainWindow, IDM_MANUAL);
  ASSERT_TRUE(WaitUntil([] { return !ReadFileBytes(L"C:\\KarioTest\\browser_log.txt").empty(); }, 10000));
  EXPECT_EQ(ReadFileBytes(L"C:\\KarioTest\\browser_log.txt"),
            "\"C:\\KarioTest\\iexplore.exe\" C:\\KarioTest\\kariosearch.htm\n");
  // The manual is a real page in Japanese.
  std::string manual = ReadFileBytes(L"C:\\KarioTest\\kariosearch.htm");
  EXPECT_NE(manual.find("検索モード"), std::string::npos);
}

}  // namespace
