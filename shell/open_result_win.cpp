#include <windows.h>

#include "maplink/launch.h"
#include "platform/utf.h"
#include "shell/main_window.h"
#include "shell/open_result.h"
#include "shell/result_line.h"
#include "shell/search_modes.h"

namespace {

void ShowResultMessage(const char16_t* text) {
  MessageBoxW(g_mainWindow, reinterpret_cast<const wchar_t*>(text), kMainWindowTitle, MB_OK);
}

bool ReadSelectedLine(std::u16string* line) {
  LRESULT selected = SendMessageW(g_resultList, LB_GETCURSEL, 0, 0);
  if (selected == LB_ERR) return false;
  LRESULT length = SendMessageW(g_resultList, LB_GETTEXTLEN, selected, 0);
  if (length == LB_ERR) return false;
  std::u16string text(static_cast<std::size_t>(length) + 1, u'\0');
  SendMessageW(g_resultList, LB_GETTEXT, selected, reinterpret_cast<LPARAM>(&text[0]));
  text.resize(static_cast<std::size_t>(length));
  *line = text;
  return true;
}

}  // namespace

void OpenSelectedResult() {
  std::u16string line;
  if (!ReadSelectedLine(&line)) {
    ShowResultMessage(kNothingSelectedMessage);
    SetFocus(g_resultList);
    return;
  }
  const std::vector<std::u16string> pieces = SplitResultLine(line);
  const LineCoordinates point = FindLineCoordinates(pieces);
  // A line whose coordinates cannot be told for certain is not offered: the
  // map application must never start at a point read from the wrong pieces.
  if (!point.found) {
    ShowResultMessage(kLineUnreadableMessage);
    SetFocus(g_resultList);
    return;
  }
  const std::u16string question = BuildConfirmationText(pieces);
  const int answer = MessageBoxW(g_mainWindow, AsWide(question), L"データ詳細", MB_YESNOCANCEL);
  if (answer == IDCANCEL) return;
  const int mode = answer == IDYES ? kLaunchSetDestination : kLaunchShowPoint;
  // The M_TYPE follows the mode selected now, not the one the search ran in.
  const LRESULT searchMode = SendMessageW(g_modeCombo, CB_GETCURSEL, 0, 0);
  LaunchMapApplication(point.lon, point.lat, MapTypeForMode(static_cast<int>(searchMode)), mode);
}
