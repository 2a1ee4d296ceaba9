// The soft-key menu bar's geometry and buttons, apart from its window
// (menu_bar_win.cpp): a strip across the bottom of its parent's client area,
// split between two buttons.  The main window's layout keeps its controls
// above the strip, so its height is said here once.
#pragma once
#include "platform/control_box.h"

// The handheld's soft-key bar: 26 pixels at display scale 1.
int MenuBarHeight(int displayScale);
// The bar across the bottom of a client area `clientWidth` wide whose bottom
// edge is at `clientBottom`.
ControlBox MenuBarBox(int clientWidth, int clientBottom, int displayScale);

struct MenuBarButton {
  int id;          // the button's control id in the bar
  int captionId;   // string table entry of its caption
  int popupIndex;  // the popup of the menu resource it opens
};
constexpr int kMenuBarButtonCount = 2;
extern const MenuBarButton kMenuBarButtons[kMenuBarButtonCount];
// The button that opens popup `index`; null for any other index.
const MenuBarButton* MenuBarButtonFor(int index);
// Button `index`'s place in a bar `barWidth` × `barHeight`: the first takes
// the left half, the second the rest, like the handheld's two soft keys.
ControlBox MenuBarButtonBox(int index, int barWidth, int barHeight);

// Where popup `index` opens above its button, whose edges on the screen are
// `left`, `top` and `right`: the first hangs from the button's left edge to
// the right, the second from its right edge to the left, so that neither
// runs off a screen no wider than the bar.
struct PopupAnchor {
  int x, y;
  bool rightAligned;  // x is the popup's right edge, else its left edge; y is its bottom
};
PopupAnchor MenuBarPopupAnchor(int index, int left, int top, int right);
