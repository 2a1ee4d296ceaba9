// The platform side of a screen reader tick: the active window's device
// context, its readout region copied once into memory, the samples read from
// that copy.  One copy per tick instead of one pixel read per sample: each
// pixel read is a round trip to the display, and a tick takes several
// hundred samples.
#include <windows.h>

#include "maplink/screen_reader.h"
#include "platform/owned_handle_win.h"

namespace {

struct CapturedRegion {
  PixelGrid grid;            // the region asked for, in device context coordinates, and its part on the screen
  uint32_t* bits = nullptr;  // the grid's rows
};

uint32_t ReadCapturedPixel(void* context, int x, int y) {
  const CapturedRegion* region = static_cast<const CapturedRegion*>(context);
  return ReadGridPixel(region->grid, region->bits, x, y);
}

// Copies the part of `rect` that lies on the device context's visible area
// into a 32-bit top-down memory bitmap.  Pixels outside that area stay
// unavailable, so a region partly off the screen reads as background.
OwnedBitmap CaptureRegion(HDC dc, const PixelRect& rect, CapturedRegion* region) {
  RECT clip{};
  if (GetClipBox(dc, &clip) == ERROR) clip = RECT{0, 0, 0, 0};
  region->grid = GridWithin(rect, PixelRect{clip.left, clip.top, clip.right, clip.bottom});
  if (!GridHoldsPixels(region->grid)) return OwnedBitmap();  // nothing of it is on the screen
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = GridWidth(region->grid);
  info.bmiHeader.biHeight = -GridHeight(region->grid);  // negative: top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  OwnedBitmap bitmap(CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  const OwnedMemoryDC memory(bitmap ? CreateCompatibleDC(dc) : nullptr);
  bool copied = false;
  if (memory) {
    {
      const Selection selected(memory.Get(), bitmap.Get());
      const PixelCopy c = HeldPartCopy(region->grid);
      copied = BitBlt(memory.Get(), c.toX, c.toY, c.width, c.height, dc, c.fromX, c.fromY, SRCCOPY) != FALSE;
    }
    GdiFlush();  // the copy may wait in the batch; the bits are read next
  }
  if (!copied) {
    region->grid.held = PixelRect{};
    return OwnedBitmap();
  }
  region->bits = static_cast<uint32_t*>(bits);
  RowsFromBitmapMemory(region->grid, region->bits);
  return bitmap;
}

}  // namespace

bool ReadScreenPoint(bool clearType, int displayScale, int32_t* longitude, int32_t* latitude) {
  g_screenTick.clearType = clearType;
  g_screenTick.displayScale = displayScale;
  // The handle goes on unchecked: with no active window of this thread the
  // device context is the whole screen's.
  const OwnedWindowDC dc = WindowDC(GetActiveWindow());
  // Without a device context nothing is captured: every sample then reads
  // as unavailable and the point stays as it was.  The copy's bits are read
  // until the bitmap goes at the end.
  CapturedRegion region{};
  const OwnedBitmap bitmap = dc ? CaptureRegion(dc.Get(), ReadoutRegion(), &region) : OwnedBitmap();
  g_screenTick.readPixel = ReadCapturedPixel;
  g_screenTick.context = &region;
  const bool read = ReadReferencePoint(longitude, latitude);
  g_screenTick.readPixel = nullptr;
  g_screenTick.context = nullptr;
  return read;
}
