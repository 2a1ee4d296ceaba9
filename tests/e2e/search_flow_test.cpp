// The whole tool from tap to map: the stand-in map application shows Tokyo
// station, the screen reader takes the point from its screen, the user picks
// a mode, types a term, taps 検索, reads the list and starts the map
// application at a result.  Map data, QLCode databases and phone answers are
// made by the writers; the phone answers come from a server of this test on
// the build's service host.
#include <winsock2.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "platform/codepage.h"
#include "platform/utf.h"
#include "resources/resource_ids.h"
#include "tests/e2e/e2e_support.h"
#include "tests/e2e/maplink_test_support.h"
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

// The phone answers: one server on the host the program was built to ask.
class ServiceOnBuildHost {
 public:
  explicit ServiceOnBuildHost(std::string body, DWORD delayMs = 0) : body_(std::move(body)), delayMs_(delayMs) {
    const char* host = KARIO_PHONE_SEARCH_HOST;
    const char* colon = std::strrchr(host, ':');
    int port = colon ? std::atoi(colon + 1) : 80;
    WSADATA wsa;
    WSAStartup(MAKEWORD(2, 2), &wsa);
    listener_ = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    BOOL yes = TRUE;
    setsockopt(listener_, SOL_SOCKET, SO_REUSEADDR, reinterpret_cast<const char*>(&yes), sizeof yes);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    addr.sin_port = htons(static_cast<u_short>(port));
    listening_ = bind(listener_, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0 && listen(listener_, 4) == 0;
    thread_ = std::thread([this] { Serve(); });
  }
  ~ServiceOnBuildHost() {
    closesocket(listener_);
    thread_.join();
    WSACleanup();
  }
  bool listening() const { return listening_; }

 private:
  void Serve() {
    for (;;) {
      SOCKET client = accept(listener_, nullptr, nullptr);
      if (client == INVALID_SOCKET) return;
      std::string request;
      char buffer[2048];
      while (request.find("\r\n\r\n") == std::string::npos) {
        int n = recv(client, buffer, sizeof buffer, 0);
        if (n <= 0) break;
        request.append(buffer, n);
      }
      if (delayMs_) Sleep(delayMs_);
      std::string reply = "HTTP/1.1 200 OK\r\nContent-Type: text/html\r\nContent-Length: " +
                          std::to_string(body_.size()) + "\r\nConnection: close\r\n\r\n" + body_;
      send(client, reply.data(), static_cast<int>(reply.size()), 0);
      shutdown(client, SD_SEND);
      while (recv(client, buffer, sizeof buffer, 0) > 0) {
      }
      closesocket(client);
    }
  }
  std::string body_;
  DWORD delayMs_;
  SOCKET listener_ = INVALID_SOCKET;
  bool listening_ = false;
  std::thread thread_;
};

HCURSOR CursorShown() {
  CURSORINFO cursor{};
  cursor.cbSize = sizeof cursor;
  return GetCursorInfo(&cursor) ? cursor.hCursor : nullptr;
}

class SearchFlow : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetDevice();
    RemoveTree(L"C:\\Data");
    ASSERT_TRUE(SetRegistryString(HKEY_CURRENT_USER, kMapAppKey, L"MNAMV8", L"\\Data\\Tessara\\tessara.dat"));
    ASSERT_TRUE(SetRegistryDword(HKEY_CURRENT_USER, kMapAppKey, L"TLATV8", 0));
    ASSERT_TRUE(SetRegistryDword(HKEY_CURRENT_USER, kMapAppKey, L"TLONV8", 0));
    ASSERT_TRUE(SetRegistryString(HKEY_LOCAL_MACHINE, L"System\\StorageManager\\Profiles\\SDMemory", L"Folder", L"SD"));
    ASSERT_TRUE(MakeFolders(kCardMapFolder));
    ASSERT_TRUE(InstallStandin());
  }
  void TearDown() override {
    KillProgram(&kario_);
    KillStandins();
    RemoveTree(L"C:\\Data");
  }

  // The program, then the map application showing Tokyo station in front of
  // it, until the point label shows the point read from the screen.
  void StartWithPointRead(const wchar_t* installAs = nullptr) {
    if (installAs) {
      ASSERT_TRUE(CopyFileTo(kStandinExe, std::wstring(L"C:\\Program Files\\Varnelle\\") + installAs));
      ASSERT_TRUE(DeleteFileW(kStandinExe));
    }
    kario_ = StartKario();
    ASSERT_NE(kario_.mainWindow, nullptr);
    PROCESS_INFORMATION standin{};
    std::wstring exe = installAs ? std::wstring(L"C:\\Program Files\\Varnelle\\") + installAs : kStandinExe;
    ASSERT_TRUE(StartProcess(exe, kTokyoStation, &standin));
    CloseHandle(standin.hProcess);
    CloseHandle(standin.hThread);
    HWND label = Control(IDC_POINT_LABEL);
    ASSERT_TRUE(WaitUntil([&] { return WindowText(label) == kTokyoStationRead; }, 15000))
        << "point label: " << WindowText(label).size() << " characters";
  }
  HWND Control(int id) { return GetDlgItem(kario_.mainWindow, id); }
  DWORD Pid() const { return kario_.process.dwProcessId; }

  void SelectMode(int mode) {
    SendMessageW(Control(IDC_MODE_COMBO), CB_SETCURSEL, mode, 0);
    PostCommand(kario_.mainWindow, IDC_MODE_COMBO, CBN_CLOSEUP, Control(IDC_MODE_COMBO));
  }
  void TypeTerm(const wchar_t* term) {
    SendMessageW(Control(IDC_SEARCH_EDIT), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(term));
  }
  // Taps 検索 and returns the message the search ends with (answered OK).
  std::wstring SearchAndReadMessage() {
    PostCommand(kario_.mainWindow, IDC_SEARCH_BUTTON, BN_CLICKED, Control(IDC_SEARCH_BUTTON));
    MessageBoxSeen box = WaitForMessageBox(Pid(), kTitle, 30000);
    EXPECT_NE(box.window, nullptr) << "no message after the search";
    PressMessageBoxButton(box, IDOK);
    return box.text;
  }
  std::vector<std::wstring> Results() { return ListItems(Control(IDC_RESULT_LIST)); }
  // A combo box with a typing field passes the focus on to its edit child.
  bool FocusIs(int id) {
    return WaitUntil([&] {
      HWND focus = FocusOf(kario_.process.dwThreadId);
      return focus && (focus == Control(id) || GetParent(focus) == Control(id));
    }, 5000);
  }
  // Selects line `index`, asks for it in the given way, and returns the
  // confirmation box (still open).
  MessageBoxSeen AskForLine(int index, const char* how) {
    SendMessageW(Control(IDC_RESULT_LIST), LB_SETCURSEL, index, 0);
    if (std::string(how) == "double tap") {
      PostCommand(kario_.mainWindow, IDC_RESULT_LIST, LBN_DBLCLK, Control(IDC_RESULT_LIST));
    } else if (std::string(how) == "enter") {
      PostMessageW(Control(IDC_RESULT_LIST), WM_KEYDOWN, VK_RETURN, 0);
    } else {
      PostCommand(kario_.mainWindow, IDM_START_AT_RESULT);
    }
    return WaitForMessageBox(Pid(), L"データ詳細", 10000);
  }
  // Waits for the stand-in's next start after `before` log lines.
  StandinLogLine NextStart(size_t before) {
    StandinLogLine start;
    WaitUntil([&] {
      auto log = ReadStandinLog();
      for (size_t i = before; i < log.size(); ++i)
        if (log[i].kind == "start") { start = log[i]; return true; }
      return false;
    }, 20000);
    return start;
  }

  RunningProgram kario_;
};

