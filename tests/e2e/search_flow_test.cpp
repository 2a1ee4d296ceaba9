// From tap to map: the point read from the stand-in's screen, a search in data
// from the writer tools, and the map application started at a result.
#include "platform/codepage.h"
#include "platform/utf.h"
#include "resources/resource_ids.h"
#include "tests/e2e/e2e_support.h"
#include "tools/mapdata_writer/mapdata_writer.h"
#include "tools/qlcode_writer/qlcode_writer.h"

namespace {

const wchar_t kMapFolder[] = L"C:\\Data\\Tessara\\Map\\";  // from MNAMV8 below
const wchar_t kOne[] = L"検索完了!\u30001件";

class SearchFlow : public KarioE2e {
 protected:
  void SetUp() override {
    KarioE2e::SetUp();
    const wchar_t mapApplicationData[] = L"\\Data\\Tessara\\tessara.dat";
    ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, kMapAppKey, L"MNAMV8", REG_SZ, mapApplicationData, sizeof mapApplicationData), 0);
  }
  void WriteMapData(bool quartered) {
    MapDataLayout layout{quartered, !quartered};
    for (const auto& file : BuildMapDataFiles({{u"東京", 502901689, 128470591}, {u"厚木市", 501706384, 127568319}}, layout))
      ASSERT_TRUE(WriteTextFile(kMapFolder + std::wstring(AsWide(Utf8ToUtf16(file.first))), file.second));
  }
};

TEST_F(SearchFlow, WideAndDetailLevelsFindTheirPlacesAndTheChosenOneStartsTheMapApplicationAsTheAnswerSays) {
  ASSERT_NO_FATAL_FAILURE(WriteMapData(false));
  ASSERT_NO_FATAL_FAILURE(StartWithPointRead());
  ChooseSearchMode(3);  // the detail map first: a start at a result moves the point
  TypeTerm(L"東京");
  SearchExpecting({kOne});
  EXPECT_EQ(Results().at(0).substr(0, 10), L"   6km,東京,");
  ChooseSearchMode(0);
  TypeTerm(L"厚木");
  SearchExpecting({kOne}, IDM_RUN_SEARCH);  // from the menu
  EXPECT_EQ(Results(), std::vector<std::wstring>{L"  44km,厚木市,[5339.tgx],501706375,127568375,  "});
  EXPECT_TRUE(FocusComesTo(Control(IDC_RESULT_LIST)));
  HWND list = Control(IDC_RESULT_LIST);
  const std::pair<int, std::function<void()>> cases[] = {
      {IDYES, [&] { PostCommand(main_, IDC_RESULT_LIST, LBN_DBLCLK, list); }},
      {IDNO, [&] { PostMessageW(list, WM_KEYDOWN, VK_RETURN, 0); }},
      {IDCANCEL, [&] { PostCommand(main_, IDM_START_AT_RESULT); }},
  };
  size_t next = 1;  // the start that shows Tokyo station came first
  for (const auto& c : cases) {
    SCOPED_TRACE(c.first);
    size_t logBefore = StandinLog().size();
    SendMessageW(list, LB_SETCURSEL, 0, 0);
    c.second();
    MessageBoxSeen box = WaitForMessageBox(Pid(), L"データ詳細");
    EXPECT_EQ(box.text, L"選択地点を表示します\n\n  44km\n厚木市\n[5339.tgx]\n501706375\n127568375\n  \n目的地に設定しますか?\n");
    // The device speaks Japanese; buttons are pressed by id all the same.
    EXPECT_EQ(WindowText(GetDlgItem(box.window, IDYES)) + WindowText(GetDlgItem(box.window, IDNO)) +
                  WindowText(GetDlgItem(box.window, IDCANCEL)), L"はい(&Y)いいえ(&N)キャンセル");
    ASSERT_TRUE(PressMessageBoxButton(box, c.first));
    if (c.first == IDCANCEL) {
      EXPECT_FALSE(WaitUntil([&] { return StandinLog().size() > logBefore; }, 3000)) << "nothing ends or starts";
    } else {
      EXPECT_EQ(WaitForStart(next++), (std::vector<std::string>{
          "start", " /M_LON=501706375 /M_LAT=127568375 /M_ANGLE=0 /M_TYPE=10",
          c.first == IDYES ? "TLATV8=127568375" : "TLATV8=0", c.first == IDYES ? "TLONV8=501706375" : "TLONV8=0"}));
    }
  }
}

TEST_F(SearchFlow, Version9DetailMapInQuartersAndQLCodeCategoryPickedSearchesNearTypedWider) {
  // From the point read: 3 km and 30 km east.
  std::vector<QLCodeRecord> records(2);
  for (int i = 0; i < 2; ++i)
    records[i] = {101 + i, 503171490 - (i ? 30 : 3) * 40865, 128439920, WideToCodePage932(i ? u"山の湯" : u"足湯"),
                  WideToCodePage932(u"温泉")};
  std::string bytes, error;
  ASSERT_TRUE(BuildQLCodeDatabase(records, 2, bytes, error)) << error;
  ASSERT_TRUE(WriteTextFile(kMapFolder + std::wstring(L"qlcode_v2.qldb"), bytes));
  // Version 9 reads the detail map in quarters, later versions in fine cells.
  ASSERT_NO_FATAL_FAILURE(WriteMapData(true));
  // The shell's ClearType mark: the map draws its readout in colour, and the
  // program must read it so (every ink and layout is unit-tested on screenshots).
  HKEY clearType = nullptr;
  ASSERT_EQ(RegCreateKeyW(HKEY_LOCAL_MACHINE, L"System\\GDI\\ClearType", &clearType), 0);
  RegCloseKey(clearType);
  ASSERT_NO_FATAL_FAILURE(StartWithPointRead(L"C:\\Program Files\\Varnelle\\TessaraMobile9.exe"));
  ChooseSearchMode(3);
  TypeTerm(L"東京");
  SearchExpecting({kOne});
  ChooseSearchMode(5);
  HWND combo = Control(IDC_CATEGORY_COMBO);
  ASSERT_TRUE(FocusComesTo(combo));
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

}  // namespace
