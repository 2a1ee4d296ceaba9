#include <windows.h>

#include "dialog/coordinate_dialog_win.h"
#include "maplink/launch.h"
#include "resources/resource_ids.h"
#include "shell/commands.h"
#include "shell/controls.h"
#include "shell/main_window_win.h"
#include "shell/open_result.h"
#include "shell/run_search.h"

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
      if (code == CBN_SELCHANGE) ShowInputForSearchMode();
      return;
    case IDM_START_AT_RESULT:
      OpenSelectedResult();
      return;
    case IDM_VERSION_EXIT:
      AskVersionAndExit();
      return;
    case IDM_FOCUS_MODE:
      FocusControl(IDC_MODE_COMBO);
      return;
    case IDM_FOCUS_TERM:
      FocusSearchTerm();
      return;
    case IDM_FOCUS_RESULTS:
      FocusControl(IDC_RESULT_LIST);
      return;
    case IDM_MANUAL:
      OpenManual();
      return;
    case IDM_START_AT_COORDINATES:
      DialogBoxParamW(g_instance, MAKEINTRESOURCEW(IDD_COORDINATES), g_mainWindow, CoordinateDialogProc, 0);
      return;
    default:
      StartMapApplicationCommand(id);  // other ids are ignored
      return;
  }
}