const std::wstring kAtsugiL = L"  44km,厚木市,[5339.tgx],501706375,127568375,  ";

TEST_F(SearchFlow, EachMapLevelFindsThePlaceNearestFirst) {
  WriteMapData(kMapFolder, MapDataLayout{});
  StartWithPointRead();
  // Each level covers the cells around the point: 厚木 (44 km) only the wide
  // one, 東京 (6 km) every level.
  struct { int mode; const wchar_t* term; const wchar_t* name; const wchar_t* cell; } cases[] = {
      {0, L"厚木", L",厚木市,", L"[5339.tgx]"},   {1, L"東京", L",東京,", L"[53394A.tgx]"},
      {2, L"東京", L",東京,", L"[533945]"},      {3, L"東京", L",東京,", L"[53394524.tgx]"},
      {1, L"厚木", nullptr, nullptr}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "mode " << c.mode);
    SelectMode(c.mode);
    TypeTerm(c.term);
    if (!c.name) {
      EXPECT_EQ(SearchAndReadMessage(), kNoResult);
      continue;
    }
    EXPECT_EQ(SearchAndReadMessage(), L"検索完了!\u30001件");
    auto lines = Results();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_NE(lines[0].find(c.name), std::wstring::npos);
    EXPECT_NE(lines[0].find(c.cell), std::wstring::npos) << "line has " << lines[0].size() << " chars";
    EXPECT_TRUE(FocusIs(IDC_RESULT_LIST));
  }
  // Two places: nearest first, whatever order the files hold them in.
  SelectMode(0);
  TypeTerm(L"相模");
  EXPECT_EQ(SearchAndReadMessage(), L"検索完了!\u30002件");
  EXPECT_EQ(Results(), (std::vector<std::wstring>{L"  32km,相模大野,[5339.tgx],501988250,127903625,  ",
                                                  L"  39km,相模原市,[5339.tgx],501687375,127979375,  "}));
}

