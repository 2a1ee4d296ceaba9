#include <windows.h>

#include "core/environment.h"
#include "core/messages.h"
#include "platform/result_list_win.h"
#include "platform/utf.h"
#include "resources/resource_ids.h"
#include "shell/combo_items.h"
#include "shell/controls.h"
#include "shell/main_layout.h"
#include "shell/main_window_win.h"

namespace {

HFONT g_controlFont = nullptr;

struct ControlRow {
  int id;
  const wchar_t* className;
  const wchar_t* text;
  DWORD style;  // the place comes from the layout (shell/main_layout.h)
};

constexpr DWORD kLabel = WS_CHILD | WS_VISIBLE | SS_LEFT;                                        // 0x50000000
constexpr DWORD kRightLabel = WS_CHILD | WS_VISIBLE | SS_RIGHT;                                  // 0x50000002
constexpr DWORD kEdit = WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL;                      // 0x50800080
constexpr DWORD kListCombo = WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | CBS_DROPDOWNLIST;  // 0x50A00003
constexpr DWORD kTypingCombo = WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | CBS_DROPDOWN;    // 0x50A00002
constexpr DWORD kButton = WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON;                                 // 0x50000000
constexpr DWORD kResultList =
    WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | LBS_NOTIFY | LBS_SORT | LBS_NOINTEGRALHEIGHT;  // 0x50A00103

// The search edit and the category combo box share one place; the edit is
// created first; the main window then hides the one the mode does not use.
const ControlRow kPointCaption = {IDC_POINT_CAPTION, L"STATIC", AsWide(kPointCaptionText), kLabel};
const ControlRow kPointLabel = {IDC_POINT_LABEL, L"STATIC", L"", kLabel};
const ControlRow kModeCaption = {IDC_MODE_CAPTION, L"STATIC", AsWide(kModeCaptionText), kLabel};
const ControlRow kSearchEdit = {IDC_SEARCH_EDIT, L"EDIT", L"", kEdit};
const ControlRow kModeCombo = {IDC_MODE_COMBO, L"COMBOBOX", nullptr, kListCombo};
const ControlRow kCategoryCombo = {IDC_CATEGORY_COMBO, L"COMBOBOX", nullptr, kTypingCombo};
const ControlRow kTermCaption = {IDC_TERM_CAPTION, L"STATIC", AsWide(kTermCaptionText), kLabel};
const ControlRow kSearchButton = {IDC_SEARCH_BUTTON, L"BUTTON", AsWide(kSearchButtonText), kButton};
const ControlRow kFolderLabel = {IDC_FOLDER_LABEL, L"STATIC", nullptr, kRightLabel};
const ControlRow kResultListBox = {IDC_RESULT_LIST, L"LISTBOX", nullptr, kResultList};

}  // namespace

HFONT ControlFont() {
  if (!g_controlFont) {
    g_controlFont = CreateFontW(ControlFontHeight(g_environment.displayScale), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                                SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                DEFAULT_PITCH | FF_DONTCARE, L"MS UI Gothic");
  }
  return g_controlFont;
}

namespace {

HWND CreateControl(HWND parent, const ControlRow& row, const wchar_t* text = nullptr) {
  const ControlBox box = ControlBoxAtCreation(row.id, g_environment.displayScale);
  HWND control =
      CreateWindowExW(0, row.className, text ? text : row.text, row.style, box.x, box.y, box.width, box.height, parent,
                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(row.id)), g_instance, nullptr);
  SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(ControlFont()), FALSE);
  return control;
}

void AddComboItems(HWND combo, const std::vector<std::u16string>& items) {
  for (const std::u16string& item : items) SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(AsWide(item)));
}

}  // namespace

void CreateMainControls(HWND window) {
  CreateControl(window, kPointCaption);
  g_pointLabel = CreateControl(window, kPointLabel);
  CreateControl(window, kModeCaption);
  g_searchEdit = CreateControl(window, kSearchEdit);
  g_modeCombo = CreateControl(window, kModeCombo);
  AddComboItems(g_modeCombo, SearchModeItems(g_environment.qlcodePath));
  SendMessageW(g_modeCombo, CB_SETCURSEL, 0, 0);
  g_categoryCombo = CreateControl(window, kCategoryCombo);
  AddComboItems(g_categoryCombo, CategoryItems(g_environment.qlcodeVersion));

  CreateControl(window, kTermCaption);
  g_searchButton = CreateControl(window, kSearchButton);
  g_folderLabel = CreateControl(window, kFolderLabel, AsWide(g_environment.mapDataFolder));
  g_resultList = CreateControl(window, kResultListBox);
  ResultListAttach(g_resultList);
}

int ReadSearchMode() {
  LRESULT mode = SendMessageW(g_modeCombo, CB_GETCURSEL, 0, 0);
  return mode == CB_ERR ? -1 : static_cast<int>(mode);
}

std::u16string ReadControlText(int controlId, std::size_t capacity) {
  std::wstring text(capacity, L'\0');
  int length = GetDlgItemTextW(g_mainWindow, controlId, &text[0], static_cast<int>(capacity));
  text.resize(static_cast<std::size_t>(length < 0 ? 0 : length));
  return FromWide(text.c_str());
}

bool ReadSelectedResultLine(std::u16string* line) {
  LRESULT selected = SendMessageW(g_resultList, LB_GETCURSEL, 0, 0);
  if (selected == LB_ERR) return false;
  LRESULT length = SendMessageW(g_resultList, LB_GETTEXTLEN, selected, 0);
  if (length == LB_ERR) return false;
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  SendMessageW(g_resultList, LB_GETTEXT, selected, reinterpret_cast<LPARAM>(&text[0]));
  *line = FromWide(text.c_str());
  return true;
}

bool CategoryPicked() { return SendMessageW(g_categoryCombo, CB_GETCURSEL, 0, 0) != CB_ERR; }

void FocusControl(int controlId) { SetFocus(GetDlgItem(g_mainWindow, controlId)); }

void ShowInputInFront(int frontId, int backId, bool focus) {
  HWND front = GetDlgItem(g_mainWindow, frontId);
  // Neither moves: they share one place.
  SetWindowPos(GetDlgItem(g_mainWindow, backId), HWND_BOTTOM, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_HIDEWINDOW);
  SetWindowPos(front, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
  if (focus) SetFocus(front);
}

// The destroy message itself, not a close request: it runs the destroy
// handling, which ends the message loop.
void EndProgram() { PostMessageW(g_mainWindow, WM_DESTROY, 0, 0); }
