// The coordinate entry dialog, driven in the running program: opened from the
// main window's command, typed into through messages, and judged by its
// fields, its message box and the map application stand-in's log of starts.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <iterator>
#include <string>
#include <vector>

#include "resources/resource_ids.h"
#include "tests/e2e/e2e_support.h"

namespace {

const wchar_t kProgramTitle[] = L"カリオSearch";
const wchar_t kOutOfJapanMessage[] = L"指定の経緯度値が正しくありません\n日本国内のみ有効です";

const DWORD kChild = WS_CHILD | WS_VISIBLE;
const DWORD kField = kChild | WS_BORDER | WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL;
const DWORD kLabel = kChild | WS_GROUP | SS_LEFT;
const DWORD kRadio = kChild | WS_TABSTOP | BS_AUTORADIOBUTTON;

struct ControlRow {
  int id;
  const wchar_t* className;
  const wchar_t* caption;
  int x, y, width, height;  // dialog units
  DWORD style;
};

// In the order of the template, which is also the order of the tab stops and
// of the groups: the fields and the datum buttons make one group, which the
// first label ends; every label starts a group of its own.
const ControlRow kTemplate[] = {
    {IDC_LON_DEGREES, L"Edit", L"", 10, 15, 20, 12, kField},
    {IDC_LON_MINUTES, L"Edit", L"", 40, 15, 20, 12, kField},
    {IDC_LON_SECONDS, L"Edit", L"", 70, 15, 20, 12, kField},
    {IDC_LON_HUNDREDTHS, L"Edit", L"", 95, 15, 20, 12, kField},
    {IDC_LAT_DEGREES, L"Edit", L"", 10, 35, 20, 12, kField},
    {IDC_LAT_MINUTES, L"Edit", L"", 40, 35, 20, 12, kField},
    {IDC_LAT_SECONDS, L"Edit", L"", 70, 35, 20, 12, kField},
    {IDC_LAT_HUNDREDTHS, L"Edit", L"", 95, 35, 20, 12, kField},
    {IDC_LON_MS, L"Edit", L"", 10, 60, 105, 12, kField},
    {IDC_LAT_MS, L"Edit", L"", 10, 80, 105, 12, kField},
    {IDC_DATUM_WGS84, L"Button", L"世界測地", 5, 95, 50, 10, kRadio},
    {IDC_DATUM_TOKYO, L"Button", L"日本測地", 60, 95, 50, 10, kRadio},
    {0xFFFF, L"Static", L"経度(度分秒)", 5, 7, 50, 9, kLabel},
    {0xFFFF, L"Static", L"緯度(度分秒)", 5, 27, 50, 9, kLabel},
    {0xFFFF, L"Static", L"度", 30, 17, 10, 9, kLabel},
    {0xFFFF, L"Static", L"度", 30, 37, 10, 9, kLabel},
    {0xFFFF, L"Static", L"分", 60, 17, 10, 9, kLabel},
    {0xFFFF, L"Static", L"分", 60, 37, 10, 9, kLabel},
    {0xFFFF, L"Static", L"．", 90, 17, 10, 9, kLabel},
    {0xFFFF, L"Static", L"．", 90, 37, 10, 9, kLabel},
    {0xFFFF, L"Static", L"秒", 115, 17, 10, 9, kLabel},
    {0xFFFF, L"Static", L"秒", 115, 37, 10, 9, kLabel},
    {0xFFFF, L"Static", L"経度(ミリ秒)", 5, 52, 50, 9, kLabel},
    {0xFFFF, L"Static", L"緯度(ミリ秒)", 5, 72, 50, 9, kLabel},
    {IDOK, L"Button", L"OK", 87, 111, 41, 15, kChild | WS_TABSTOP | BS_DEFPUSHBUTTON},
    {IDCANCEL, L"Button", L"キャンセル", 15, 111, 41, 15, kChild | WS_TABSTOP | BS_PUSHBUTTON},
};

// One control as "id class caption x,y wxh style", for comparing whole rows.
std::string RowText(int id, const std::wstring& className, const std::wstring& caption, int x, int y, int w, int h,
                    DWORD style) {
  char numbers[96];
  std::snprintf(numbers, sizeof numbers, " %d,%d %dx%d %08lx", x, y, w, h, static_cast<unsigned long>(style));
  return std::to_string(id) + " " + Narrow(className) + " " + Narrow(caption) + numbers;
}

std::string RowText(const ControlRow& row, const wchar_t* classOrdinal) {
  return RowText(row.id, classOrdinal, row.caption, row.x, row.y, row.width, row.height, row.style);
}

const wchar_t* ClassOrdinal(const wchar_t* className) {
  return wcscmp(className, L"Button") == 0 ? L"#128" : wcscmp(className, L"Edit") == 0 ? L"#129" : L"#130";
}

// A reader of the classic dialog template, as linked into the program: every
// field is one or two little-endian words.
struct TemplateReader {
  const WORD *p, *end;
  bool ok = true;
  WORD Word() { return p < end ? *p++ : (ok = false, 0); }
  DWORD Dword() {
    DWORD low = Word();
    return low | (static_cast<DWORD>(Word()) << 16);
  }
  short Short() { return static_cast<short>(Word()); }
  // A text, or 0xFFFF and an ordinal (returned as "#<n>").
  std::wstring TextOrOrdinal() {
    WORD first = Word();
    if (first == 0xFFFF) return L"#" + std::to_wstring(Word());
    std::wstring text;
    for (WORD c = first; ok && c != 0; c = Word()) text += static_cast<wchar_t>(c);
    return text;
  }
};

TEST(CoordinateDialogTemplate, MatchesTheTableExactly) {
  HMODULE module = LoadLibraryExW(WinePathOf(KARIO_EXE_PATH).c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_NE(module, nullptr) << "cannot load the program's resources, error " << GetLastError();
  HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(IDD_COORDINATES), MAKEINTRESOURCEW(5) /* RT_DIALOG */);
  ASSERT_NE(found, nullptr) << "no dialog resource " << IDD_COORDINATES;
  const WORD* base = static_cast<const WORD*>(LockResource(LoadResource(module, found)));
  TemplateReader r{base, base + SizeofResource(module, found) / 2};
  // The header: style, extended style, count, place and size, menu, class,
  // title, then (DS_SETFONT) the font's size and face.
  DWORD style = r.Dword();
  ASSERT_NE(style & 0xFFFF0000, 0xFFFF0000u) << "an extended template, not the classic one";
  EXPECT_EQ(style, static_cast<DWORD>(WS_POPUP | WS_BORDER | DS_SETFONT)) << std::hex << style;
  EXPECT_EQ(r.Dword(), 0u);
  WORD count = r.Word();
  std::string header = std::to_string(count);
  for (int i = 0; i < 4; ++i) header += " " + std::to_string(r.Short());
  for (int i = 0; i < 3; ++i) header += " [" + Narrow(r.TextOrOrdinal()) + "]";
  header += " " + std::to_string(r.Word());
  EXPECT_EQ(header + " " + Narrow(r.TextOrOrdinal()), "26 0 0 143 140 [] [] [] 9 System");
  for (size_t i = 0; i < count && r.ok; ++i) {
    if ((r.p - base) % 2) r.Word();  // items start on a double word
    DWORD itemStyle = r.Dword();
    EXPECT_EQ(r.Dword(), 0u) << "extended style of control " << i;
    int x = r.Short(), y = r.Short(), cx = r.Short(), cy = r.Short();
    int id = r.Word();
    std::wstring className = r.TextOrOrdinal();
    std::wstring caption = r.TextOrOrdinal();
    r.p += (r.Word() + 1) / 2;  // creation data
    if (i < std::size(kTemplate)) {
      EXPECT_EQ(RowText(id, className, caption, x, y, cx, cy, itemStyle),
                RowText(kTemplate[i], ClassOrdinal(kTemplate[i].className))) << "control " << i;
    }
  }
  EXPECT_TRUE(r.ok) << "the template ends early";
  FreeLibrary(module);
}

class CoordinateDialogTest : public KarioE2e {
 protected:
  void SetUp() override {
    KarioE2e::SetUp();
    ASSERT_TRUE(InstallStandin());
    // Destination values left over from an earlier start, which a start at
    // typed coordinates must clear.
    ASSERT_TRUE(SetRegistryDword(HKEY_CURRENT_USER, kMapAppKey, L"TLATV8", 128000000));
    ASSERT_TRUE(SetRegistryDword(HKEY_CURRENT_USER, kMapAppKey, L"TLONV8", 503000000));
    ASSERT_NO_FATAL_FAILURE(StartKarioOrFail());
    ASSERT_NO_FATAL_FAILURE(OpenDialog());
  }
  void OpenDialog() {
    PostCommand(kario_.mainWindow, IDM_START_AT_COORDINATES);
    // The dialog has no title; a message box of the program has one.
    auto isDialog = [](HWND w) {
      return IsWindowVisible(w) && ClassNameOf(w) == L"#32770" && WindowText(w).empty() && GetDlgItem(w, IDC_LON_MS);
    };
    ASSERT_TRUE(WaitUntil([&] { return (dialog_ = FindTopWindow(isDialog, Pid())) != nullptr; }))
        << "the coordinate dialog did not open";
  }
  HWND Field(int id) const { return GetDlgItem(dialog_, id); }
  std::wstring FieldText(int id) const { return WindowText(Field(id)); }
  // WM_SETTEXT makes the edit control notify its dialog of the change, as
  // typing does.
  void Type(int id, const std::wstring& text) const {
    SendMessageW(Field(id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
  }
  bool Checked(int id) const { return SendMessageW(Field(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }
  // Clicks a datum button; the other one must lose its check.
  void ChooseDatum(bool tokyo) const {
    int on = tokyo ? IDC_DATUM_TOKYO : IDC_DATUM_WGS84, off = tokyo ? IDC_DATUM_WGS84 : IDC_DATUM_TOKYO;
    SendMessageW(Field(on), BM_CLICK, 0, 0);
    EXPECT_TRUE(WaitUntil([&] { return Checked(on) && !Checked(off); })) << "datum tokyo " << tokyo;
  }
  void Press(int id) const { PostCommand(dialog_, id, BN_CLICKED, Field(id)); }
  // A fresh dialog: every field empty, WGS84 checked, the focus in the first field.
  void ExpectFresh() const {
    for (const ControlRow& row : kTemplate)
      if (wcscmp(row.className, L"Edit") == 0) EXPECT_EQ(FieldText(row.id), L"") << "id " << row.id;
    EXPECT_TRUE(Checked(IDC_DATUM_WGS84));
    EXPECT_FALSE(Checked(IDC_DATUM_TOKYO));
    EXPECT_TRUE(WaitUntil([&] { return FocusOf(GetWindowThreadProcessId(dialog_, nullptr)) == Field(IDC_LON_DEGREES); }));
  }

  HWND dialog_ = nullptr;
};

// Dialog units to pixels, the way the dialog manager maps a control: the
// position and the size each on their own.
RECT DialogUnitsToPixels(const ControlRow& row, int baseX, int baseY) {
  int left = MulDiv(row.x, baseX, 4), top = MulDiv(row.y, baseY, 8);
  return RECT{left, top, left + MulDiv(row.width, baseX, 4), top + MulDiv(row.height, baseY, 8)};
}

TEST_F(CoordinateDialogTest, IsBuiltFromTheTemplateForThePortraitScreenAndOpensEmpty) {
  LONG style = GetWindowLongW(dialog_, GWL_STYLE);
  EXPECT_EQ(style & (WS_POPUP | WS_BORDER | WS_DLGFRAME), static_cast<LONG>(WS_POPUP | WS_BORDER))
      << "no caption bar of the platform's; style " << std::hex << style;
  EXPECT_EQ(WindowText(dialog_), L"");
  EXPECT_EQ(GetWindow(dialog_, GW_OWNER), kario_.mainWindow);
  EXPECT_FALSE(IsWindowEnabled(kario_.mainWindow)) << "the dialog is not modal";
  ExpectFresh();
  RECT window;
  GetWindowRect(dialog_, &window);
  EXPECT_EQ(RectText(window), RectText({0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}))
      << "the dialog covers the screen";

  std::vector<HWND> children;
  for (HWND c = GetWindow(dialog_, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) children.push_back(c);
  ASSERT_EQ(children.size(), std::size(kTemplate));
  std::vector<RECT> seen;
  for (size_t i = 0; i < children.size(); ++i) {
    const ControlRow& row = kTemplate[i];
    HWND c = children[i];
    // The edit control takes WS_BORDER out of its style and draws the border
    // itself; of a group of radio buttons only the checked one keeps WS_TABSTOP.
    const DWORD mask = ~static_cast<DWORD>(WS_BORDER | (row.style == kRadio ? WS_TABSTOP : 0));
    DWORD s = static_cast<DWORD>(GetWindowLongW(c, GWL_STYLE)) & mask;
    std::wstring cls = ClassNameOf(c);
    if (_wcsicmp(cls.c_str(), row.className) == 0) cls = row.className;
    EXPECT_EQ(RowText(GetDlgCtrlID(c), cls, WindowText(c), 0, 0, 0, 0, s),
              RowText(row.id, row.className, row.caption, 0, 0, 0, 0, row.style & mask)) << "control " << i;
    if (wcscmp(row.className, L"Edit") == 0)
      EXPECT_GE(SendMessageW(c, EM_GETLIMITTEXT, 0, 0), 30000) << "id " << row.id << " has a length limit";
    seen.push_back(ClientRectInParent(c));
  }
  // One pair of dialog base units maps every rectangle of the table exactly
  // onto what the platform made; OK and Cancel are moved afterwards.
  int matches = 0;
  for (int baseX = 4; baseX <= 40; ++baseX) {
    for (int baseY = 8; baseY <= 80; ++baseY) {
      bool all = true;
      for (size_t i = 0; i < seen.size() && all; ++i) {
        if (kTemplate[i].id != IDOK && kTemplate[i].id != IDCANCEL)
          all = RectText(DialogUnitsToPixels(kTemplate[i], baseX, baseY)) == RectText(seen[i]);
      }
      matches += all;
    }
  }
  EXPECT_GT(matches, 0) << "no dialog base units give the table's rectangles; the ms field is at "
                        << RectText(seen[8]);
  // The test screens are portrait (240x320 at scale 1): OK and Cancel go
  // below the fields.
  ASSERT_LT(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
  const int sc = E2eDisplayScale();
  EXPECT_EQ(RectText(ClientRectInParent(Field(IDOK))), RectText({170 * sc, 210 * sc, 230 * sc, 240 * sc}));
  EXPECT_EQ(RectText(ClientRectInParent(Field(IDCANCEL))), RectText({100 * sc, 210 * sc, 160 * sc, 240 * sc}));
}

TEST_F(CoordinateDialogTest, DegreeFieldsKeepTheMillisecondsFieldsUpToDate) {
  // The text typed into a field, and the ms fields' texts afterwards.
  const struct { int field; const wchar_t *text, *lonMs, *latMs; } steps[] = {
      // Degrees alone count as soon as they lie within the bounds.
      {IDC_LON_DEGREES, L"1", L"", L""},
      {IDC_LON_DEGREES, L"13", L"", L""},
      {IDC_LON_DEGREES, L"139", L"500400000", L""},
      {IDC_LON_MINUTES, L"41", L"502860000", L""},
      {IDC_LON_SECONDS, L"30", L"502890000", L""},
      {IDC_LON_HUNDREDTHS, L"5", L"502890500", L""},
      {IDC_LON_HUNDREDTHS, L"05", L"502890050", L""},
      {IDC_LON_HUNDREDTHS, L"123", L"502890120", L""},
      {IDC_LAT_DEGREES, L"35", L"502890120", L"126000000"},
      {IDC_LAT_MINUTES, L"41", L"502890120", L"128460000"},
      {IDC_LAT_SECONDS, L"22", L"502890120", L"128482000"},
      {IDC_LAT_HUNDREDTHS, L"30", L"502890120", L"128482300"},
      // Outside the bounds of its axis the ms field keeps its text: 121°59'59.99".
      {IDC_LON_DEGREES, L"121", L"502890120", L"128482300"},
      {IDC_LON_MINUTES, L"59", L"502890120", L"128482300"},
      {IDC_LON_SECONDS, L"59", L"502890120", L"128482300"},
      {IDC_LON_HUNDREDTHS, L"99", L"502890120", L"128482300"},
      // Emptying the rest of the row, then 122 degrees exactly: inside.
      {IDC_LON_MINUTES, L"", L"502890120", L"128482300"},
      {IDC_LON_SECONDS, L"", L"502890120", L"128482300"},
      {IDC_LON_HUNDREDTHS, L"", L"502890120", L"128482300"},
      {IDC_LON_DEGREES, L"122", L"439200000", L"128482300"},
      {IDC_LON_DEGREES, L"", L"439200000", L"128482300"},
      // 46 degrees exactly is written, one hundredth more is not.
      {IDC_LAT_MINUTES, L"", L"439200000", L"126022300"},
      {IDC_LAT_SECONDS, L"", L"439200000", L"126000300"},
      {IDC_LAT_HUNDREDTHS, L"", L"439200000", L"126000000"},
      {IDC_LAT_DEGREES, L"46", L"439200000", L"165600000"},
      {IDC_LAT_HUNDREDTHS, L"01", L"439200000", L"165600000"},
      {IDC_LAT_DEGREES, L"45", L"439200000", L"162000010"},
      {IDC_LAT_DEGREES, L"46", L"439200000", L"162000010"},
      {IDC_LAT_HUNDREDTHS, L"", L"439200000", L"165600000"},
      // Degrees that overflow 32 bits and would wrap around onto a value
      // inside the bounds (1228 degrees wrap onto 34.95 degrees) change nothing.
      {IDC_LAT_DEGREES, L"1228", L"439200000", L"165600000"},
      {IDC_LON_DEGREES, L"1332", L"439200000", L"165600000"},
      {IDC_LON_DEGREES, L"99999999999", L"439200000", L"165600000"},
      // An ms field takes any text and writes nothing back.
      {IDC_LON_MS, L"abc 123", L"abc 123", L"165600000"},
  };
  for (const auto& step : steps) {
    Type(step.field, step.text);
    EXPECT_EQ(Narrow(FieldText(IDC_LON_MS)) + " " + Narrow(FieldText(IDC_LAT_MS)),
              Narrow(step.lonMs) + " " + Narrow(step.latMs))
        << "after typing \"" << Narrow(step.text) << "\" into field " << step.field;
  }
  EXPECT_EQ(FieldText(IDC_LON_DEGREES), L"99999999999");
}

TEST_F(CoordinateDialogTest, OkStartsTheMapApplicationInEitherDatumAndStaysOpen) {
  Type(IDC_LON_MS, L"502890120");
  Type(IDC_LAT_MS, L"128482200");
  Press(IDOK);
  StandinLogLine start = WaitForStart(0);
  ASSERT_EQ(start.kind, "start") << "the map application was not started";
  ASSERT_TRUE(WaitUntil([] { return FindMapWindow() != nullptr; })) << "the stand-in shows no window";
  EXPECT_EQ(start.commandLine, " /M_LON=502901653 /M_LAT=128470591 /M_ANGLE=0 /M_TYPE=10");
  // A start at typed coordinates clears an earlier destination.
  EXPECT_EQ(start.tlat, "0");
  EXPECT_EQ(start.tlon, "0");
  EXPECT_TRUE(IsWindow(dialog_)) << "the dialog closed after a start";

  // In the Tokyo datum the value the degree fields wrote goes through
  // unchanged; the running stand-in is closed and started again.
  ChooseDatum(true);
  const std::pair<int, const wchar_t*> typed[] = {
      {IDC_LON_DEGREES, L"139"}, {IDC_LON_MINUTES, L"41"}, {IDC_LON_SECONDS, L"30"}, {IDC_LON_HUNDREDTHS, L"5"},
      {IDC_LAT_DEGREES, L"35"},  {IDC_LAT_MINUTES, L"41"}, {IDC_LAT_SECONDS, L"22"}, {IDC_LAT_HUNDREDTHS, L"30"}};
  for (const auto& t : typed) Type(t.first, t.second);
  Press(IDOK);
  EXPECT_EQ(WaitForStart(1).commandLine, " /M_LON=502890500 /M_LAT=128482300 /M_ANGLE=0 /M_TYPE=10")
      << "the map application was not started again";
  EXPECT_EQ(CountLog(ReadStandinLog(), "end"), 1u) << "the first stand-in was not told to end";
  EXPECT_TRUE(IsWindow(dialog_));
  EXPECT_EQ(FieldText(IDC_LON_MS), L"502890500") << "the fields keep their text between starts";
  EXPECT_TRUE(Checked(IDC_DATUM_TOKYO));
}

TEST_F(CoordinateDialogTest, ValuesOutsideJapanShowTheRangeMessageAndStartNothing) {
  const struct { bool tokyo; const wchar_t *lon, *lat; } cases[] = {
      {false, L"", L""},
      {true, L"", L""},
      {true, L"439199999", L"128482200"},
      {true, L"502890120", L"165600001"},
      {true, L"4797857416", L"128482200"},  // past 32 bits: no wrap into Japan
      {false, L"abc", L"128482200"},
  };
  for (const auto& c : cases) {
    ChooseDatum(c.tokyo);
    Type(IDC_LON_MS, c.lon);
    Type(IDC_LAT_MS, c.lat);
    Press(IDOK);
    MessageBoxSeen box = WaitForMessageBox(Pid(), kProgramTitle);
    ASSERT_NE(box.window, nullptr) << "no message for " << Narrow(c.lon) << " " << Narrow(c.lat) << ", tokyo " << c.tokyo;
    EXPECT_EQ(box.text, kOutOfJapanMessage);
    EXPECT_EQ(box.buttons, std::vector<std::wstring>{L"OK"});
    EXPECT_EQ(GetWindow(box.window, GW_OWNER), dialog_) << "the message is not owned by the dialog";
    EXPECT_TRUE(PressMessageBoxButton(box, IDOK));
    EXPECT_TRUE(IsWindow(dialog_));
    EXPECT_EQ(FieldText(IDC_LON_MS), c.lon) << "the fields keep their text";
  }
  EXPECT_EQ(StandinStarts().size(), 0u) << "something was started";
}

TEST_F(CoordinateDialogTest, TheTitleBarDoneButtonIsOk) {
  // Both fields empty, so OK answers with the range message.  The button is
  // the right end of the bar above the client area; click it like a user,
  // once the dialog is in front and covers the screen.
  const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
  ASSERT_TRUE(WaitUntil([&] {
    RECT w;
    GetWindowRect(dialog_, &w);
    return GetForegroundWindow() == dialog_ && w.right == width;
  })) << "the dialog is not in front";
  POINT target{0, 0};
  ClientToScreen(dialog_, &target);
  int bar = GetSystemMetrics(SM_CYCAPTION);
  target.x += ClientOf(dialog_).right - bar;
  target.y -= bar / 2;
  ASSERT_GT(target.y, 0);
  // Move first and wait until the pointer is there: a button press sent in
  // the same breath may still be placed at the old position.  Absolute
  // positions run from 0 to 65535 over the screen.
  INPUT input[3] = {};
  for (INPUT& i : input) i.type = INPUT_MOUSE;
  input[0].mi.dx = MulDiv(target.x, 65535, width - 1);
  input[0].mi.dy = MulDiv(target.y, 65535, height - 1);
  input[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  input[1].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  input[2].mi.dwFlags = MOUSEEVENTF_LEFTUP;
  ASSERT_EQ(SendInput(1, &input[0], sizeof(INPUT)), 1u);
  ASSERT_TRUE(WaitUntil([&] {
    POINT now;
    GetCursorPos(&now);
    return now.x == target.x && now.y == target.y;
  })) << "the pointer did not reach " << target.x << "," << target.y;
  ASSERT_EQ(SendInput(2, &input[1], sizeof(INPUT)), 2u);
  MessageBoxSeen box = WaitForMessageBox(Pid(), kProgramTitle);
  ASSERT_NE(box.window, nullptr) << "clicking at " << target.x << "," << target.y << " did not act as OK";
  EXPECT_EQ(box.text, kOutOfJapanMessage);
  EXPECT_TRUE(PressMessageBoxButton(box, IDOK));
  EXPECT_TRUE(IsWindow(dialog_));
}

TEST_F(CoordinateDialogTest, CancelClosesTheDialogAndANewOneStartsEmpty) {
  Type(IDC_LON_DEGREES, L"139");
  ChooseDatum(true);
  Press(IDCANCEL);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dialog_); })) << "Cancel did not close the dialog";
  EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(kario_.mainWindow) != FALSE; }));
  EXPECT_EQ(StandinStarts().size(), 0u);
  ASSERT_NO_FATAL_FAILURE(OpenDialog());
  ExpectFresh();
}

}  // namespace
