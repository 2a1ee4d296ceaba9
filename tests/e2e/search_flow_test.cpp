// The whole tool from tap to map: the stand-in shows Tokyo station, the point
// is read from its screen, a mode and term are searched, and the map
// application started at a result.  Test data comes from the writer tools.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/codepage.h"
#include "platform/utf.h"
#include "resources/resource_ids.h"
#include "tests/e2e/answer_server_support.h"
#include "tests/e2e/e2e_support.h"
#include "tools/answer_writer/answer_writer.h"
#include "tools/mapdata_writer/mapdata_writer.h"
#include "tools/qlcode_writer/qlcode_writer.h"

namespace {

const wchar_t kTitle[] = L"カリオSearch";
const wchar_t kNoResult[] = L"検索結果なし!\n他の検索モードで検索してみてください";
const wchar_t kMapFolder[] = L"C:\\Data\\Tessara\\Map";  // from MNAMV8 below
const wchar_t kCardMapFolder[] = L"C:\\SD\\Varnelle\\Map";
// Tokyo station as the stand-in shows it, to hundredths of a second.
const wchar_t kTokyoStation[] = L"/M_LON=503171492 /M_LAT=128439921 /M_ANGLE=0 /M_TYPE=12";
const wchar_t kTokyoStationRead[] = L"503171490 128439920";

const std::vector<MapPlace>& SamplePlaces() {
  static const std::vector<MapPlace> places = {
      {u"東京", 502901689, 128470591},    {u"横浜市", 502724478, 127600309},
      {u"川崎市", 502993504, 127862340},  {u"相模原市", 501687393, 127979375},
      {u"厚木市", 501706384, 127568319},  {u"相模大野", 501988300, 127903600},
  };
  return places;
}

// Writes the map data files of `places` under `folder`.
void WriteMapData(const std::wstring& folder, const MapDataLayout& layout) {
  for (const auto& file : BuildMapDataFiles(SamplePlaces(), layout)) {
    std::u16string relative = Utf8ToUtf16(file.first);
    std::wstring name(relative.begin(), relative.end());
    for (auto& c : name) if (c == L'/') c = L'\\';
    ASSERT_TRUE(WriteTextFile(folder + L"\\" + name, file.second)) << Utf16ToUtf8(relative);
  }
}

const std::wstring kAtsugiL = L"  44km,厚木市,[5339.tgx],501706375,127568375,  ";

class SearchFlow : public KarioE2e {
 protected:
  void SetUp() override {
    KarioE2e::SetUp();
    ASSERT_TRUE(SetRegistryString(HKEY_CURRENT_USER, kMapAppKey, L"MNAMV8", L"\\Data\\Tessara\\tessara.dat"));
    ASSERT_TRUE(SetRegistryDword(HKEY_CURRENT_USER, kMapAppKey, L"TLATV8", 0));
    ASSERT_TRUE(SetRegistryDword(HKEY_CURRENT_USER, kMapAppKey, L"TLONV8", 0));
    ASSERT_TRUE(SetRegistryString(HKEY_LOCAL_MACHINE, L"System\\StorageManager\\Profiles\\SDMemory", L"Folder", L"SD"));
    ASSERT_TRUE(MakeFolders(kCardMapFolder));
  }

