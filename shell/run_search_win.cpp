#include <windows.h>

#include "maplink/reference_point.h"
#include "platform/utf.h"
#include "search/mesh_scan.h"
#include "search/phone_search.h"
#include "search/qlcode_search.h"
#include "shell/busy.h"
#include "shell/environment.h"
#include "shell/main_window.h"
#include "shell/run_search.h"
#include "shell/search_modes.h"

namespace {

void ShowSearchMessage(const std::u16string& text) {
  MessageBoxW(g_mainWindow, AsWide(text), kMainWindowTitle, MB_OK);
}

int SelectedSearchMode() {
  LRESULT mode = SendMessageW(g_modeCombo, CB_GETCURSEL, 0, 0);
  return (mode >= 0 && mode <= kModeQLCode) ? static_cast<int>(mode) : kModeLevelL;
}

// The term as typed: the category combo box's text in the QLCode mode, else
// the search edit's, at most 63 characters.
std::u16string ReadSearchTerm(int mode) {
  wchar_t text[64] = {0};
  GetWindowTextW(mode == kModeQLCode ? g_categoryCombo : g_searchEdit, text, 64);
  return FromWide(text);
}

// The map data folder first; when it gives nothing, the storage card's.
int SearchMapData(MeshLevel level, const std::u16string& term, const std::u16string& cardFolder) {
  int count = SearchMeshLevel(level, term, g_environment.mapDataFolder);
  if (count == 0) count = SearchMeshLevel(level, term, cardFolder);
  return count;
}

int SearchInMode(int mode, const std::u16string& term, const std::u16string& cardFolder) {
  if (IsMapDataMode(mode))
    return SearchMapData(MeshLevelForMode(mode, g_environment.mapApplicationVersion), term, cardFolder);
  if (mode == kModePhone) return SearchPhoneNumber(term);
  return SearchQLCode(term);
}

// Leaves the busy state after a term that cannot be searched.
void RefuseTerm(const char16_t* message) {
  ShowSearchMessage(message);
  EnableControls(true);
  SetFocus(g_searchEdit);
}

}  // namespace

void RunSearch() {
  const std::u16string cardFolder = CardMapFolder(g_environment.storageCardName);
  if (!ReferencePointIsSet()) {
    ShowSearchMessage(kPointNotSetMessage);
    return;
  }
  EnableControls(false);
  const int mode = SelectedSearchMode();
  const std::u16string term = ReadSearchTerm(mode);
  if (term.size() < 2) {
    RefuseTerm(kTermTooShortMessage);
    return;
  }
  // The map data scan compares at most 31 bytes; a longer term would find
  // places that hold only its beginning, so it is refused, not cut.
  if (IsMapDataMode(mode) && !MeshSearchTermFits(term)) {
    RefuseTerm(kTermTooLongMessage);
    return;
  }
  const int count = SearchInMode(mode, term, cardFolder);
  EnableControls(true);
  if (count > 0) {
    ShowSearchMessage(CompletionMessage(count));
    SetFocus(g_resultList);
  } else {
    ShowSearchMessage(kNoResultMessage);
    SetFocus(g_modeCombo);
  }
}
