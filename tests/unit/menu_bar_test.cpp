#include "platform/menu_bar.h"

#include <gtest/gtest.h>

#include <tuple>

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