TEST_F(SearchFlow, LevelLLineIsExactAndNothingFoundLeavesFocusOnTheMode) {
  WriteMapData(kMapFolder, MapDataLayout{});
  StartWithPointRead();
  TypeTerm(L"厚木");
  ASSERT_EQ(SearchAndReadMessage(), L"検索完了!\u30001件");
  ASSERT_EQ(Results(), std::vector<std::wstring>{kAtsugiL});
  TypeTerm(L"存在しない");
  EXPECT_EQ(SearchAndReadMessage(), kNoResult);
  EXPECT_TRUE(Results().empty());
  EXPECT_TRUE(FocusIs(IDC_MODE_COMBO));
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
    SCOPED_TRACE(testing::Message() << "layout " << (c.quartered ? "quartered" : "fine"));
    SetUp();
    MapDataLayout layout;
    layout.sQuartered = c.quartered;
    layout.sFine = !c.quartered;
    WriteMapData(kMapFolder, layout);
    StartWithPointRead(wcscmp(c.exe, L"TessaraMobile10.exe") == 0 ? nullptr : c.exe);
    SelectMode(3);
    TypeTerm(L"東京");
    std::wstring message = SearchAndReadMessage();
    EXPECT_EQ(message == L"検索完了!\u30001件", c.found) << "message has " << message.size() << " chars";
    TearDown();
  }
}

TEST_F(SearchFlow, TermsThatCannotBeSearchedAreRefused) {
  StartWithPointRead();
  struct { int mode; const wchar_t* term; const wchar_t* message; } cases[] = {
      {0, L"厚", L"検索語句を入力して下さい\n(2文字以上)"},
      {0, L"", L"検索語句を入力して下さい\n(2文字以上)"},
      {0, L"一二三四五六七八九十一二三四五六", L"検索語句が長すぎます\n(全角15文字まで)"},
      {5, L"", L"検索語句を入力して下さい\n(2文字以上)"},
  };
  for (const auto& c : cases) {
    if (c.mode == 5 && ComboItems(Control(IDC_MODE_COMBO)).size() < 6) continue;  // no QLCode database here
    SelectMode(c.mode);
    TypeTerm(c.term);
    EXPECT_EQ(SearchAndReadMessage(), c.message);
    // The focus goes to the search edit, in every mode.
    EXPECT_TRUE(FocusIs(IDC_SEARCH_EDIT));
    EXPECT_TRUE(IsWindowEnabled(Control(IDC_SEARCH_BUTTON)));
  }
}

TEST_F(SearchFlow, NoPointReadYetRefusesTheSearch) {
  kario_ = StartKario();
  ASSERT_NE(kario_.mainWindow, nullptr);
  TypeTerm(L"厚木");
  EXPECT_EQ(SearchAndReadMessage(),
            L"ポイントが設定されていません\r\nテッサラを起動させてポイントを設定して下さい");
  EXPECT_TRUE(IsWindowEnabled(Control(IDC_SEARCH_EDIT)));
}