  // The map application (installed as `exe`, before the program starts, so
  // that it finds the version) showing Tokyo station in front of the running
  // program, until the point label shows the point read.
  void ShowTokyoStation(const std::wstring& exe = kStandinExe) {
    ASSERT_TRUE(StartStandin(kTokyoStation, exe));
    HWND label = Control(IDC_POINT_LABEL);
    ASSERT_TRUE(WaitUntil([&] { return WindowText(label) == kTokyoStationRead; }, 15000))
        << "point label: " << Narrow(WindowText(label));
  }
  void StartWithPointRead(const std::wstring& exe = kStandinExe) {
    ASSERT_TRUE(InstallStandin(exe));
    ASSERT_NO_FATAL_FAILURE(StartKarioOrFail());
    ASSERT_NO_FATAL_FAILURE(ShowTokyoStation(exe));
  }
  void TypeTerm(const wchar_t* term) {
    SendMessageW(Control(IDC_SEARCH_EDIT), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(term));
  }
  void TapSearch() { PostCommand(kario_.mainWindow, IDC_SEARCH_BUTTON, BN_CLICKED, Control(IDC_SEARCH_BUTTON)); }
  // Taps 検索 and returns the message the search ends with (answered OK).
  std::wstring SearchAndReadMessage() {
    TapSearch();
    MessageBoxSeen box = WaitForMessageBox(Pid(), kTitle, 30000);
    EXPECT_NE(box.window, nullptr) << "no message after the search";
    PressMessageBoxButton(box, IDOK);
    return box.text;
  }
  std::vector<std::wstring> Results() { return ListItems(Control(IDC_RESULT_LIST)); }
  // Selects line `index`, asks for it in the given way, and returns the
  // confirmation box (still open).
  MessageBoxSeen AskForLine(int index, const std::string& how) {
    SendMessageW(Control(IDC_RESULT_LIST), LB_SETCURSEL, index, 0);
    if (how == "double tap") {
      PostCommand(kario_.mainWindow, IDC_RESULT_LIST, LBN_DBLCLK, Control(IDC_RESULT_LIST));
    } else if (how == "enter") {
      PostMessageW(Control(IDC_RESULT_LIST), WM_KEYDOWN, VK_RETURN, 0);
    } else {
      PostCommand(kario_.mainWindow, IDM_START_AT_RESULT);
    }
    return WaitForMessageBox(Pid(), L"データ詳細", 10000);
  }
};

TEST_F(SearchFlow, EachMapLevelFindsThePlaceNearestFirst) {
  WriteMapData(kMapFolder, MapDataLayout{});
  StartWithPointRead();
  // Each level covers the cells around the point: 厚木 (44 km) only the wide
  // one, 東京 (6 km) every level.  Nothing found leaves the focus on the mode.
  struct { int mode; const wchar_t* term; const wchar_t* name; const wchar_t* cell; } cases[] = {
      {0, L"厚木", L",厚木市,", L"[5339.tgx]"},   {1, L"東京", L",東京,", L"[53394A.tgx]"},
      {2, L"東京", L",東京,", L"[533945]"},      {3, L"東京", L",東京,", L"[53394524.tgx]"},
      {1, L"厚木", nullptr, nullptr},            {0, L"存在しない", nullptr, nullptr}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "mode " << c.mode);
    ChooseSearchMode(kario_.mainWindow, c.mode);
    TypeTerm(c.term);
    if (!c.name) {
      EXPECT_EQ(SearchAndReadMessage(), kNoResult);
      EXPECT_TRUE(Results().empty());
      EXPECT_TRUE(FocusComesTo(Control(IDC_MODE_COMBO), 5000));
      continue;
    }
    EXPECT_EQ(SearchAndReadMessage(), L"検索完了!\u30001件");
    auto lines = Results();
    ASSERT_EQ(lines.size(), 1u);
    if (c.mode == 0) EXPECT_EQ(lines[0], kAtsugiL);
    EXPECT_NE(lines[0].find(c.name), std::wstring::npos) << Narrow(lines[0]);
    EXPECT_NE(lines[0].find(c.cell), std::wstring::npos) << Narrow(lines[0]);
    EXPECT_TRUE(FocusComesTo(Control(IDC_RESULT_LIST), 5000));
  }
  // Two places: nearest first, whatever order the files hold them in.
  ChooseSearchMode(kario_.mainWindow, 0);
  TypeTerm(L"相模");
  EXPECT_EQ(SearchAndReadMessage(), L"検索完了!\u30002件");
  EXPECT_EQ(Results(), (std::vector<std::wstring>{L"  32km,相模大野,[5339.tgx],501988250,127903625,  ",
                                                  L"  39km,相模原市,[5339.tgx],501687375,127979375,  "}));
}

