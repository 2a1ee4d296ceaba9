// The coordinate entry dialog, driven in the running program: opened from the
// main window's command, typed into through messages, and judged by its
// fields, its message box and the map application stand-in's log of starts.
#include <windows.h>

#include <gtest/gtest.h>

#include <iterator>
#include <string>
#include <vector>

#include "resources/resource_ids.h"
#include "tests/e2e/e2e_support.h"
#include "tests/e2e/maplink_test_support.h"

namespace {

const wchar_t kProgramTitle[] = L"カリオSearch";
const wchar_t kOutOfJapanMessage[] = L"指定の経緯度値が正しくありません\n日本国内のみ有効です";

// --- The stand-in map application ---------------------------------------------

// The command lines of the stand-in's starts, in order, with the destination
// values it found when it started.
std::vector<StandinLogLine> StandInStarts() {
  std::vector<StandinLogLine> starts;
  for (const StandinLogLine& line : ReadStandinLog()) {
    if (line.kind == "start") starts.push_back(line);
  }
  return starts;
}

// --- Finding the dialog ---------------------------------------------------------

struct DialogSearch {
  DWORD processId;
  HWND found;
};

BOOL CALLBACK MatchCoordinateDialog(HWND w, LPARAM param) {
  auto* search = reinterpret_cast<DialogSearch*>(param);
  DWORD pid = 0;
  GetWindowThreadProcessId(w, &pid);
  if (pid != search->processId || !IsWindowVisible(w) || ClassNameOf(w) != L"#32770") return TRUE;
  // The dialog has no title; a message box of the program has one.
  if (!WindowText(w).empty() || !GetDlgItem(w, IDC_LON_MS)) return TRUE;
  search->found = w;
  return FALSE;
}

HWND FindCoordinateDialog(DWORD processId) {
  DialogSearch search{processId, nullptr};
  EnumWindows(MatchCoordinateDialog, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

bool EndsWith(const std::string& text, const std::string& end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

int Scale() { return E2eDisplayScale(); }

class CoordinateDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetDevice();
    standIn_ = InstallStandin();
    // Destination values left over from an earlier start, which a start at
    // typed coordinates must clear.
    ASSERT_TRUE(SetRegistryDword(HKEY_CURRENT_USER, kMapAppKey, L"TLATV8", 128000000));
    ASSERT_TRUE(SetRegistryDword(HKEY_CURRENT_USER, kMapAppKey, L"TLONV8", 503000000));
    program_ = StartKario();
    ASSERT_NE(program_.mainWindow, nullptr) << "the program did not show its main window";
    PostCommand(program_.mainWindow, IDM_START_AT_COORDINATES);
    ASSERT_TRUE(WaitUntil([&] { return (dialog_ = FindCoordinateDialog(pid())) != nullptr; }))
        << "the coordinate dialog did not open";
  }

  void TearDown() override {
    KillProgram(&program_);
    KillStandins();
  }

  DWORD pid() const { return program_.process.dwProcessId; }
  HWND Field(int id) const { return GetDlgItem(dialog_, id); }
  std::wstring FieldText(int id) const { return WindowText(Field(id)); }
  // WM_SETTEXT makes the edit control notify its dialog of the change, as
  // typing does.
  void Type(int id, const std::wstring& text) const {
    SendMessageW(Field(id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
  }
  bool Checked(int id) const { return SendMessageW(Field(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }
  void Press(int id) const { PostCommand(dialog_, id, BN_CLICKED, Field(id)); }
  // Waits until the stand-in has logged `count` starts.
  bool WaitForStarts(size_t count) const {
    return WaitUntil([&] { return StandInStarts().size() >= count; }, 15000);
  }

  RunningProgram program_;
  HWND dialog_ = nullptr;
  bool standIn_ = false;  // the map application stand-in is installed
};

// --- The template ------------------------------------------------------------------

struct ControlRow {
  int id;
  const wchar_t* className;
  const wchar_t* caption;
  int x, y, width, height;  // dialog units
};

// In the order of the template, which is also the order of the tab stops and
// of the groups.
const ControlRow kTemplate[] = {
    {IDC_LON_DEGREES, L"Edit", L"", 10, 15, 20, 12},
    {IDC_LON_MINUTES, L"Edit", L"", 40, 15, 20, 12},
    {IDC_LON_SECONDS, L"Edit", L"", 70, 15, 20, 12},
    {IDC_LON_HUNDREDTHS, L"Edit", L"", 95, 15, 20, 12},
    {IDC_LAT_DEGREES, L"Edit", L"", 10, 35, 20, 12},
    {IDC_LAT_MINUTES, L"Edit", L"", 40, 35, 20, 12},
    {IDC_LAT_SECONDS, L"Edit", L"", 70, 35, 20, 12},
    {IDC_LAT_HUNDREDTHS, L"Edit", L"", 95, 35, 20, 12},
    {IDC_LON_MS, L"Edit", L"", 10, 60, 105, 12},
    {IDC_LAT_MS, L"Edit", L"", 10, 80, 105, 12},
    {IDC_DATUM_WGS84, L"Button", L"世界測地", 5, 95, 50, 10},
    {IDC_DATUM_TOKYO, L"Button", L"日本測地", 60, 95, 50, 10},
    {0xFFFF, L"Static", L"経度(度分秒)", 5, 7, 50, 9},
    {0xFFFF, L"Static", L"緯度(度分秒)", 5, 27, 50, 9},
    {0xFFFF, L"Static", L"度", 30, 17, 10, 9},
    {0xFFFF, L"Static", L"度", 30, 37, 10, 9},
    {0xFFFF, L"Static", L"分", 60, 17, 10, 9},
    {0xFFFF, L"Static", L"分", 60, 37, 10, 9},
    {0xFFFF, L"Static", L"．", 90, 17, 10, 9},
    {0xFFFF, L"Static", L"．", 90, 37, 10, 9},
    {0xFFFF, L"Static", L"秒", 115, 17, 10, 9},
    {0xFFFF, L"Static", L"秒", 115, 37, 10, 9},
    {0xFFFF, L"Static", L"経度(ミリ秒)", 5, 52, 50, 9},
    {0xFFFF, L"Static", L"緯度(ミリ秒)", 5, 72, 50, 9},
    {IDOK, L"Button", L"OK", 87, 111, 41, 15},
    {IDCANCEL, L"Button", L"キャンセル", 15, 111, 41, 15},
};

bool SameClass(const std::wstring& a, const wchar_t* b) { return CompareStringOrdinal(a.c_str(), -1, b, -1, TRUE) == CSTR_EQUAL; }
bool SameClassName(const wchar_t* a, const wchar_t* b) { return SameClass(a, b); }

// Dialog units to pixels, the way the dialog manager maps a control: the
// position and the size each on their own.
RECT DialogUnitsToPixels(const ControlRow& row, int baseX, int baseY) {
  int left = MulDiv(row.x, baseX, 4);
  int top = MulDiv(row.y, baseY, 8);
  return RECT{left, top, left + MulDiv(row.width, baseX, 4), top + MulDiv(row.height, baseY, 8)};
}

bool SameRect(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

// A reader of the classic dialog template, for the resource as linked into
// the program.
struct TemplateReader {
  const BYTE* p;
  const BYTE* end;
  bool ok = true;
  WORD Word() {
    if (p + 2 > end) { ok = false; return 0; }
    WORD w = static_cast<WORD>(p[0] | (p[1] << 8));
    p += 2;
    return w;
  }
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
  void AlignToDword(const BYTE* base) {
    while ((p - base) % 4 != 0) ++p;
  }
};

struct TemplateItem {
  DWORD style;
  DWORD exStyle;
  int x, y, cx, cy;
  int id;
  std::wstring className;  // "#128" button, "#129" edit, "#130" static
  std::wstring caption;
};

TEST(CoordinateDialogTemplate, MatchesTheTableExactly) {
  std::wstring exe = WinePathOf(KARIO_EXE_PATH);
  HMODULE module = LoadLibraryExW(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_NE(module, nullptr) << "cannot load the program's resources, error " << GetLastError();
  HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(IDD_COORDINATES), MAKEINTRESOURCEW(5) /* RT_DIALOG */);
  ASSERT_NE(found, nullptr) << "no dialog resource " << IDD_COORDINATES;
  const BYTE* base = static_cast<const BYTE*>(LockResource(LoadResource(module, found)));
  TemplateReader r{base, base + SizeofResource(module, found)};

  DWORD style = r.Dword();
  DWORD exStyle = r.Dword();
  WORD count = r.Word();
  short x = r.Short(), y = r.Short(), cx = r.Short(), cy = r.Short();
  std::wstring menu = r.TextOrOrdinal();
  std::wstring className = r.TextOrOrdinal();
  std::wstring title = r.TextOrOrdinal();
  ASSERT_NE(style & 0xFFFF0000, 0xFFFF0000) << "an extended template, not the classic one";
  EXPECT_EQ(style & ~DS_SETFONT, static_cast<DWORD>(WS_POPUP | WS_BORDER)) << std::hex << style;
  EXPECT_TRUE(style & DS_SETFONT);
  EXPECT_EQ(exStyle, 0u);
  EXPECT_EQ(count, std::size(kTemplate));
  EXPECT_EQ(cx, 143);
  EXPECT_EQ(cy, 140);
  EXPECT_EQ(x, 0);
  EXPECT_EQ(y, 0);
  EXPECT_EQ(menu, L"");
  EXPECT_EQ(className, L"");
  EXPECT_EQ(title, L"");
  WORD points = r.Word();
  std::wstring face = r.TextOrOrdinal();
  EXPECT_EQ(points, 9);
  EXPECT_EQ(face, L"System");

  std::vector<TemplateItem> items;
  for (WORD i = 0; i < count && r.ok; ++i) {
    r.AlignToDword(base);
    TemplateItem item{};
    item.style = r.Dword();
    item.exStyle = r.Dword();
    item.x = r.Short();
    item.y = r.Short();
    item.cx = r.Short();
    item.cy = r.Short();
    item.id = r.Word();
    item.className = r.TextOrOrdinal();
    item.caption = r.TextOrOrdinal();
    WORD extra = r.Word();
    r.p += extra;
    items.push_back(item);
  }
  ASSERT_TRUE(r.ok) << "the template ends early";
  ASSERT_EQ(items.size(), std::size(kTemplate));

  const DWORD kChild = WS_CHILD | WS_VISIBLE;
  for (size_t i = 0; i < items.size(); ++i) {
    const ControlRow& row = kTemplate[i];
    const TemplateItem& item = items[i];
    EXPECT_EQ(item.id, row.id) << "control " << i;
    EXPECT_EQ(item.caption, row.caption) << "control " << i;
    EXPECT_EQ(item.x, row.x) << "control " << i;
    EXPECT_EQ(item.y, row.y) << "control " << i;
    EXPECT_EQ(item.cx, row.width) << "control " << i;
    EXPECT_EQ(item.cy, row.height) << "control " << i;
    EXPECT_EQ(item.exStyle, 0u) << "control " << i;
    DWORD expected = 0;
    std::wstring expectedClass;
    if (SameClassName(row.className, L"Edit")) {
      expectedClass = L"#129";
      expected = kChild | WS_BORDER | WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL;
    } else if (SameClassName(row.className, L"Static")) {
      expectedClass = L"#130";
      expected = kChild | WS_GROUP | SS_LEFT;
    } else if (row.id == IDOK) {
      expectedClass = L"#128";
      expected = kChild | WS_TABSTOP | BS_DEFPUSHBUTTON;
    } else if (row.id == IDCANCEL) {
      expectedClass = L"#128";
      expected = kChild | WS_TABSTOP | BS_PUSHBUTTON;
    } else {
      expectedClass = L"#128";
      expected = kChild | WS_TABSTOP | BS_AUTORADIOBUTTON;
    }
    EXPECT_EQ(item.className, expectedClass) << "control " << i;
    EXPECT_EQ(item.style, expected) << "control " << i << " id " << row.id << std::hex << ": " << item.style
                                    << " instead of " << expected;
  }
  FreeLibrary(module);
}

TEST_F(CoordinateDialogTest, IsBuiltFromTheTemplate) {
  LONG style = GetWindowLongW(dialog_, GWL_STYLE);
  EXPECT_TRUE(style & WS_POPUP) << std::hex << style;
  EXPECT_TRUE(style & WS_BORDER) << std::hex << style;
  EXPECT_FALSE(style & WS_DLGFRAME) << "the dialog has a caption bar of the platform's, style " << std::hex << style;
  EXPECT_EQ(WindowText(dialog_), L"");
  EXPECT_EQ(GetWindow(dialog_, GW_OWNER), program_.mainWindow);
  EXPECT_FALSE(IsWindowEnabled(program_.mainWindow)) << "the dialog is not modal";

  std::vector<HWND> children;
  for (HWND c = GetWindow(dialog_, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) children.push_back(c);
  ASSERT_EQ(children.size(), std::size(kTemplate));

  std::vector<RECT> seen;
  for (size_t i = 0; i < children.size(); ++i) {
    const ControlRow& row = kTemplate[i];
    HWND c = children[i];
    LONG s = GetWindowLongW(c, GWL_STYLE);
    EXPECT_EQ(GetDlgCtrlID(c), row.id) << "control " << i;
    EXPECT_TRUE(SameClass(ClassNameOf(c), row.className)) << "control " << i << " is a " << ClassNameOf(c);
    EXPECT_EQ(WindowText(c), row.caption) << "control " << i << " id " << row.id;
    bool field = SameClass(ClassNameOf(c), L"Edit");
    bool radio = row.id == IDC_DATUM_WGS84 || row.id == IDC_DATUM_TOKYO;
    bool label = row.id == 0xFFFF;
    if (field) {
      // (The edit control takes WS_BORDER out of its style and draws the
      // border itself; the template test sees the bit.)
      EXPECT_TRUE(s & WS_TABSTOP) << "id " << row.id;
      EXPECT_TRUE(s & ES_AUTOHSCROLL) << "id " << row.id;
      EXPECT_FALSE(s & ES_NUMBER) << "id " << row.id;
      EXPECT_EQ(SendMessageW(c, EM_GETLIMITTEXT, 0, 0) >= 30000, true) << "id " << row.id << " has a length limit";
    }
    if (radio) EXPECT_EQ(s & BS_TYPEMASK, BS_AUTORADIOBUTTON) << "id " << row.id;
    // The fields and the datum buttons make one group, which the first label
    // ends; every label starts a group of its own.
    if (label) EXPECT_TRUE(s & WS_GROUP) << "label " << i;
    if ((field || radio) && i > 0) EXPECT_FALSE(s & WS_GROUP) << "id " << row.id;
    if (row.id == IDOK) EXPECT_EQ(s & BS_TYPEMASK, BS_DEFPUSHBUTTON);
    if (row.id == IDCANCEL) EXPECT_EQ(s & BS_TYPEMASK, BS_PUSHBUTTON);
    seen.push_back(ClientRectInParent(c));
  }

  // One pair of dialog base units maps every rectangle of the table exactly
  // onto what the platform made (OK and Cancel are moved afterwards, so only
  // their size counts).
  int matches = 0;
  for (int baseX = 4; baseX <= 40; ++baseX) {
    for (int baseY = 8; baseY <= 80; ++baseY) {
      bool all = true;
      for (size_t i = 0; i < seen.size() && all; ++i) {
        RECT want = DialogUnitsToPixels(kTemplate[i], baseX, baseY);
        if (kTemplate[i].id == IDOK || kTemplate[i].id == IDCANCEL) continue;
        all = SameRect(want, seen[i]);
      }
      if (all) ++matches;
    }
  }
  EXPECT_GT(matches, 0) << "no dialog base units give the table's rectangles; the ms field is at "
                        << seen[8].left << "," << seen[8].top << "-" << seen[8].right << "," << seen[8].bottom;
}

TEST_F(CoordinateDialogTest, OpensEmptyWithWgs84CheckedAndTheFocusInTheFirstField) {
  for (const ControlRow& row : kTemplate) {
    if (SameClass(row.className, L"Edit")) EXPECT_EQ(FieldText(row.id), L"") << "id " << row.id;
  }
  EXPECT_TRUE(Checked(IDC_DATUM_WGS84));
  EXPECT_FALSE(Checked(IDC_DATUM_TOKYO));
  DWORD thread = GetWindowThreadProcessId(dialog_, nullptr);
  EXPECT_EQ(FocusOf(thread), Field(IDC_LON_DEGREES));
  // The dialog covers the screen.
  RECT r;
  GetWindowRect(dialog_, &r);
  EXPECT_EQ(r.left, 0);
  EXPECT_EQ(r.top, 0);
  EXPECT_EQ(r.right, GetSystemMetrics(SM_CXSCREEN));
  EXPECT_EQ(r.bottom, GetSystemMetrics(SM_CYSCREEN));
}

TEST_F(CoordinateDialogTest, CheckingOneDatumUnchecksTheOther) {
  SendMessageW(Field(IDC_DATUM_TOKYO), BM_CLICK, 0, 0);
  EXPECT_TRUE(WaitUntil([&] { return Checked(IDC_DATUM_TOKYO); }));
  EXPECT_FALSE(Checked(IDC_DATUM_WGS84));
  SendMessageW(Field(IDC_DATUM_WGS84), BM_CLICK, 0, 0);
  EXPECT_TRUE(WaitUntil([&] { return Checked(IDC_DATUM_WGS84); }));
  EXPECT_FALSE(Checked(IDC_DATUM_TOKYO));
}

// --- Degrees, minutes, seconds and hundredths into ms ------------------------------

struct TypingStep {
  int field;
  const wchar_t* text;
  int msField;
  const wchar_t* expected;  // the ms field's text afterwards
};

TEST_F(CoordinateDialogTest, DegreeFieldsKeepTheMillisecondsFieldsUpToDate) {
  const TypingStep steps[] = {
      // Degrees alone count as soon as they lie within the bounds.
      {IDC_LON_DEGREES, L"1", IDC_LON_MS, L""},
      {IDC_LON_DEGREES, L"13", IDC_LON_MS, L""},
      {IDC_LON_DEGREES, L"139", IDC_LON_MS, L"500400000"},
      {IDC_LON_MINUTES, L"41", IDC_LON_MS, L"502860000"},
      {IDC_LON_SECONDS, L"30", IDC_LON_MS, L"502890000"},
      {IDC_LON_HUNDREDTHS, L"5", IDC_LON_MS, L"502890500"},
      {IDC_LON_HUNDREDTHS, L"05", IDC_LON_MS, L"502890050"},
      {IDC_LON_HUNDREDTHS, L"123", IDC_LON_MS, L"502890120"},
      // The latitude row does not touch the longitude's ms field.
      {IDC_LAT_DEGREES, L"35", IDC_LON_MS, L"502890120"},
      {IDC_LAT_MINUTES, L"41", IDC_LAT_MS, L"128460000"},
      {IDC_LAT_SECONDS, L"22", IDC_LAT_MS, L"128482000"},
      {IDC_LAT_HUNDREDTHS, L"30", IDC_LAT_MS, L"128482300"},
      // Outside the bounds of its axis the ms field keeps its text: 121°59'59.99".
      {IDC_LON_DEGREES, L"121", IDC_LON_MS, L"502890120"},
      {IDC_LON_MINUTES, L"59", IDC_LON_MS, L"502890120"},
      {IDC_LON_SECONDS, L"59", IDC_LON_MS, L"502890120"},
      {IDC_LON_HUNDREDTHS, L"99", IDC_LON_MS, L"502890120"},
      // Emptying the rest of the row, then 122 degrees exactly: inside.
      {IDC_LON_MINUTES, L"", IDC_LON_MS, L"502890120"},
      {IDC_LON_SECONDS, L"", IDC_LON_MS, L"502890120"},
      {IDC_LON_HUNDREDTHS, L"", IDC_LON_MS, L"502890120"},
      {IDC_LON_DEGREES, L"122", IDC_LON_MS, L"439200000"},
      {IDC_LON_DEGREES, L"", IDC_LON_MS, L"439200000"},
      // 46 degrees exactly is written, one hundredth more is not.
      {IDC_LAT_MINUTES, L"", IDC_LAT_MS, L"126022300"},
      {IDC_LAT_SECONDS, L"", IDC_LAT_MS, L"126000300"},
      {IDC_LAT_HUNDREDTHS, L"", IDC_LAT_MS, L"126000000"},
      {IDC_LAT_DEGREES, L"46", IDC_LAT_MS, L"165600000"},
      {IDC_LAT_HUNDREDTHS, L"01", IDC_LAT_MS, L"165600000"},
      {IDC_LAT_DEGREES, L"45", IDC_LAT_MS, L"162000010"},
      {IDC_LAT_DEGREES, L"46", IDC_LAT_MS, L"162000010"},
      {IDC_LAT_HUNDREDTHS, L"", IDC_LAT_MS, L"165600000"},
      // Degrees that overflow 32 bits and would wrap around onto a value
      // inside the bounds (1228 degrees wrap onto 34.95 degrees) change nothing.
      {IDC_LAT_DEGREES, L"1228", IDC_LAT_MS, L"165600000"},
      {IDC_LON_DEGREES, L"1332", IDC_LON_MS, L"439200000"},
      {IDC_LON_DEGREES, L"99999999999", IDC_LON_MS, L"439200000"},
  };
  for (const TypingStep& step : steps) {
    Type(step.field, step.text);
    EXPECT_EQ(FieldText(step.msField), step.expected)
        << "after typing into field " << step.field << " (" << wcslen(step.text) << " characters)";
  }
}

TEST_F(CoordinateDialogTest, MillisecondsFieldsTakeAnyText) {
  // Typing directly into an ms field changes nothing else.
  Type(IDC_LON_MS, L"abc 123");
  Type(IDC_LAT_MS, L"128482200");
  EXPECT_EQ(FieldText(IDC_LON_MS), L"abc 123");
  EXPECT_EQ(FieldText(IDC_LAT_MS), L"128482200");
  EXPECT_EQ(FieldText(IDC_LON_DEGREES), L"");
}

// --- OK --------------------------------------------------------------------------------

TEST_F(CoordinateDialogTest, OkStartsTheMapApplicationInEitherDatumAndStaysOpen) {
  ASSERT_TRUE(standIn_) << "the map application stand-in is not built";
  Type(IDC_LON_MS, L"502890120");
  Type(IDC_LAT_MS, L"128482200");
  Press(IDOK);
  ASSERT_TRUE(WaitForStarts(1)) << "the map application was not started";
  ASSERT_TRUE(WaitUntil([] { return FindMapWindow() != nullptr; })) << "the stand-in shows no window";
  StandinLogLine start = StandInStarts()[0];
  EXPECT_TRUE(EndsWith(start.commandLine, " /M_LON=502901653 /M_LAT=128470591 /M_ANGLE=0 /M_TYPE=10"))
      << start.commandLine;
  // A start at typed coordinates clears an earlier destination.
  EXPECT_EQ(start.tlat, "0");
  EXPECT_EQ(start.tlon, "0");
  EXPECT_TRUE(IsWindow(dialog_)) << "the dialog closed after a start";

  // The same numbers in the Tokyo datum go through unchanged; the running
  // stand-in is closed and started again.
  SendMessageW(Field(IDC_DATUM_TOKYO), BM_CLICK, 0, 0);
  ASSERT_TRUE(WaitUntil([&] { return Checked(IDC_DATUM_TOKYO); }));
  Press(IDOK);
  ASSERT_TRUE(WaitForStarts(2)) << "the map application was not started again";
  EXPECT_TRUE(EndsWith(StandInStarts()[1].commandLine, " /M_LON=502890120 /M_LAT=128482200 /M_ANGLE=0 /M_TYPE=10"))
      << StandInStarts()[1].commandLine;
  EXPECT_EQ(CountLog(ReadStandinLog(), "end"), 1u) << "the first stand-in was not told to end";
  EXPECT_TRUE(IsWindow(dialog_));
  EXPECT_EQ(FieldText(IDC_LON_MS), L"502890120") << "the fields keep their text between starts";
  EXPECT_TRUE(Checked(IDC_DATUM_TOKYO));
}

TEST_F(CoordinateDialogTest, OkTakesTheValueTheDegreeFieldsWrote) {
  ASSERT_TRUE(standIn_) << "the map application stand-in is not built";
  SendMessageW(Field(IDC_DATUM_TOKYO), BM_CLICK, 0, 0);
  ASSERT_TRUE(WaitUntil([&] { return Checked(IDC_DATUM_TOKYO); }));
  Type(IDC_LON_DEGREES, L"139");
  Type(IDC_LON_MINUTES, L"41");
  Type(IDC_LON_SECONDS, L"30");
  Type(IDC_LON_HUNDREDTHS, L"5");
  Type(IDC_LAT_DEGREES, L"35");
  Type(IDC_LAT_MINUTES, L"41");
  Type(IDC_LAT_SECONDS, L"22");
  Type(IDC_LAT_HUNDREDTHS, L"30");
  Press(IDOK);
  ASSERT_TRUE(WaitForStarts(1));
  EXPECT_TRUE(EndsWith(StandInStarts()[0].commandLine, " /M_LON=502890500 /M_LAT=128482300 /M_ANGLE=0 /M_TYPE=10"))
      << StandInStarts()[0].commandLine;
}

struct RangeCase {
  bool tokyo;
  const wchar_t* lon;
  const wchar_t* lat;
};

TEST_F(CoordinateDialogTest, ValuesOutsideJapanShowTheRangeMessageAndStartNothing) {
  ASSERT_TRUE(standIn_) << "the map application stand-in is not built";
  const RangeCase cases[] = {
      {false, L"", L""},
      {true, L"", L""},
      {true, L"439199999", L"128482200"},
      {true, L"502890120", L"165600001"},
      {true, L"4797857416", L"128482200"},  // past 32 bits: no wrap into Japan
      {false, L"abc", L"128482200"},
  };
  for (const RangeCase& c : cases) {
    int datum = c.tokyo ? IDC_DATUM_TOKYO : IDC_DATUM_WGS84;
    SendMessageW(Field(datum), BM_CLICK, 0, 0);
    ASSERT_TRUE(WaitUntil([&] { return Checked(datum); }));
    Type(IDC_LON_MS, c.lon);
    Type(IDC_LAT_MS, c.lat);
    Press(IDOK);
    MessageBoxSeen box = WaitForMessageBox(pid(), kProgramTitle);
    ASSERT_NE(box.window, nullptr) << "no message for lon of " << wcslen(c.lon) << " characters, tokyo " << c.tokyo;
    EXPECT_EQ(box.text, kOutOfJapanMessage);
    EXPECT_EQ(box.buttons, std::vector<std::wstring>{L"OK"});
    EXPECT_EQ(GetWindow(box.window, GW_OWNER), dialog_) << "the message is not owned by the dialog";
    EXPECT_TRUE(PressMessageBoxButton(box, IDOK));
    EXPECT_TRUE(IsWindow(dialog_));
    EXPECT_EQ(FieldText(IDC_LON_MS), c.lon) << "the fields keep their text";
  }
  EXPECT_TRUE(StandInStarts().empty()) << "something was started: " << StandInStarts()[0].commandLine;
}

TEST_F(CoordinateDialogTest, TheTitleBarDoneButtonIsOk) {
  // Both fields empty, so OK answers with the range message.  The button is
  // the right end of the bar above the client area; click it like a user,
  // once the dialog is in front and covers the screen.
  ASSERT_TRUE(WaitUntil([&] {
    RECT w;
    GetWindowRect(dialog_, &w);
    return GetForegroundWindow() == dialog_ && w.right == GetSystemMetrics(SM_CXSCREEN);
  })) << "the dialog is not in front";
  POINT clientOrigin{0, 0};
  ClientToScreen(dialog_, &clientOrigin);
  RECT client;
  GetClientRect(dialog_, &client);
  int bar = GetSystemMetrics(SM_CYCAPTION);
  POINT target{clientOrigin.x + client.right - bar, clientOrigin.y - bar / 2};
  ASSERT_GT(target.y, 0);
  // Move first and wait until the pointer is there: a button press sent in
  // the same breath may still be placed at the old position.
  INPUT move{};
  move.type = INPUT_MOUSE;
  // Absolute positions run from 0 to 65535 over the screen.
  move.mi.dx = MulDiv(target.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
  move.mi.dy = MulDiv(target.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
  move.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  ASSERT_EQ(SendInput(1, &move, sizeof(INPUT)), 1u);
  ASSERT_TRUE(WaitUntil([&] {
    POINT now;
    GetCursorPos(&now);
    return now.x == target.x && now.y == target.y;
  })) << "the pointer did not reach " << target.x << "," << target.y;
  INPUT clicks[2] = {};
  for (INPUT& input : clicks) input.type = INPUT_MOUSE;
  clicks[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  clicks[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
  ASSERT_EQ(SendInput(2, clicks, sizeof(INPUT)), 2u);
  MessageBoxSeen box = WaitForMessageBox(pid(), kProgramTitle);
  ASSERT_NE(box.window, nullptr) << "clicking at " << target.x << "," << target.y << " did not act as OK";
  EXPECT_EQ(box.text, kOutOfJapanMessage);
  EXPECT_TRUE(PressMessageBoxButton(box, IDOK));
  EXPECT_TRUE(IsWindow(dialog_));
}

// --- Cancel ------------------------------------------------------------------------------

TEST_F(CoordinateDialogTest, CancelClosesTheDialogAndANewOneStartsEmpty) {
  ASSERT_TRUE(standIn_) << "the map application stand-in is not built";
  Type(IDC_LON_DEGREES, L"139");
  SendMessageW(Field(IDC_DATUM_TOKYO), BM_CLICK, 0, 0);
  Press(IDCANCEL);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dialog_); })) << "Cancel did not close the dialog";
  EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(program_.mainWindow) != FALSE; }));
  EXPECT_TRUE(StandInStarts().empty());

  PostCommand(program_.mainWindow, IDM_START_AT_COORDINATES);
  ASSERT_TRUE(WaitUntil([&] { return (dialog_ = FindCoordinateDialog(pid())) != nullptr; }));
  EXPECT_EQ(FieldText(IDC_LON_DEGREES), L"");
  EXPECT_EQ(FieldText(IDC_LON_MS), L"");
  EXPECT_TRUE(Checked(IDC_DATUM_WGS84));
  EXPECT_FALSE(Checked(IDC_DATUM_TOKYO));
}

// --- Layout ------------------------------------------------------------------------------

TEST_F(CoordinateDialogTest, PortraitPutsTheButtonsBelowTheFields) {
  // The test screens are portrait: 240x320 at scale 1, 480x640 at scale 2.
  // Landscape is covered by the layout's unit test.
  ASSERT_LT(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
  int s = Scale();
  RECT ok = ClientRectInParent(Field(IDOK));
  RECT cancel = ClientRectInParent(Field(IDCANCEL));
  EXPECT_TRUE(SameRect(ok, RECT{170 * s, 210 * s, 230 * s, 240 * s}))
      << "OK at " << ok.left << "," << ok.top << "-" << ok.right << "," << ok.bottom;
  EXPECT_TRUE(SameRect(cancel, RECT{100 * s, 210 * s, 160 * s, 240 * s}))
      << "Cancel at " << cancel.left << "," << cancel.top << "-" << cancel.right << "," << cancel.bottom;
  // Both lie wholly inside the client area, below the last row of fields.
  RECT client;
  GetClientRect(dialog_, &client);
  EXPECT_LE(ok.bottom, client.bottom);
  EXPECT_GT(ok.top, ClientRectInParent(Field(IDC_DATUM_WGS84)).bottom);
}

}  // namespace
