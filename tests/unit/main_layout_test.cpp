#include "shell/main_layout.h"

#include <gtest/gtest.h>

#include "maplink/screen_reader.h"

namespace {

// The list box stays inside the client area and above the folder label,
// which spans the width; at scale 2 everything is twice the scale-1 layout.
TEST(LayoutMainWindow, ListAboveTheFolderLabelInsideTheClientAndScaled) {
  for (auto [width, height] : {std::pair{240, 294}, {234, 280}, {320, 216}}) {
    const MainLayout one = LayoutMainWindow(width, height, 1), two = LayoutMainWindow(2 * width, 2 * height, 2);
    const ControlBox list = one.resultList, label = one.folderLabel;
    EXPECT_TRUE(list.x > 0 && list.x + list.width < width && list.y + list.height <= label.y) << width << "x" << height;
    EXPECT_EQ(label.width, width);
    EXPECT_EQ(std::make_tuple(two.resultList.y, two.resultList.height, two.folderLabel.y, two.folderLabel.height),
              std::make_tuple(2 * list.y, 2 * list.height, 2 * label.y, 2 * label.height));
  }
}

// A capture keeps only what lies on the screen, and turns memory's byte order
// into a pixel read's.
TEST(ScreenCapture, ClipsToTheVisibleAreaAndReordersBytes) {
  const PixelRect region{-10, 20, 100, 140}, cut = ClipPixelRect(region, PixelRect{0, 0, 240, 120});
  EXPECT_EQ(std::make_tuple(cut.left, cut.top, cut.right, cut.bottom), std::make_tuple(0, 20, 100, 120));
  for (const PixelRect& visible : {PixelRect{100, 0, 240, 320}, PixelRect{0, 140, 240, 320}}) {
    const PixelRect none = ClipPixelRect(region, visible);  // touching is not overlapping
    EXPECT_EQ(std::make_tuple(none.left, none.top, none.right, none.bottom), std::make_tuple(0, 0, 0, 0));
  }
  EXPECT_EQ(PixelFromBitmapMemory(0xFF123456u), 0x00563412u);
}

}  // namespace
