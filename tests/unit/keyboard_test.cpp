#include <gtest/gtest.h>

#include <string>

#include "resources/resource_ids.h"
#include "shell/keyboard.h"

namespace {

TEST(ChooseKeyAction, SoftKeysTabWalkAndEnter) {
  const int kShift = 1, kOpen = 2, kBarOff = 4;  // flags
  const struct {
    int key, flags, focused, mode;
    const char* action;
  } cases[] = {
      {kKeyF1, 0, IDC_RESULT_LIST, 0, "menu 0"},
      {kKeyF2, kOpen, IDC_MODE_COMBO, 0, "menu 1"},
      // While a search runs the bar is disabled: the soft keys are taken and open nothing.
      {kKeyF1, kBarOff, IDC_SEARCH_EDIT, 0, "discard"},
      {kKeyF2, kBarOff, 0, 0, "discard"},
      // Mode, the mode's input, 検索, the results, round; from nowhere (the bar) to the first or last.
      {kKeyTab, 0, IDC_MODE_COMBO, 5, "focus 1019"},
      {kKeyTab, 0, IDC_CATEGORY_COMBO, 5, "focus 1020"},
      {kKeyTab, 0, IDC_SEARCH_BUTTON, 0, "focus 1000"},
      {kKeyTab, kBarOff, IDC_RESULT_LIST, 5, "focus 1050"},
      {kKeyTab, kShift, IDC_MODE_COMBO, 4, "focus 1000"},
      {kKeyTab, kShift, IDC_SEARCH_BUTTON, 4, "focus 1010"},
      {kKeyTab, 0, 0, 0, "focus 1050"},
      {kKeyTab, kShift, 0, 0, "focus 1000"},
      // An open list keeps Tab and Enter.
      {kKeyTab, kOpen, IDC_MODE_COMBO, 0, "pass"},
      {kKeyEnter, kOpen, IDC_CATEGORY_COMBO, 5, "pass"},
      {kKeyEnter, 0, IDC_SEARCH_EDIT, 0, "search"},
      {kKeyEnter, 0, IDC_CATEGORY_COMBO, 5, "search"},
      {kKeyEnter, 0, IDC_SEARCH_BUTTON, 3, "search"},
      {kKeyEnter, 0, IDC_RESULT_LIST, 4, "open"},
      {kKeyEnter, 0, IDC_MODE_COMBO, 0, "pass"},
      {kKeyEnter, 0, 0, 0, "pass"},
      {'A', 0, IDC_RESULT_LIST, 0, "pass"},
  };
  const char* kinds[] = {"pass", "focus ", "menu ", "search", "open", "discard"};
  for (const auto& c : cases) {
    const KeyAction a = ChooseKeyAction(
        c.key, KeyContext{(c.flags & kShift) != 0, c.focused, c.mode, (c.flags & kOpen) != 0, !(c.flags & kBarOff)});
    const bool targeted = a.kind == KeyAction::kFocus || a.kind == KeyAction::kOpenMenu;
    EXPECT_EQ(kinds[a.kind] + (targeted ? std::to_string(a.target) : ""), c.action)
        << "key " << c.key << " flags " << c.flags << " in " << c.focused << " mode " << c.mode;
  }
}

}  // namespace
