// The coordinate entry dialog, driven in the running program: opened from the main window's command, typed into
// through messages, and judged by its message box and the map application stand-in's log of starts.
#include "resources/resource_ids.h"
#include "tests/e2e/e2e_support.h"

namespace {

class CoordinateDialog : public KarioE2e {};

TEST_F(CoordinateDialog, StartsTheMapApplicationInEitherDatumOnlyInsideJapan) {
  ASSERT_TRUE(InstallStandin());
  ASSERT_TRUE(SetRegistryDword(L"TLATV8", 128000000));  // a destination to clear
  ASSERT_NO_FATAL_FAILURE(StartKarioOrFail());
  PostCommand(main_, IDM_START_AT_COORDINATES);
  HWND dialog = nullptr;  // without a title, unlike the program's message boxes
  auto isDialog = [](HWND w) {
    return ClassNameOf(w) == L"#32770" && WindowText(w).empty() && GetDlgItem(w, IDC_LON_MS);
  };
  ASSERT_TRUE(WaitUntil([&] { return (dialog = FindTopWindow(isDialog, Pid())) != nullptr; }))
      << "the coordinate dialog did not open";
  auto type = [&](int id, const wchar_t* text) { SendMessageW(GetDlgItem(dialog, id), WM_SETTEXT, 0, (LPARAM)text); };
  auto press = [&](int id) { PostCommand(dialog, id, BN_CLICKED, GetDlgItem(dialog, id)); };
  EXPECT_FALSE(IsWindowEnabled(main_)) << "the dialog is not modal";
  press(IDOK);  // nothing typed
  MessageBoxSeen box = WaitForMessageBox(Pid());
  EXPECT_EQ(box.text, L"指定の経緯度値が正しくありません\n日本国内のみ有効です");
  EXPECT_EQ(GetWindow(box.window, GW_OWNER), dialog) << "the message is not owned by the dialog";
  EXPECT_TRUE(PressMessageBoxButton(box, IDOK));
  type(IDC_LON_MS, L"502890120");  // WGS84, the default
  type(IDC_LAT_MS, L"128482200");
  press(IDOK);
  EXPECT_EQ(WaitForStart(0),
            (std::vector<std::string>{"start", " /M_LON=502901653 /M_LAT=128470591 /M_ANGLE=0 /M_TYPE=10", "TLATV8=0",
                                      "TLONV8=0"}));
  // In the Tokyo datum the value the degree fields wrote goes through
  // unchanged; full-width digits, as a Japanese input method types them, count.
  SendMessageW(GetDlgItem(dialog, IDC_DATUM_TOKYO), BM_CLICK, 0, 0);
  for (auto t : {std::make_pair(IDC_LON_DEGREES, L"１３９"),
                 {IDC_LON_MINUTES, L"41"},
                 {IDC_LON_SECONDS, L"30"},
                 {IDC_LON_HUNDREDTHS, L"5"},
                 {IDC_LAT_DEGREES, L"35"},
                 {IDC_LAT_MINUTES, L"41"},
                 {IDC_LAT_SECONDS, L"22"},
                 {IDC_LAT_HUNDREDTHS, L"30"}})
    type(t.first, t.second);
  press(IDOK);
  EXPECT_EQ(WaitForStart(1).at(1), " /M_LON=502890500 /M_LAT=128482300 /M_ANGLE=0 /M_TYPE=10");
  EXPECT_TRUE(IsWindow(dialog)) << "the dialog closed after a start";
  press(IDCANCEL);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(dialog) && IsWindowEnabled(main_); }))
      << "Cancel did not close the dialog and give the main window back";
}

}  // namespace
