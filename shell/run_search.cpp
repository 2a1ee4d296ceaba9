#include "shell/run_search.h"

#include "core/environment.h"
#include "core/messages.h"
#include "core/reference_point.h"
#include "platform/message_box.h"
#include "platform/result_list.h"
#include "resources/resource_ids.h"
#include "search/mesh_scan.h"
#include "search/phone_search.h"
#include "shell/busy.h"
#include "shell/controls.h"
#include "shell/map_data_search.h"
#include "shell/qlcode_search_command.h"
#include "shell/search_modes.h"

namespace {

// The term box holds at most 63 characters.
constexpr std::size_t kTermCapacity = 64;

int SearchInMode(int mode, const std::u16string& term) {
  if (IsMapDataMode(mode)) {
    return SearchMapDataFolders(MeshLevelForMode(mode, g_environment.mapApplicationVersion), term,
                                g_environment.mapDataFolder, CardMapFolder(g_environment.storageCardName));
  }
  if (mode == kModePhone) return SearchPhoneNumber(term);
  return SearchQLCode(term);
}

// Leaves the busy state after a term that cannot be searched.
void RefuseTerm(const char16_t* message) {
  ShowMessage(message);
  EnableControls(true);
  FocusControl(IDC_SEARCH_EDIT);
}

}  // namespace

void RunSearch() {
  if (!ReferencePointIsSet()) {
    ShowMessage(kPointNotSetMessage);
    return;
  }
  EnableControls(false);
  const int mode = SearchModeOrDefault(ReadSearchMode());
  const std::u16string term = ReadControlText(TermControlForMode(mode), kTermCapacity);
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
  const int count = SearchInMode(mode, term);
  ResultListShow();  // before the message that tells what the list holds
  EnableControls(true);
  if (count > 0) {
    ShowMessage(CompletionMessage(count));
    FocusControl(IDC_RESULT_LIST);
  } else {
    ShowMessage(kNoResultMessage);
    FocusControl(IDC_MODE_COMBO);
  }
}