TEST_F(SearchFlow, CardMapFolderIsSearchedWhenTheMapDataFolderGivesNothing) {
  WriteMapData(kCardMapFolder, MapDataLayout{});
  StartWithPointRead();
  TypeTerm(L"厚木");
  EXPECT_EQ(SearchAndReadMessage(), L"検索完了!\u30001件");
  EXPECT_EQ(Results(), std::vector<std::wstring>{kAtsugiL});
}

TEST_F(SearchFlow, DetailSearchLayoutFollowsTheMapApplicationVersion) {
  struct { const wchar_t* exe; bool quartered; bool found; } cases[] = {
      {L"TessaraMobile9.exe", true, true},   {L"TessaraMobile9.exe", false, false},
      {L"TessaraMobile10.exe", false, true}, {L"TessaraMobile10.exe", true, false},
      {L"TessaraMobile11.exe", false, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << Narrow(c.exe) << (c.quartered ? " quartered" : " fine"));
    SetUp();
    MapDataLayout layout;
    layout.sQuartered = c.quartered;
    layout.sFine = !c.quartered;
    WriteMapData(kMapFolder, layout);
    StartWithPointRead(std::wstring(L"C:\\Program Files\\Varnelle\\") + c.exe);
    ChooseSearchMode(kario_.mainWindow, 3);
    TypeTerm(L"東京");
    std::wstring message = SearchAndReadMessage();
    EXPECT_EQ(message == L"検索完了!\u30001件", c.found) << Narrow(message);
    TearDown();
  }
}

TEST_F(SearchFlow, SearchesWithoutAPointOrAUsableTermAreRefused) {
  ASSERT_TRUE(InstallStandin());
  ASSERT_NO_FATAL_FAILURE(StartKarioOrFail());
  TypeTerm(L"厚木");
  EXPECT_EQ(SearchAndReadMessage(), L"ポイントが設定されていません\r\nテッサラを起動させてポイントを設定して下さい");
  EXPECT_TRUE(IsWindowEnabled(Control(IDC_SEARCH_EDIT)));
  ASSERT_NO_FATAL_FAILURE(ShowTokyoStation());
  struct { int mode; const wchar_t* term; const wchar_t* message; } cases[] = {
      {0, L"厚", L"検索語句を入力して下さい\n(2文字以上)"},
      {0, L"", L"検索語句を入力して下さい\n(2文字以上)"},
      {0, L"一二三四五六七八九十一二三四五六", L"検索語句が長すぎます\n(全角15文字まで)"},
      {3, L"", L"検索語句を入力して下さい\n(2文字以上)"},
  };
  for (const auto& c : cases) {
    ChooseSearchMode(kario_.mainWindow, c.mode);
    TypeTerm(c.term);
    EXPECT_EQ(SearchAndReadMessage(), c.message);
    // The focus goes to the search edit, in every mode.
    EXPECT_TRUE(FocusComesTo(Control(IDC_SEARCH_EDIT), 5000));
    EXPECT_TRUE(IsWindowEnabled(Control(IDC_SEARCH_BUTTON)));
  }
}

