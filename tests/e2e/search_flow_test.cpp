// From tap to map: the point read from the stand-in's screen, a search in data from the writer tools, and the map
// application started at a result; and started from the menu, judged by the stand-in's log of starts (command
// line, destination values found) and ends.
#include "platform/codepage.h"
#include "platform/utf.h"
#include "resources/resource_ids.h"
#include "tests/e2e/e2e_support.h"
#include "tools/mapdata_writer/mapdata_writer.h"
#include "tools/qlcode_writer/qlcode_writer.h"

namespace {

const wchar_t kMapFolder[] = L"C:\\Data\\Tessara\\Map\\";  // from MNAMV8 below
const wchar_t kOne[] = L"検索完了!\u30001件";
std::string Sjis(const std::u16string& text) { return WideToCodePage932(text); }
// The stand-in's log from line `from` on, its events alone: "end,exit,start,".
std::string Events(const std::vector<std::vector<std::string>>& log, size_t from = 0) {
  std::string events;
  for (size_t i = from; i < log.size(); ++i) events += log[i][0] + ",";
  return events;
}

class SearchFlow : public KarioE2e {
 protected:
  void SetUp() override {
    KarioE2e::SetUp();
    const wchar_t mapApplicationData[] = L"\\Data\\Tessara\\tessara.dat";
    ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, kMapAppKey, L"MNAMV8", REG_SZ, mapApplicationData,
                              sizeof mapApplicationData),
              0);
  }
  // Fine cells for the detail map, as the map application from version 10 on reads it.
  void WriteMapData() {
    for (const auto& file :
         BuildMapDataFiles({{u"東京", 502901689, 128470591}, {u"厚木市", 501706384, 127568319}}, {false, true}))
      ASSERT_TRUE(WriteTextFile(kMapFolder + std::wstring(AsWide(Utf8ToUtf16(file.first))), file.second));
  }
};

TEST_F(SearchFlow, WideLevelFindsItsPlaceAndNoStartsThereWithoutADestination) {
  ASSERT_NO_FATAL_FAILURE(WriteMapData());
  ASSERT_NO_FATAL_FAILURE(StartWithPointRead());
  TypeTerm(L"厚木");                        // in 広域図検索, the first mode
  SearchExpecting({kOne}, IDM_RUN_SEARCH);  // from the menu
  EXPECT_EQ(Results(), std::vector<std::wstring>{L"  44km,厚木市,[5339.tgx],501706375,127568375,  "});
  // A double tap, answered いいえ (Enter, はい and キャンセル: the keyboard walk).
  SendMessageW(Control(IDC_RESULT_LIST), LB_SETCURSEL, 0, 0);
  PostCommand(main_, IDC_RESULT_LIST, LBN_DBLCLK, Control(IDC_RESULT_LIST));
  MessageBoxSeen box = WaitForMessageBox(Pid(), L"データ詳細");
  // The device speaks Japanese; buttons are pressed by id all the same.
  EXPECT_EQ(WindowText(GetDlgItem(box.window, IDYES)) + WindowText(GetDlgItem(box.window, IDNO)) +
                WindowText(GetDlgItem(box.window, IDCANCEL)),
            L"はい(&Y)いいえ(&N)キャンセル");
  ASSERT_TRUE(PressMessageBoxButton(box, IDNO));
  EXPECT_EQ(WaitForStart(1),
            (std::vector<std::string>{
                // after the start at Tokyo station
                "start", " /M_LON=501706375 /M_LAT=127568375 /M_ANGLE=0 /M_TYPE=10", "TLATV8=0", "TLONV8=0"}));
}

