#include <windows.h>

#include "platform/result_list_win.h"
#include "resources/resource_ids.h"
#include "search/qlcode_search.h"
#include "shell/environment.h"

int SearchQLCode(const std::u16string& term) {
  // The category combo box is a sibling of the result list box.  Its
  // selection tells a category picked from the list (narrow radius) from
  // text typed into its edit field (wider radius).
  HWND combo = GetDlgItem(GetParent(ResultListWindow()), IDC_CATEGORY_COMBO);
  bool selected = combo != nullptr && SendMessageW(combo, CB_GETCURSEL, 0, 0) != CB_ERR;
  return SearchQLCodeFile(g_environment.qlcodePath, term, selected);
}
