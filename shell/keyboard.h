// What the keyboard does in the main window beyond what the focused control
// does with a key itself.  The handheld opens its two menus with the soft
// keys, which a desktop keyboard has as F1 and F2; Tab walks the controls a
// person uses, top to bottom; Enter in the term (or on 検索) searches, Enter
// in the result list box opens the selected line.
#pragma once

// Virtual key codes, as the platform numbers them.
constexpr int kKeyTab = 0x09;
constexpr int kKeyEnter = 0x0D;
constexpr int kKeyF1 = 0x70;
constexpr int kKeyF2 = 0x71;

struct KeyAction {
  // kDiscard takes the key and does nothing with it.
  enum Kind { kPassOn, kFocus, kOpenMenu, kRunSearch, kOpenResult, kDiscard } kind = kPassOn;
  int target = 0;  // the control to focus; the menu to open (0 first, 1 second)
};

// What the rule reads of the main window besides the key.
struct KeyContext {
  bool shift = false;
  int focusedId = 0;  // the control that holds the focus, 0 for none or another window
  int searchMode = 0;
  bool listOpen = false;   // a combo box shows its list, which then keeps Tab and Enter
  bool barEnabled = true;  // the menu bar is disabled while a search runs
};

// kPassOn leaves the key to the control.
KeyAction ChooseKeyAction(int key, const KeyContext& context);
