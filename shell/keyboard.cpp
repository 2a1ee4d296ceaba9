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

KeyAction ChooseKeyAction(int key, const KeyContext& context) {
  switch (key) {
    case kKeyF1:
    case kKeyF2:
      // The soft keys do nothing while the bar is disabled: no command may
      // start while a search runs.
      if (!context.barEnabled) return {KeyAction::kDiscard};
      return {KeyAction::kOpenMenu, key == kKeyF1 ? 0 : 1};
    case kKeyTab:
      if (context.listOpen) return {};
      return {KeyAction::kFocus, NextInOrder(context.focusedId, context.searchMode, context.shift)};
    case kKeyEnter:
      if (context.listOpen) return {};
      if (context.focusedId == IDC_RESULT_LIST) return {KeyAction::kOpenResult};
      if (context.focusedId == IDC_SEARCH_EDIT || context.focusedId == IDC_CATEGORY_COMBO ||
          context.focusedId == IDC_SEARCH_BUTTON)
        return {KeyAction::kRunSearch};
      return {};
    default:
      return {};
  }
}
