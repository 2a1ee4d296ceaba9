#include "shell/keyboard.h"

#include <algorithm>
#include <iterator>

#include "resources/resource_ids.h"
#include "shell/search_modes.h"

namespace {

// The order of the menu's focus commands: mode, term, search, results.
// Only the input the mode shows is in it.
int NextInOrder(int focusedId, int searchMode, bool backwards) {
  const int order[] = {IDC_MODE_COMBO, TermControlForMode(searchMode), IDC_SEARCH_BUTTON, IDC_RESULT_LIST};
  const int count = static_cast<int>(std::size(order));
  const int at = static_cast<int>(std::find(order, order + count, focusedId) - order);
  // From outside the order, Tab starts at its first control, Shift+Tab at its last.
  if (at == count) return order[backwards ? count - 1 : 0];
  return order[(at + (backwards ? count - 1 : 1)) % count];
}

}  // namespace

KeyAction ChooseKeyAction(int key, bool shift, int focusedId, int searchMode, bool listOpen) {
  switch (key) {
    case kKeyF1:
      return {KeyAction::kOpenMenu, 0};
    case kKeyF2:
      return {KeyAction::kOpenMenu, 1};
    case kKeyTab:
      if (listOpen) return {};
      return {KeyAction::kFocus, NextInOrder(focusedId, searchMode, shift)};
    case kKeyEnter:
      // Enter in the result list box opens the line; that list handles it.
      if (listOpen) return {};
      if (focusedId == IDC_SEARCH_EDIT || focusedId == IDC_CATEGORY_COMBO || focusedId == IDC_SEARCH_BUTTON)
        return {KeyAction::kRunSearch, 0};
      return {};
    default:
      return {};
  }
}
