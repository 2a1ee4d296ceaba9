// A block of pixels held in memory as rows, top row first: the screen
// capture's copy of the readout region and a decoded bitmap file.  Both
// answer a pixel read by one rule: the pixel where they hold one, none
// anywhere else.
#pragma once
#include <cstddef>
#include <cstdint>

// What a pixel read gives where there is no pixel (outside the screen, the
// window or the image).  A real pixel has 0 in its top byte.
constexpr uint32_t kPixelUnavailable = 0xFFFFFFFFu;

// The pixels [left, right) x [top, bottom).
struct PixelRect {
  int left = 0, top = 0, right = 0, bottom = 0;
};
// The part of `rect` inside `visible`; {0,0,0,0} when nothing of it is.
PixelRect ClipPixelRect(const PixelRect& rect, const PixelRect& visible);

// `area` is where the rows stand in the reader's coordinates (each row as
// wide as it); only `held`, a part of it, holds pixels.
struct PixelGrid {
  PixelRect area;
  PixelRect held;
};
// A grid that holds every pixel of an image `width` × `height` at (0, 0).
PixelGrid WholeImageGrid(int width, int height);
// A grid for `area` that holds only the part of it within `visible`, as a
// capture of a region partly off the screen does.
PixelGrid GridWithin(const PixelRect& area, const PixelRect& visible);
bool GridHoldsPixels(const PixelGrid& grid);
int GridWidth(const PixelGrid& grid);
int GridHeight(const PixelGrid& grid);

// The pixel (x, y) of `rows`, laid out as `grid`; kPixelUnavailable where the
// grid holds none.
uint32_t ReadGridPixel(const PixelGrid& grid, const uint32_t* rows, int x, int y);

// How the held part is copied into the grid's rows from a source whose
// coordinates are the reader's: from (fromX, fromY) to (toX, toY) of the rows.
struct PixelCopy {
  int toX, toY, fromX, fromY, width, height;
};
PixelCopy HeldPartCopy(const PixelGrid& grid);

// Turns the rows of `grid`, as a 32-bit bitmap's memory holds them
// (0x??RRGGBB), into pixels as a pixel read gives them (0x00BBGGRR).
void RowsFromBitmapMemory(const PixelGrid& grid, uint32_t* rows);