TEST_F(SearchFlow, ChosenResultStartsTheMapApplicationThere) {
  WriteMapData(kMapFolder, MapDataLayout{});
  StartWithPointRead();
  TypeTerm(L"厚木");
  ASSERT_EQ(SearchAndReadMessage(), L"検索完了!\u30001件");
  SaveScreenshot("results");
  struct { const char* how; int answer; const char* type; bool destination; } cases[] = {
      {"double tap", IDYES, "10", true}, {"enter", IDNO, "10", false}, {"command", IDCANCEL, "", false},
      {"command", IDYES, "10", true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.how);
    size_t before = ReadStandinLog().size();
    MessageBoxSeen box = AskForLine(0, c.how);
    ASSERT_NE(box.window, nullptr);
    if (c.answer == IDYES) SaveScreenshot("confirmation");
    EXPECT_EQ(box.text, L"選択地点を表示します\n\n  44km\n厚木市\n[5339.tgx]\n501706375\n127568375\n  \n"
                        L"目的地に設定しますか?\n");
    ASSERT_TRUE(PressMessageBoxButton(box, c.answer));
    if (c.answer == IDCANCEL) {
      EXPECT_FALSE(WaitUntil([&] { return ReadStandinLog().size() > before; }, 3000)) << "nothing starts";
      continue;
    }
    StandinLogLine start = NextStart(before);
    EXPECT_EQ(start.commandLine, std::string(" /M_LON=501706375 /M_LAT=127568375 /M_ANGLE=0 /M_TYPE=") + c.type);
    EXPECT_EQ(start.tlat, c.destination ? "127568375" : "0");
    EXPECT_EQ(start.tlon, c.destination ? "501706375" : "0");
  }
  // The M_TYPE follows the mode selected when the line is chosen.
  SelectMode(3);
  size_t before = ReadStandinLog().size();
  MessageBoxSeen box = AskForLine(0, "double tap");
  ASSERT_TRUE(PressMessageBoxButton(box, IDNO));
  EXPECT_EQ(NextStart(before).commandLine, " /M_LON=501706375 /M_LAT=127568375 /M_ANGLE=0 /M_TYPE=1");
}

TEST_F(SearchFlow, NothingSelectedIsSaid) {
  StartWithPointRead();
  PostCommand(kario_.mainWindow, IDM_START_AT_RESULT);
  MessageBoxSeen box = WaitForMessageBox(Pid(), kTitle);
  EXPECT_EQ(box.text, L"選択されていません");
  PressMessageBoxButton(box, IDOK);
  EXPECT_TRUE(FocusIs(IDC_RESULT_LIST));
}

TEST_F(SearchFlow, QLCodeCategorySearch) {
  std::vector<QLCodeRecord> records;
  auto add = [&](int code, int32_t lon, int32_t lat, const char16_t* name, const char16_t* info) {
    QLCodeRecord r;
    r.code = code, r.lon = lon, r.lat = lat;
    r.name = WideToCodePage932(name);
    r.info = WideToCodePage932(info);
    records.push_back(r);
  };
  // From the point read (503171490, 128439920): 3 km east, 30 km east, far away.
  add(101, 503171490 - 3 * 40865, 128439920, u"足湯", u"温泉");
  add(102, 503171490 - 30 * 40865, 128439920, u"山の湯", u"温泉");
  add(103, 469523066, 120911061, u"博多の湯", u"温泉");
  add(104, 503171490, 128439920, u"屋台", u"食べる");
  std::string bytes, error;
  ASSERT_TRUE(BuildQLCodeDatabase(records, 2, bytes, error)) << error;
  ASSERT_TRUE(WriteTextFile(std::wstring(kMapFolder) + L"\\qlcode_v2.qldb", bytes));
  StartWithPointRead();
  ASSERT_EQ(ComboItems(Control(IDC_MODE_COMBO)).size(), 6u);
  SelectMode(5);
  ASSERT_TRUE(FocusIs(IDC_CATEGORY_COMBO));
  // A category picked from the list: within 11 km.
  SendMessageW(Control(IDC_CATEGORY_COMBO), CB_SETCURSEL, 1, 0);  // 温泉
  EXPECT_EQ(SearchAndReadMessage(), L"検索完了!\u30001件");
  EXPECT_EQ(Results(), std::vector<std::wstring>{L"   3km,足湯,[101],503048895,128439920,温泉"});
  // Typed, nothing picked: within 51 km.
  SendMessageW(Control(IDC_CATEGORY_COMBO), CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
  SendMessageW(Control(IDC_CATEGORY_COMBO), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"温泉"));
  EXPECT_EQ(SearchAndReadMessage(), L"検索完了!\u30002件");
  EXPECT_EQ(Results().size(), 2u);
  // A result of this mode starts the map application with M_TYPE 10.
  size_t before = ReadStandinLog().size();
  MessageBoxSeen box = AskForLine(0, "double tap");
  ASSERT_TRUE(PressMessageBoxButton(box, IDYES));
  EXPECT_EQ(NextStart(before).commandLine, " /M_LON=503048895 /M_LAT=128439920 /M_ANGLE=0 /M_TYPE=10");
}

