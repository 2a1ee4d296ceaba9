#include <gtest/gtest.h>

#include <string>

#include "resources/resource_ids.h"
#include "shell/keyboard.h"

namespace {

std::string Describe(KeyAction a) {
  const char* kinds[] = {"pass", "focus ", "menu ", "search"};
  std::string text = kinds[a.kind];
  return a.kind == KeyAction::kFocus || a.kind == KeyAction::kOpenMenu ? text + std::to_string(a.target) : text;
}

TEST(ChooseKeyAction, SoftKeysTabWalkAndEnterInTheTerm) {
  const int kShift = 1, kOpen = 2;  // flags
  const struct { int key, flags, focused, mode; const char* action; } cases[] = {
      {kKeyF1, 0, IDC_RESULT_LIST, 0, "menu 0"}, {kKeyF2, kOpen, IDC_MODE_COMBO, 0, "menu 1"},
      // Mode, the input the mode shows, 検索, the results, round again.
      {kKeyTab, 0, IDC_MODE_COMBO, 0, "focus 1010"}, {kKeyTab, 0, IDC_MODE_COMBO, 5, "focus 1019"},
      {kKeyTab, 0, IDC_CATEGORY_COMBO, 5, "focus 1020"}, {kKeyTab, 0, IDC_SEARCH_BUTTON, 5, "focus 1000"},
      {kKeyTab, 0, IDC_RESULT_LIST, 5, "focus 1050"}, {kKeyTab, kShift, IDC_MODE_COMBO, 4, "focus 1000"},
      {kKeyTab, kShift, IDC_SEARCH_BUTTON, 4, "focus 1010"}, {kKeyTab, kShift, IDC_SEARCH_BUTTON, 5, "focus 1019"},
      // From nowhere (a menu bar button) to the first or the last; an open list keeps Tab.
      {kKeyTab, 0, 0, 0, "focus 1050"}, {kKeyTab, kShift, 0, 0, "focus 1000"}, {kKeyTab, kOpen, IDC_MODE_COMBO, 0, "pass"},
      {kKeyEnter, 0, IDC_SEARCH_EDIT, 0, "search"}, {kKeyEnter, 0, IDC_CATEGORY_COMBO, 5, "search"},
      {kKeyEnter, 0, IDC_SEARCH_BUTTON, 3, "search"}, {kKeyEnter, kOpen, IDC_CATEGORY_COMBO, 5, "pass"},
      // The result list opens its line itself; the mode box closes its list.
      {kKeyEnter, 0, IDC_RESULT_LIST, 0, "pass"}, {kKeyEnter, 0, IDC_MODE_COMBO, 0, "pass"},
      {'A', 0, IDC_SEARCH_EDIT, 0, "pass"}, {0x28 /* down */, 0, IDC_MODE_COMBO, 0, "pass"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Describe(ChooseKeyAction(c.key, c.flags & kShift, c.focused, c.mode, c.flags & kOpen)), c.action)
        << "key " << c.key << " flags " << c.flags << " in " << c.focused << " mode " << c.mode;
  }
}

}  // namespace