TEST_F(SearchFlow, ClearTypeReadoutAndQLCodeCategoryPickedSearchesNearTypedWider) {
  // From the point read: 3 km and 30 km east.
  const std::vector<QLCodeRecord> records = {{101, 503171490 - 3 * 40865, 128439920, Sjis(u"足湯"), Sjis(u"温泉")},
                                             {102, 503171490 - 30 * 40865, 128439920, Sjis(u"山の湯"), Sjis(u"温泉")}};
  std::string bytes, error;
  ASSERT_TRUE(BuildQLCodeDatabase(records, 2, bytes, error)) << error;
  ASSERT_TRUE(WriteTextFile(kMapFolder + std::wstring(L"qlcode_v2.qldb"), bytes));
  // ClearType: the map draws its readout in colour (each ink is unit-tested on screenshots).
  HKEY clearType = nullptr;
  ASSERT_EQ(RegCreateKeyW(HKEY_LOCAL_MACHINE, L"System\\GDI\\ClearType", &clearType), ERROR_SUCCESS);
  RegCloseKey(clearType);
  ASSERT_NO_FATAL_FAILURE(StartWithPointRead());
  // The detail map chosen, the focus goes to the term; Shift+Tab back to the mode box, two steps down (its list
  // closed): the category box takes the term's place.
  ChooseSearchMode(3);
  HWND combo = Control(IDC_CATEGORY_COMBO), edit = Control(IDC_SEARCH_EDIT);
  ASSERT_TRUE(FocusComesTo(edit));
  ASSERT_TRUE(PressKeys(main_, {VK_TAB}, VK_SHIFT));
  ASSERT_TRUE(FocusComesTo(Control(IDC_MODE_COMBO)));
  ASSERT_TRUE(PressKeys(main_, {VK_DOWN, VK_DOWN}));
  ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(combo) && !IsWindowVisible(edit); })) << "QLCode shows the edit";
  // Tapping an item of the list selects it and puts it into the field.
  SendMessageW(combo, CB_SETCURSEL, 1, 0);  // 温泉
  SearchExpecting({kOne});
  EXPECT_EQ(Results(), std::vector<std::wstring>{L"   3km,足湯,[101],503048895,128439920,温泉"});
  // Typing over the field's text ends the selection, as keys do.
  HWND field = FindWindowExW(combo, nullptr, L"Edit", nullptr);
  SendMessageW(field, EM_SETSEL, 0, -1);
  for (wchar_t c : std::wstring(L"温泉")) SendMessageW(field, WM_CHAR, c, 1);
  ASSERT_EQ(SendMessageW(combo, CB_GETCURSEL, 0, 0), CB_ERR);
  SearchExpecting({L"検索完了!\u30002件"});
}

TEST_F(SearchFlow, KeysAloneChooseSearchOpenAResultStartAtAStationAndEnd) {
  ASSERT_NO_FATAL_FAILURE(WriteMapData());
  ASSERT_NO_FATAL_FAILURE(StartWithPointRead());  // the map in front, the mode box keeps the focus
  // Down ×3: 詳細図検索; Tab to the term, typed; Shift+Tab and Tab back and forth; Enter searches.
  ASSERT_TRUE(PressKeys(main_, {VK_DOWN, VK_DOWN, VK_DOWN, VK_TAB}));
  ASSERT_TRUE(FocusComesTo(Control(IDC_SEARCH_EDIT)));
  ASSERT_TRUE(TypeText(main_, L"東京"));
  ASSERT_TRUE(PressKeys(main_, {VK_TAB}, VK_SHIFT));
  ASSERT_TRUE(FocusComesTo(Control(IDC_MODE_COMBO)));
  ASSERT_TRUE(PressKeys(main_, {VK_TAB, VK_RETURN}));
  MessageBoxSeen box = WaitForMessageBox(Pid());
  EXPECT_EQ(box.text, kOne);
  ASSERT_TRUE(PressKeys(box.window, {VK_RETURN}));
  ASSERT_TRUE(FocusComesTo(Control(IDC_RESULT_LIST)));
  // The first line, opened with Enter and made the destination with Enter (はい).
  ASSERT_TRUE(PressKeys(main_, {VK_HOME, VK_RETURN}));
  box = WaitForMessageBox(Pid(), L"データ詳細");
  EXPECT_EQ(box.text.substr(0, 22), L"選択地点を表示します\n\n   6km\n東京\n");
  ASSERT_TRUE(PressKeys(box.window, {VK_RETURN}));
  std::vector<std::string> start = WaitForStart(1);
  ASSERT_EQ(start.size(), 4u);
  EXPECT_EQ(start[1].substr(start[1].size() - 9), "/M_TYPE=1") << start[1];
  EXPECT_NE(start[2], "TLATV8=0") << "はい set no destination";
  // Only then is ours brought back.
  ASSERT_TRUE(WaitForMapInFront()) << "the restarted map application did not come to the front and settle";
  // A soft key's menu, then keys in it.
  auto popupShows = [] {
    return FindTopWindow([](HWND w) { return ClassNameOf(w) == L"#32768" && IsWindowVisible(w); });
  };
  auto menu = [&](WORD softKey, std::initializer_list<WORD> keys) -> ::testing::AssertionResult {
    if (!PressKeys(main_, {softKey}))
      return ::testing::AssertionFailure() << "the main window did not come to the front";
    if (!WaitUntil(popupShows)) return ::testing::AssertionFailure() << "the soft key's menu did not open";
    if (!PressKeys(main_, keys)) return ::testing::AssertionFailure() << "the main window lost the front in its menu";
    return ::testing::AssertionSuccess();
  };
  // F1's fourth item is 関東（東京駅）: the map application's log from here on holds the station's end, exit and
  // start.
  const size_t logged = StandinLog().size();
  ASSERT_TRUE(menu(VK_F1, {VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN}))
      << "in front: " << Narrow(WindowText(GetForegroundWindow()));
  start = WaitForStart(2);
  EXPECT_EQ(start.size() > 1 ? start[1] : "none", " " + Narrow(kTokyoStationShown));
  EXPECT_EQ(Events(StandinLog(), logged), "end,exit,start,");
  ASSERT_TRUE(WaitForMapInFront()) << "the map application started at the station did not come to the front";
  // F2's last item asks whether to end (いいえ keeps it running: the commands' unit test); Enter (はい) ends it with 0.
  ASSERT_TRUE(menu(VK_F2, {VK_UP, VK_RETURN})) << "in front: " << Narrow(WindowText(GetForegroundWindow()));
  box = WaitForMessageBox(Pid());
  EXPECT_EQ(Narrow(box.text), "Ver." KARIO_VERSION "\n\n終了しますか？");
  EXPECT_EQ(GetWindow(box.window, GW_OWNER), main_) << "not owned by the main window";
  ASSERT_TRUE(PressKeys(box.window, {VK_RETURN}));  // はい's box goes with the program
  EXPECT_EQ(WaitForExit(process_, 10000), 0) << "-1: still running";
}

