// The demo kit from its zip alone (tests/unpacked_test.sh unpacks it, runs demo.cmd and names its folder in
// KARIO_DEMO_KIT): the map dragged to 横浜, the place searched and made the destination, the map restarted
// there; a phone number asked of the kit's own server; demo-undo.cmd leaving nothing behind.
#include <winsock2.h>

#include <cstdlib>
#include <cwctype>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/utf.h"
#include "resources/resource_ids.h"
#include "tests/e2e/e2e_support.h"

namespace {

class DemoKit : public KarioE2e {
 protected:
  void SetUp() override {
    if (!getenv("KARIO_DEMO_KIT") || !getenv("KARIO_DEMO_PORT")) GTEST_SKIP() << "no unpacked kit named";
    std::string letter;  // the drive demo.cmd chose, "K:"
    std::ifstream(std::filesystem::path(kit_ + L"\\device\\drive.txt")) >> letter;
    ASSERT_EQ(letter.size(), 2u) << "no drive in drive.txt";
    log_ = std::wstring(AsWide(Utf8ToUtf16(letter))) + L"\\Program Files\\Varnelle";
    auto isMain = [](HWND w) { return ClassNameOf(w) == L"KRSEARCH" && GetDlgItem(w, IDC_RESULT_LIST); };
    ASSERT_TRUE(
        WaitUntil([&] { return (main_ = FindTopWindow(isMain)) && FindWindowW(L"Afx_QZV_MAINWND_", nullptr); }, 30000))
        << "demo.cmd did not start both the program and the map application";
    GetWindowThreadProcessId(main_, &process_.dwProcessId);  // no handle: the kit's undo ends it
    // Start-up done (it takes the front on its way), so that the map raised later stays in front.
    HANDLE program = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, Pid());
    ASSERT_NE(program, nullptr);
    const DWORD idle = WaitForInputIdle(program, 20000);
    CloseHandle(program);
    ASSERT_EQ(idle, 0u) << "start-up did not finish";
  }
  void TearDown() override {
    if (!undone_ && getenv("KARIO_DEMO_KIT")) Undo();
  }
  long Undo() {
    PROCESS_INFORMATION p{};
    undone_ = true;
    return StartProcess(L"C:\\windows\\system32\\cmd.exe", L"/c \"" + kit_ + L"\\demo-undo.cmd\"", &p)
               ? WaitForExit(p, 60000)
               : -2;
  }
  const std::wstring kit_ = getenv("KARIO_DEMO_KIT") ? AsWide(Utf8ToUtf16(getenv("KARIO_DEMO_KIT"))) : L"";
  std::wstring log_;  // the stand-in's folder on the kit's drive
  bool undone_ = false;
};

