// The coordinate entry dialog, driven in the running program: opened from the
// main window's command, typed into through messages, and judged by its
// fields, its message box and the map application stand-in's log of starts.
#include <set>

#include "resources/resource_ids.h"
#include "tests/e2e/e2e_support.h"

namespace {

class CoordinateDialog : public KarioE2e {
 protected:
  void SetUp() override {
    KarioE2e::SetUp();
    ASSERT_TRUE(InstallStandin());
    // A destination left from an earlier start, which these starts must clear.
    ASSERT_TRUE(SetRegistryDword(L"TLATV8", 128000000) && SetRegistryDword(L"TLONV8", 503000000));
    ASSERT_NO_FATAL_FAILURE(StartKarioOrFail());
    PostCommand(main_, IDM_START_AT_COORDINATES);
    // The dialog has no title; a message box of the program has one.
    auto isDialog = [](HWND w) {
      return IsWindowVisible(w) && ClassNameOf(w) == L"#32770" && WindowText(w).empty() && GetDlgItem(w, IDC_LON_MS);
    };
    ASSERT_TRUE(WaitUntil([&] { return (dialog_ = FindTopWindow(isDialog, Pid())) != nullptr; }));
  }
  HWND Field(int id) const { return GetDlgItem(dialog_, id); }
  // WM_SETTEXT makes the edit control notify its dialog, as typing does.
  void Type(int id, const wchar_t* text) const { SendMessageW(Field(id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text)); }
  void Press(int id) const { PostCommand(dialog_, id, BN_CLICKED, Field(id)); }
  HWND dialog_ = nullptr;
};

TEST_F(CoordinateDialog, CoversTheScreenModallyWithItsControlsApartAndTheButtonsBelow) {
  EXPECT_FALSE(IsWindowEnabled(main_)) << "the dialog is not modal";
  EXPECT_TRUE(WaitUntil([&] { return FocusOf(dialog_) == Field(IDC_LON_DEGREES); }));
  EXPECT_EQ(SendMessageW(Field(IDC_DATUM_WGS84), BM_GETCHECK, 0, 0), BST_CHECKED);
  RECT window{}, client{}, both{};
  GetWindowRect(dialog_, &window);
  GetClientRect(dialog_, &client);
  EXPECT_EQ(RectText(window), RectText({0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}));
  // Inside the client area, the controls apart and each id once, and on the
  // portrait screen OK and Cancel below every field.
  std::vector<RECT> seen;
  std::set<int> ids;
  LONG fieldsEnd = 0;
  for (HWND c = GetWindow(dialog_, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
    const int id = GetDlgCtrlID(c);
    RECT r = ClientRectInParent(c);
    SCOPED_TRACE(testing::Message() << "control " << id << " at " << RectText(r));
    EXPECT_TRUE(r.left >= 0 && r.top >= 0 && r.right <= client.right && r.bottom <= client.bottom);
    if (id == 0xFFFF) continue;  // a label may reach into its field
    EXPECT_TRUE(ids.insert(id).second);
    for (const RECT& other : seen) EXPECT_FALSE(IntersectRect(&both, &r, &other)) << RectText(other);
    seen.push_back(r);
    if (id != IDOK && id != IDCANCEL) fieldsEnd = std::max(fieldsEnd, r.bottom);
  }
  EXPECT_EQ(ids.size(), 14u);
  EXPECT_GT(std::min(ClientRectInParent(Field(IDOK)).top, ClientRectInParent(Field(IDCANCEL)).top), fieldsEnd);
}

TEST_F(CoordinateDialog, OkStartsTheMapApplicationInEitherDatumOnlyInsideJapanAndStaysOpen) {
  Press(IDOK);  // nothing typed
  MessageBoxSeen box = WaitForMessageBox(Pid());
  EXPECT_EQ(box.text, L"指定の経緯度値が正しくありません\n日本国内のみ有効です");
  EXPECT_EQ(GetWindow(box.window, GW_OWNER), dialog_) << "the message is not owned by the dialog";
  EXPECT_TRUE(PressMessageBoxButton(box, IDOK));
  Type(IDC_LON_MS, L"502890120");
  Type(IDC_LAT_MS, L"128482200");
  Press(IDOK);
  EXPECT_EQ(WaitForStart(0), (std::vector<std::string>{"start", " /M_LON=502901653 /M_LAT=128470591 /M_ANGLE=0 /M_TYPE=10",
                                                      "TLATV8=0", "TLONV8=0"}));
  // In the Tokyo datum the value the degree fields wrote goes through unchanged.
  SendMessageW(Field(IDC_DATUM_TOKYO), BM_CLICK, 0, 0);
  for (auto t : {std::make_pair(IDC_LON_DEGREES, L"139"), {IDC_LON_MINUTES, L"41"}, {IDC_LON_SECONDS, L"30"},
                 {IDC_LON_HUNDREDTHS, L"5"}, {IDC_LAT_DEGREES, L"35"}, {IDC_LAT_MINUTES, L"41"},
                 {IDC_LAT_SECONDS, L"22"}, {IDC_LAT_HUNDREDTHS, L"30"}})
    Type(t.first, t.second);
  EXPECT_EQ(Narrow(WindowText(Field(IDC_LON_MS)) + L" " + WindowText(Field(IDC_LAT_MS))), "502890500 128482300");
  Press(IDOK);
  std::vector<std::string> start = WaitForStart(1);
  EXPECT_EQ(start.size() > 1 ? start[1] : "none", " /M_LON=502890500 /M_LAT=128482300 /M_ANGLE=0 /M_TYPE=10");
  EXPECT_TRUE(IsWindow(dialog_)) << "the dialog closed after a start";
  Press(IDCANCEL);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(dialog_) && IsWindowEnabled(main_); }));
}

}  // namespace
