#include "maplink/pixel_grid.h"

#include <algorithm>

PixelRect ClipPixelRect(const PixelRect& rect, const PixelRect& visible) {
  PixelRect r{std::max(rect.left, visible.left), std::max(rect.top, visible.top), std::min(rect.right, visible.right),
              std::min(rect.bottom, visible.bottom)};
  return r.left < r.right && r.top < r.bottom ? r : PixelRect{};
}

PixelGrid WholeImageGrid(int width, int height) {
  const PixelRect all{0, 0, width, height};
  return {all, all};
}

PixelGrid GridWithin(const PixelRect& area, const PixelRect& visible) { return {area, ClipPixelRect(area, visible)}; }

bool GridHoldsPixels(const PixelGrid& grid) {
  return grid.held.left < grid.held.right && grid.held.top < grid.held.bottom;
}

int GridWidth(const PixelGrid& grid) { return grid.area.right - grid.area.left; }
int GridHeight(const PixelGrid& grid) { return grid.area.bottom - grid.area.top; }

uint32_t ReadGridPixel(const PixelGrid& grid, const uint32_t* rows, int x, int y) {
  const PixelRect& h = grid.held;
  if (x < h.left || x >= h.right || y < h.top || y >= h.bottom) return kPixelUnavailable;
  const std::ptrdiff_t row = y - grid.area.top, column = x - grid.area.left;
  return rows[row * GridWidth(grid) + column];
}

PixelCopy HeldPartCopy(const PixelGrid& grid) {
  const PixelRect& h = grid.held;
  return {h.left - grid.area.left, h.top - grid.area.top, h.left, h.top, h.right - h.left, h.bottom - h.top};
}

void RowsFromBitmapMemory(const PixelGrid& grid, uint32_t* rows) {
  const std::size_t count = static_cast<std::size_t>(GridWidth(grid)) * static_cast<std::size_t>(GridHeight(grid));
  for (std::size_t i = 0; i < count; ++i) {
    const uint32_t m = rows[i];
    rows[i] = ((m & 0xFFu) << 16) | (m & 0xFF00u) | ((m >> 16) & 0xFFu);
  }
}