TEST_F(DemoKit, WalksToADestinationAsksItsOwnServiceAndUndoesItself) {
  std::vector<std::string> start = WaitForStart(0, 20000, log_);  // its command line holds the program's name
  ASSERT_EQ(start.size(), 4u);
  EXPECT_EQ(start[1].substr(start[1].find(" /M_LON")) + start[2] + start[3],
            " " + Narrow(kTokyoStationShown) + "TLATV8=0TLONV8=0");
  HWND map = FindWindowW(L"Afx_QZV_MAINWND_", nullptr);
  // Raised and made active, as a click on it does where a window manager is.
  auto read = [&] {
    return BringWindowToTop(map) && SetForegroundWindow(map) &&
           WindowText(Control(IDC_POINT_LABEL)) == L"503171490 128439920";
  };
  ASSERT_TRUE(WaitUntil(read, 15000)) << "Tokyo station not read; the point label shows "
                                      << Narrow(WindowText(Control(IDC_POINT_LABEL)));
  // One step out, where 横浜市 lies 45 pixels left of the cross and 105 below it: dragged to the cross, and in again.
  PostMessageW(map, WM_KEYDOWN, VK_NEXT, 0);
  PostMessageW(map, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(75, 265));
  for (int step = 1; step <= 10; ++step)
    PostMessageW(map, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(75 + 45 * step / 10, 265 - 105 * step / 10));
  PostMessageW(map, WM_LBUTTONUP, 0, MAKELPARAM(120, 160));
  PostMessageW(map, WM_KEYDOWN, VK_PRIOR, 0);
  // 横浜市 lies at 502724478 127600309 (places.tsv): within a few km of the point now.
  ASSERT_TRUE(WaitUntil([&] { return WindowText(Control(IDC_POINT_LABEL)).substr(0, 4) == L"5027"; }, 15000))
      << "the point did not follow the drag to 横浜; the label shows " << Narrow(WindowText(Control(IDC_POINT_LABEL)));
  ChooseSearchMode(3);  // 詳細図検索
  TypeTerm(L"横浜");
  SearchExpecting({L"検索完了!"});
  std::vector<std::wstring> lines = Results();
  size_t at = 0;
  while (at < lines.size() && lines[at].find(L",横浜市,") == std::wstring::npos) ++at;
  ASSERT_LT(at, lines.size()) << "no 横浜市 among " << lines.size();
  SendMessageW(Control(IDC_RESULT_LIST), LB_SETCURSEL, at, 0);
  PostCommand(main_, IDC_RESULT_LIST, LBN_DBLCLK, Control(IDC_RESULT_LIST));
  ASSERT_TRUE(PressMessageBoxButton(WaitForMessageBox(Pid(), L"データ詳細"), IDYES));
  // はい: the map restarts at the line's point (its fourth and fifth fields), with it as the destination.
  std::vector<std::string> f;
  std::istringstream fields(Narrow(lines[at]));
  for (std::string field; std::getline(fields, field, ',');) f.push_back(field);
  EXPECT_EQ(WaitForStart(1, 20000, log_),
            (std::vector<std::string>{"start", " /M_LON=" + f.at(3) + " /M_LAT=" + f.at(4) + " /M_ANGLE=0 /M_TYPE=1",
                                      "TLATV8=" + f.at(4), "TLONV8=" + f.at(3)}));
  ChooseSearchMode(4);  // numbers.tsv: 0450000001 names 横浜市 and 川崎市, answered by the kit's server
  TypeTerm(L"0450000001");
  SearchExpecting({L"検索完了!\u30002件"});
  lines = Results();
  ASSERT_EQ(lines.size(), 2u);
  for (const wchar_t* name : {L",横浜市,", L",川崎市,"})
    EXPECT_NE((lines[0] + lines[1]).find(name), std::wstring::npos) << Narrow(name) << " not listed";

  // Wine's mount manager records the drive in its own registry key, which the undo must take away too.
  const std::wstring drive{static_cast<wchar_t>(towlower(log_[0])), L':'};
  auto recorded = [&] {
    return RegGetValueW(HKEY_LOCAL_MACHINE, L"Software\\Wine\\Drives", drive.c_str(), RRF_RT_REG_SZ, nullptr, nullptr,
                        nullptr) == ERROR_SUCCESS;
  };
  EXPECT_TRUE(recorded()) << Narrow(drive) << " not recorded while the demo runs";
  ASSERT_EQ(Undo(), 0);
  EXPECT_FALSE(recorded()) << Narrow(drive) << " stays in HKLM\\Software\\Wine\\Drives";
  EXPECT_TRUE(WaitUntil([] {
    return !FindWindowW(L"KRSEARCH", nullptr) && !FindWindowW(L"Afx_QZV_MAINWND_", nullptr);
  })) << "demo-undo.cmd left the program or the map application running";
  HKEY key = nullptr;
  EXPECT_NE(RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\Varnelle", 0, KEY_READ, &key), ERROR_SUCCESS);
  for (const std::wstring& gone : {kit_ + L"\\device", log_.substr(0, 3)})
    EXPECT_EQ(GetFileAttributesW(gone.c_str()), INVALID_FILE_ATTRIBUTES) << Narrow(gone);
  WSADATA wsa;  // and nobody answers on the kit's port
  SOCKET s = WSAStartup(MAKEWORD(2, 2), &wsa) ? INVALID_SOCKET : socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  sockaddr_in addr{AF_INET, htons(static_cast<u_short>(std::atoi(getenv("KARIO_DEMO_PORT")))), {{{127, 0, 0, 1}}}};
  EXPECT_NE(connect(s, reinterpret_cast<sockaddr*>(&addr), sizeof addr), 0) << "the answer server still listens";
  closesocket(s);
  WSACleanup();
}

}  // namespace