TEST_F(SearchFlow, ChosenResultStartsTheMapApplicationThere) {
  WriteMapData(kMapFolder, MapDataLayout{});
  StartWithPointRead();
  PostCommand(kario_.mainWindow, IDM_START_AT_RESULT);
  MessageBoxSeen none = WaitForMessageBox(Pid(), kTitle);
  EXPECT_EQ(none.text, L"選択されていません");
  PressMessageBoxButton(none, IDOK);
  EXPECT_TRUE(FocusComesTo(Control(IDC_RESULT_LIST), 5000));

  TypeTerm(L"厚木");
  ASSERT_EQ(SearchAndReadMessage(), L"検索完了!\u30001件");
  struct { const char* how; int answer; bool destination; } cases[] = {
      {"double tap", IDYES, true}, {"enter", IDNO, false}, {"command", IDCANCEL, false}, {"command", IDYES, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.how);
    size_t before = StandinStarts().size(), logBefore = ReadStandinLog().size();
    MessageBoxSeen box = AskForLine(0, c.how);
    ASSERT_NE(box.window, nullptr);
    EXPECT_EQ(box.text, L"選択地点を表示します\n\n  44km\n厚木市\n[5339.tgx]\n501706375\n127568375\n  \n"
                        L"目的地に設定しますか?\n");
    ASSERT_TRUE(PressMessageBoxButton(box, c.answer));
    if (c.answer == IDCANCEL) {
      EXPECT_FALSE(WaitUntil([&] { return ReadStandinLog().size() > logBefore; }, 3000)) << "nothing ends or starts";
      continue;
    }
    StandinLogLine start = WaitForStart(before);
    EXPECT_EQ(start.commandLine, " /M_LON=501706375 /M_LAT=127568375 /M_ANGLE=0 /M_TYPE=10");
    EXPECT_EQ(start.tlat, c.destination ? "127568375" : "0");
    EXPECT_EQ(start.tlon, c.destination ? "501706375" : "0");
  }
  // The M_TYPE follows the mode selected when the line is chosen.
  ChooseSearchMode(kario_.mainWindow, 3);
  size_t before = StandinStarts().size();
  ASSERT_TRUE(PressMessageBoxButton(AskForLine(0, "double tap"), IDNO));
  EXPECT_EQ(WaitForStart(before).commandLine, " /M_LON=501706375 /M_LAT=127568375 /M_ANGLE=0 /M_TYPE=1");
}

TEST_F(SearchFlow, QLCodeCategorySearch) {
  std::vector<QLCodeRecord> records;
  auto add = [&](int code, int32_t lon, const char16_t* name, const char16_t* info) {
    QLCodeRecord r;
    r.code = code, r.lon = lon, r.lat = 128439920;
    r.name = WideToCodePage932(name);
    r.info = WideToCodePage932(info);
    records.push_back(r);
  };
  // From the point read (503171490, 128439920): 3 km east, 30 km east, far away.
  add(101, 503171490 - 3 * 40865, u"足湯", u"温泉");
  add(102, 503171490 - 30 * 40865, u"山の湯", u"温泉");
  add(103, 469523066, u"博多の湯", u"温泉");
  add(104, 503171490, u"屋台", u"食べる");
  std::string bytes, error;
  ASSERT_TRUE(BuildQLCodeDatabase(records, 2, bytes, error)) << error;
  ASSERT_TRUE(WriteTextFile(std::wstring(kMapFolder) + L"\\qlcode_v2.qldb", bytes));
  StartWithPointRead();
  ASSERT_EQ(ComboItems(Control(IDC_MODE_COMBO)).size(), 6u);
  ChooseSearchMode(kario_.mainWindow, 5);
  ASSERT_TRUE(FocusComesTo(Control(IDC_CATEGORY_COMBO), 5000));
  // Nothing picked and nothing typed is refused like an empty term.
  SendMessageW(Control(IDC_CATEGORY_COMBO), CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
  EXPECT_EQ(SearchAndReadMessage(), L"検索語句を入力して下さい\n(2文字以上)");
  // A category picked from the list: within 11 km.
  SendMessageW(Control(IDC_CATEGORY_COMBO), CB_SETCURSEL, 1, 0);  // 温泉
  EXPECT_EQ(SearchAndReadMessage(), L"検索完了!\u30001件");
  EXPECT_EQ(Results(), std::vector<std::wstring>{L"   3km,足湯,[101],503048895,128439920,温泉"});
  // Typed, nothing picked: within 51 km; a category with nothing near finds nothing.
  SendMessageW(Control(IDC_CATEGORY_COMBO), CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
  SendMessageW(Control(IDC_CATEGORY_COMBO), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"買う"));
  EXPECT_EQ(SearchAndReadMessage(), kNoResult);
  SendMessageW(Control(IDC_CATEGORY_COMBO), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"温泉"));
  EXPECT_EQ(SearchAndReadMessage(), L"検索完了!\u30002件");
  EXPECT_EQ(Results().size(), 2u);
  // A result of this mode starts the map application with M_TYPE 10.
  size_t before = StandinStarts().size();
  ASSERT_TRUE(PressMessageBoxButton(AskForLine(0, "double tap"), IDYES));
  EXPECT_EQ(WaitForStart(before).commandLine, " /M_LON=503048895 /M_LAT=128439920 /M_ANGLE=0 /M_TYPE=10");
}

