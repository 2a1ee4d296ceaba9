#include <windows.h>

#include "resources/resource_ids.h"
#include "shell/main_window.h"
#include "shell/open_result.h"
#include "shell/run_search.h"

namespace {

constexpr int kQLCodeSearchMode = 5;

// Shows `front` on top and focused, hides `back` at the bottom; neither moves.
void SwapInput(HWND front, HWND back) {
  SetWindowPos(back, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_HIDEWINDOW);
  SetWindowPos(front, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
  SetFocus(front);
}

int SelectedSearchMode() { return static_cast<int>(SendMessageW(g_modeCombo, CB_GETCURSEL, 0, 0)); }

// Each time the search-mode list closes, even on the same mode: the category
// combo box is the input for the QLCode search, the search edit for all others.
void SwitchSearchMode() {
  if (SelectedSearchMode() == kQLCodeSearchMode) {
    SwapInput(g_categoryCombo, g_searchEdit);
  } else {
    SwapInput(g_searchEdit, g_categoryCombo);
  }
}

void AskVersionAndExit() {
  int answer = MessageBoxW(g_mainWindow, L"Ver.10.02\n\n終了しますか？", kMainWindowTitle, MB_YESNO);
  // The destroy message itself, not a close request: it runs the destroy
  // handling, which ends the message loop.
  if (answer == IDYES) PostMessageW(g_mainWindow, WM_DESTROY, 0, 0);
}

}  // namespace

// Commands handed to the map application link and the coordinate dialog.
bool OnLaunchCommand(int id);

void OnMainCommand(int id, int code) {
  switch (id) {
    case IDC_RESULT_LIST:
      if (code == LBN_DBLCLK) OpenSelectedResult();
      return;
    case IDC_SEARCH_BUTTON:
    case IDM_RUN_SEARCH:
      RunSearch();
      return;
    case IDC_MODE_COMBO:
      if (code == CBN_CLOSEUP) SwitchSearchMode();
      return;
    case IDM_START_AT_RESULT:
      OpenSelectedResult();
      return;
    case IDM_VERSION_EXIT:
      AskVersionAndExit();
      return;
    case IDM_FOCUS_MODE:
      SetFocus(g_modeCombo);
      return;
    case IDM_FOCUS_TERM:
      SetFocus(SelectedSearchMode() == kQLCodeSearchMode ? g_categoryCombo : g_searchEdit);
      return;
    case IDM_FOCUS_RESULTS:
      SetFocus(g_resultList);
      return;
    default:
      OnLaunchCommand(id);
      return;
  }
}