class MaplinkLaunch : public KarioE2e {};

TEST_F(MaplinkLaunch, AStationEndsEveryCopyLingeringOrDead) {
  // The stand-in lingers after message 2: the program must wait for it.
  ASSERT_TRUE(InstallStandin());
  ASSERT_TRUE(SetRegistryDword(L"StandinExitDelayMs", 1200));
  ASSERT_TRUE(StartStandin(L"")) << "the stand-in's window did not show";
  ASSERT_NO_FATAL_FAILURE(StartKarioOrFail());
  // そのまま起動 starts a second copy beside the first: a station ends both.
  auto copies = [] {
    int n = 0;
    for (HWND w = nullptr; (w = FindWindowExW(nullptr, w, L"Afx_QZV_MAINWND_", nullptr));) ++n;
    return n;
  };
  PostCommand(main_, IDM_START_AS_IS);
  ASSERT_TRUE(WaitUntil([&] { return copies() == 2; })) << copies() << " copies";
  // Values left from an earlier destination: the start must clear them.
  ASSERT_TRUE(SetRegistryDword(L"TLATV8", 111));
  ASSERT_TRUE(SetRegistryDword(L"TLONV8", 222));
  PostCommand(main_, IDM_STATION_TOKYO);
  std::vector<std::vector<std::string>> log;
  ASSERT_TRUE(WaitUntil([&] { return (log = StandinLog()).size() >= 7; }, 20000))
      << "the stand-ins logged " << Events(log) << " and no more";
  // Two starts (ours, as is); both copies are told at once (message 2), so both ends come before either exit, which
  // the lingering copies delay; then the new start.  An end, exit, end, exit would be copies told one after another.
  EXPECT_EQ(Events(log), "start,start,end,end,exit,exit,start,");
  EXPECT_EQ(log[6][1] + " " + log[6][2] + " " + log[6][3], " " + Narrow(kTokyoStationShown) + " TLATV8=0 TLONV8=0");
  ASSERT_TRUE(WaitUntil([&] { return copies() == 1; })) << copies() << " copies after the station's start";
  // A copy that dies instead of ending (its window lingers a moment, its process is gone) does not hang the program.
  ASSERT_TRUE(SetRegistryDword(L"StandinCrashOnExit", 1));
  PostCommand(main_, IDM_STATION_OSAKA);
  const std::vector<std::string> start = WaitForStart(3);
  EXPECT_EQ(start.size() > 1 ? start[1] : "none", " /M_LON=487794733 /M_LAT=124916659 /M_ANGLE=0 /M_TYPE=12");
  log = StandinLog();
  EXPECT_EQ(log.size() > 8 ? log[7][0] + "," + log[8][0] : "", "end,start")
      << "no exit: the stand-in was meant to vanish";
}

}  // namespace
