// The platform side of a screen reader tick: the active window's device
// context, its readout region copied once into memory, the samples read from
// that copy.  One copy per tick instead of one pixel read per sample: each
// pixel read is a round trip to the display, and a tick takes several
// hundred samples.
#include <windows.h>

#include "maplink/screen_reader.h"

namespace {

// The window and device context of the tick in progress.
HWND g_tickWindow = nullptr;
HDC g_tickDC = nullptr;

struct CapturedRegion {
  PixelRect rect;   // the region asked for, in device context coordinates
  PixelRect valid;  // the part of it that has pixels
  const uint32_t* bits = nullptr;  // top-down rows of rect's width
  int width = 0;
};

uint32_t ReadCapturedPixel(void* context, int x, int y) {
  const CapturedRegion* region = static_cast<const CapturedRegion*>(context);
  const PixelRect& v = region->valid;
  if (x < v.left || x >= v.right || y < v.top || y >= v.bottom) return kPixelUnavailable;
  return PixelFromBitmapMemory(region->bits[(y - region->rect.top) * region->width + (x - region->rect.left)]);
}

// Copies the part of `rect` that lies on the device context's visible area
// into a 32-bit top-down memory bitmap.  Pixels outside that area stay
// unavailable, so a region partly off the screen reads as background.
HBITMAP CaptureRegion(HDC dc, const PixelRect& rect, CapturedRegion* region) {
  region->rect = rect;
  region->width = rect.right - rect.left;
  const int height = rect.bottom - rect.top;
  RECT clip{};
  if (GetClipBox(dc, &clip) == ERROR) clip = RECT{0, 0, 0, 0};
  region->valid = ClipPixelRect(rect, PixelRect{clip.left, clip.top, clip.right, clip.bottom});
  if (region->valid.left >= region->valid.right) return nullptr;  // nothing of it is on the screen
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = region->width;
  info.bmiHeader.biHeight = -height;  // top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HDC memory = bitmap ? CreateCompatibleDC(dc) : nullptr;
  bool copied = false;
  if (memory) {
    HGDIOBJ old = SelectObject(memory, bitmap);
    const PixelRect& v = region->valid;
    copied = BitBlt(memory, v.left - rect.left, v.top - rect.top, v.right - v.left, v.bottom - v.top, dc, v.left,
                    v.top, SRCCOPY) != FALSE;
    SelectObject(memory, old);
    DeleteDC(memory);
    GdiFlush();
  }
  if (!copied) {
    if (bitmap) DeleteObject(bitmap);
    region->valid = PixelRect{0, 0, 0, 0};
    return nullptr;
  }
  region->bits = static_cast<const uint32_t*>(bits);
  return bitmap;
}

}  // namespace

bool ReadScreenPoint(bool clearType, int displayScale, int32_t* longitude, int32_t* latitude) {
  g_screenTick.clearType = clearType;
  g_screenTick.displayScale = displayScale;
  // The handle goes on unchecked: with no active window of this thread the
  // device context is the whole screen's.
  g_tickWindow = GetActiveWindow();
  g_tickDC = GetDC(g_tickWindow);
  // Without a device context nothing is captured: every sample then reads
  // as unavailable and the point stays as it was.
  CapturedRegion region{};
  HBITMAP bitmap = g_tickDC ? CaptureRegion(g_tickDC, ReadoutRegion(), &region) : nullptr;
  g_screenTick.readPixel = ReadCapturedPixel;
  g_screenTick.context = &region;
  const bool read = ReadReferencePoint(longitude, latitude);
  g_screenTick.readPixel = nullptr;
  g_screenTick.context = nullptr;
  if (bitmap) DeleteObject(bitmap);
  if (g_tickDC) ReleaseDC(g_tickWindow, g_tickDC);
  g_tickWindow = nullptr;
  g_tickDC = nullptr;
  return read;
}
