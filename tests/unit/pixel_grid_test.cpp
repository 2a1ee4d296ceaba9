#include "maplink/pixel_grid.h"

#include <gtest/gtest.h>

#include <tuple>

static auto Tie(const PixelRect& r) { return std::make_tuple(r.left, r.top, r.right, r.bottom); }

// A capture keeps only what lies on the screen; touching is not overlapping.
// Rows of 3 standing at x 10..12, y 20..21; pixel i holds the value i, so
// (x, y) is found at (y − 20) · 3 + (x − 10).  Only x 11..12 are held: the
// copy puts them one pixel into each row.  Outside the held part, and
// around an image, there is no pixel, not the memory beside it.
TEST(PixelGrid, HoldsOnlyWhatIsVisibleReadsOnlyWhatItHoldsAndTurnsMemoryIntoPixelReads) {
  const PixelRect region{-10, 20, 100, 140};
  EXPECT_EQ(Tie(GridWithin(region, PixelRect{0, 0, 240, 120}).held), std::make_tuple(0, 20, 100, 120));
  const PixelGrid off = GridWithin(region, PixelRect{100, 0, 240, 320});
  EXPECT_EQ(Tie(off.held), std::make_tuple(0, 0, 0, 0));
  EXPECT_FALSE(GridHoldsPixels(off));
  EXPECT_EQ(Tie(GridWithin(region, PixelRect{0, 140, 240, 320}).held), std::make_tuple(0, 0, 0, 0)) << "touching below";
  EXPECT_FALSE(GridHoldsPixels(PixelGrid{{}, {0, 5, 9, 5}})) << "no height";
  EXPECT_FALSE(GridHoldsPixels(WholeImageGrid(0, 9))) << "no width";
  const PixelGrid grid{{10, 20, 13, 22}, {11, 20, 13, 22}};
  const uint32_t rows[6] = {0, 1, 2, 3, 4, 5}, none = kPixelUnavailable;
  const struct {
    int x, y;
    uint32_t pixel;
  } cases[] = {
      {11, 20, 1}, {12, 21, 5}, {11, 21, 4}, {10, 20, none}, {13, 20, none}, {12, 22, none}, {11, 19, none},
  };
  for (const auto& c : cases) EXPECT_EQ(ReadGridPixel(grid, rows, c.x, c.y), c.pixel) << c.x << "," << c.y;
  const PixelCopy copy = HeldPartCopy(grid);
  EXPECT_EQ(std::make_tuple(copy.toX, copy.toY, copy.fromX, copy.fromY, copy.width, copy.height),
            std::make_tuple(1, 0, 11, 20, 2, 2));
  const uint32_t image[4] = {7, 8, 9, 10};  // 2 × 2
  for (auto [x, y, pixel] : {std::tuple{0, 1, 9u}, {2, 0, none}, {0, 2, none}, {-1, 0, none}, {0, -1, none}})
    EXPECT_EQ(ReadGridPixel(WholeImageGrid(2, 2), image, x, y), pixel) << x << "," << y;
  // Memory holds 0x??RRGGBB, a pixel read gives 0x00BBGGRR.
  uint32_t memory[6] = {0xFF123456u, 0, 0, 0, 0, 0x00ABCDEFu};
  RowsFromBitmapMemory(grid, memory);
  EXPECT_EQ(std::make_pair(memory[0], memory[5]), std::make_pair(0x00563412u, 0x00EFCDABu));
}
