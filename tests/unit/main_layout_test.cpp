// The main window's layout, its controls' places and the menu bar it rests on.
#include "shell/main_layout.h"

#include <gtest/gtest.h>

#include <tuple>

#include "platform/menu_bar.h"

static auto Tie(const ControlBox& b) { return std::make_tuple(b.x, b.y, b.width, b.height); }

// Worked by hand from the window's numbers: the bar is 26·s high at the
// bottom; the folder label's top is 42·s above the bottom (bar 26, gap 1,
// label 15), the list box's bottom 44·s (2 more), so the list, from 85·s
// down, is bottom − 129·s high and 10·s narrower than the client.
TEST(LayoutMainWindow, BarAtTheBottomLabelAboveItListInTheMiddle) {
  const struct { int width, height, scale; ControlBox list, label, bar; } cases[] = {
      {240, 294, 1, {5, 85, 230, 165}, {0, 252, 240, 15}, {0, 268, 240, 26}},    // 294−129, 294−42, 294−26
      {480, 588, 2, {10, 170, 460, 330}, {0, 504, 480, 30}, {0, 536, 480, 52}},  // 588−258, 588−84, 588−52
      {320, 216, 1, {5, 85, 310, 87}, {0, 174, 320, 15}, {0, 190, 320, 26}},     // landscape
  };
  for (const auto& c : cases) {
    const MainLayout l = LayoutMainWindow(c.width, c.height, c.scale);
    EXPECT_EQ(std::make_tuple(Tie(l.resultList), Tie(l.folderLabel), Tie(l.menuBar)),
              std::make_tuple(Tie(c.list), Tie(c.label), Tie(c.bar))) << c.width << "x" << c.height;
  }
}

// The window's table at scale 1 (search button 175, 60, 60, 20; category
// combo box 65, 60, 105, 150), doubled by hand for scale 2; every control
// fits a screen 240 wide; an id of no control has no place.
TEST(ControlBoxAtCreation, TheTablesPlacesTimesTheScale) {
  EXPECT_EQ(Tie(ControlBoxAtCreation(1020, 2)), std::make_tuple(350, 120, 120, 40));
  EXPECT_EQ(Tie(ControlBoxAtCreation(1019, 2)), std::make_tuple(130, 120, 210, 300));
  EXPECT_EQ(Tie(ControlBoxAtCreation(1001, 1)), std::make_tuple(0, 0, 0, 0));
  for (int id : {1000, 1010, 1019, 1020, 1030, 1040, 1050, 1060, 1070, 1080}) {
    const ControlBox b = ControlBoxAtCreation(id, 1);
    EXPECT_TRUE(b.width > 0 && b.height > 0 && b.x + b.width <= 240) << id;
  }
}

// A bar 241 wide: the left button takes half rounded down (120), the right
// the other 121.  The first popup hangs right from the left button's left
// edge, the second left from the right button's right edge; both above.
TEST(MenuBar, ButtonsShareTheBarAndPopupsOpenFromTheOuterEdges) {
  const ControlBox a = MenuBarButtonBox(0, 241, 26), b = MenuBarButtonBox(1, 241, 26);
  EXPECT_EQ(std::make_tuple(a.x, a.width, b.x, b.width, b.y, b.height),
            std::make_tuple(0, 120, 120, 121, 0, 26));
  for (auto [i, left, right, x, rightAligned] : {std::tuple{0, 10, 130, 10, false}, {1, 130, 251, 251, true}}) {
    const PopupAnchor at = MenuBarPopupAnchor(i, left, 268, right);
    EXPECT_EQ(std::make_tuple(at.x, at.y, at.rightAligned), std::make_tuple(x, 268, rightAligned)) << i;
    EXPECT_EQ(MenuBarButtonFor(i) ? MenuBarButtonFor(i)->popupIndex : -1, i);
  }
  EXPECT_TRUE(MenuBarButtonFor(-1) == nullptr && MenuBarButtonFor(2) == nullptr);
}