TEST_F(SearchFlow, PhoneSearchListsTheAnswerAndShowsTheBusyState) {
  // Shinjuku in WGS84; the answer comes after a delay so the busy state can be seen.
  std::string page = BuildAnswerPage({AnswerPlace{"35.6895", "139.6917", WideToCodePage932(u"新宿")}});
  ServiceOnBuildHost service(page, 2500);
  ASSERT_TRUE(service.listening()) << "port of " << KARIO_PHONE_SEARCH_HOST << " is taken";
  StartWithPointRead();
  // The program in front, as when a person taps 検索: the cursor shown is its own.
  SetForegroundWindow(kario_.mainWindow);
  ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == kario_.mainWindow; }, 5000));
  const HCURSOR before = CursorShown();
  SelectMode(4);
  TypeTerm(L"0300000001");
  PostCommand(kario_.mainWindow, IDC_SEARCH_BUTTON, BN_CLICKED, Control(IDC_SEARCH_BUTTON));
  const int busy[] = {IDC_SEARCH_EDIT, IDC_MODE_COMBO, IDC_SEARCH_BUTTON, IDC_RESULT_LIST, IDC_CATEGORY_COMBO};
  HWND menuBar = FindWindowExW(kario_.mainWindow, nullptr, L"KRMENUBAR", nullptr);
  ASSERT_NE(menuBar, nullptr);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindowEnabled(Control(IDC_SEARCH_BUTTON)); }, 5000));
  for (int id : busy) EXPECT_FALSE(IsWindowEnabled(Control(id))) << id;
  EXPECT_FALSE(IsWindowEnabled(menuBar));
  // Cursor handles belong to their process: another cursor shows while the
  // search runs, and the one from before comes back.
  HCURSOR during = CursorShown();
  EXPECT_NE(during, before) << "the wait cursor shows while the search runs";
  MessageBoxSeen box = WaitForMessageBox(Pid(), kTitle, 30000);
  EXPECT_EQ(box.text, L"検索完了!\u30001件");
  PressMessageBoxButton(box, IDOK);
  for (int id : busy) EXPECT_TRUE(IsWindowEnabled(Control(id))) << id;
  EXPECT_TRUE(IsWindowEnabled(menuBar));
  EXPECT_TRUE(WaitUntil([&] { return CursorShown() == before; }, 5000)) << "the cursor from before returns";
  // 新宿 at (502901653, 128470591) from (503171490, 128439920): dx 6, dy 0.
  EXPECT_EQ(Results(), std::vector<std::wstring>{L"   6km,新宿, ,502901653,128470591, "});
  EXPECT_FALSE(FileExistsAt(L"C:\\htmbuff.txt"));
}

TEST_F(SearchFlow, PhoneSearchWithTheServiceDownSaysSoThenNoResult) {
  StartWithPointRead();
  SelectMode(4);
  TypeTerm(L"0300000001");
  PostCommand(kario_.mainWindow, IDC_SEARCH_BUTTON, BN_CLICKED, Control(IDC_SEARCH_BUTTON));
  MessageBoxSeen box = WaitForMessageBox(Pid(), kTitle, 60000);
  EXPECT_NE(box.text.find(L"\nインターネットに接続できませんでした"), std::wstring::npos);
  PressMessageBoxButton(box, IDOK);
  MessageBoxSeen after = WaitForMessageBox(Pid(), kTitle, 10000);
  EXPECT_EQ(after.text, kNoResult);
  PressMessageBoxButton(after, IDOK);
}

}  // namespace