HCURSOR CursorShown() {
  CURSORINFO cursor{};
  cursor.cbSize = sizeof cursor;
  return GetCursorInfo(&cursor) ? cursor.hCursor : nullptr;
}

TEST_F(SearchFlow, PhoneSearchListsTheAnswerAndShowsTheBusyState) {
  {
    // Shinjuku in WGS84; the answer comes after a delay so the busy state can be seen.
    AnswerServerOptions options;
    options.port = BuildHostPort();
    options.delayMs = 2500;
    AnswerServer service(BuildAnswerPage({{"35.6895", "139.6917", WideToCodePage932(u"新宿")}}), options);
    ASSERT_TRUE(service.listening()) << "port of " << KARIO_PHONE_SEARCH_HOST << " is taken";
    StartWithPointRead();
    // The program in front, as when a person taps 検索: the cursor shown is its own.
    SetForegroundWindow(kario_.mainWindow);
    ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == kario_.mainWindow; }, 5000));
    const HCURSOR before = CursorShown();
    ChooseSearchMode(kario_.mainWindow, 4);
    TypeTerm(L"0300000001");
    TapSearch();
    const int busy[] = {IDC_SEARCH_EDIT, IDC_MODE_COMBO, IDC_SEARCH_BUTTON, IDC_RESULT_LIST, IDC_CATEGORY_COMBO};
    HWND menuBar = MenuBarOf(kario_.mainWindow);
    ASSERT_NE(menuBar, nullptr);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindowEnabled(Control(IDC_SEARCH_BUTTON)); }, 5000));
    for (int id : busy) EXPECT_FALSE(IsWindowEnabled(Control(id))) << id;
    EXPECT_FALSE(IsWindowEnabled(menuBar));
    // Cursor handles belong to their process: another cursor shows while the
    // search runs, and the one from before comes back.
    EXPECT_NE(CursorShown(), before) << "the wait cursor shows while the search runs";
    MessageBoxSeen box = WaitForMessageBox(Pid(), kTitle, 30000);
    EXPECT_EQ(box.text, L"検索完了!\u30001件");
    PressMessageBoxButton(box, IDOK);
    for (int id : busy) EXPECT_TRUE(IsWindowEnabled(Control(id))) << id;
    EXPECT_TRUE(IsWindowEnabled(menuBar));
    EXPECT_TRUE(WaitUntil([&] { return CursorShown() == before; }, 5000)) << "the cursor from before returns";
    // 新宿 at (502901653, 128470591) from (503171490, 128439920): dx 6, dy 0.
    EXPECT_EQ(Results(), std::vector<std::wstring>{L"   6km,新宿, ,502901653,128470591, "});
    EXPECT_FALSE(FileExistsAt(L"C:\\htmbuff.txt"));
    EXPECT_EQ(service.requestLines().size(), 1u);
  }
  // With the service gone the connection failure is said, then no result.
  TapSearch();
  MessageBoxSeen down = WaitForMessageBox(Pid(), kTitle, 60000);
  EXPECT_NE(down.text.find(L"\nインターネットに接続できませんでした"), std::wstring::npos) << Narrow(down.text);
  PressMessageBoxButton(down, IDOK);
  MessageBoxSeen after = WaitForMessageBox(Pid(), kTitle, 10000);
  EXPECT_EQ(after.text, kNoResult);
  PressMessageBoxButton(after, IDOK);
}

}  // namespace
