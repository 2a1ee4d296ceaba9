// The screen reader: keeps the reference point current by reading the map
// application's coordinate readout from the active window's pixels once per
// timer tick.  Recognition and conversion are portable; the platform layer
// (screen_capture_win.cpp) supplies the pixels of one tick through
// g_screenTick; the shell shows a successful read in the point label.
#pragma once
#include <cstdint>
#include <string>

#include "maplink/glyph_sets.h"
#include "maplink/pixel_grid.h"

// 0 or 1, 0 at start.  At display scale 2 it selects the alternate layout of
// the readout; it flips after every failed tick (at scale 1 too, where it has
// no effect), so the reader tries the two layouts in turn.
extern int g_alternateLayout;

// A pixel read: the colour of (x, y) in the tick's device context as the
// platform's single-pixel read gives it (0x00BBGGRR, 0 is black), or
// kPixelUnavailable (maplink/pixel_grid.h) where there is no pixel.
using PixelReader = uint32_t (*)(void* context, int x, int y);

// What one tick reads from: valid between the start and the end of a tick.
struct ScreenTick {
  PixelReader readPixel = nullptr;
  void* context = nullptr;
  bool clearType = false;  // the shell's ClearType flag: background ink test
  int displayScale = 1;    // 1 or 2
};
extern ScreenTick g_screenTick;

// Where the readout lies for the current scale and layout flag.
struct ReadoutLayout {
  ReadoutGeometry geometry;
  int longitudeX, longitudeY;
  int latitudeX, latitudeY;
  int referenceX, referenceY;  // background colour for the background ink test
};
ReadoutLayout CurrentReadoutLayout();

// The smallest rectangle [left, right) x [top, bottom) that holds every pixel
// a tick may read in the current layout (both numbers at full length, and the
// reference pixel).
PixelRect ReadoutRegion();

// Reads the number whose first cell starts at (x, y): the value in ms of
// arc, or 0 when no valid number was read.
int32_t ReadScreenCoordinate(int x, int y);

// The characters recognised from one number: at most 12 ('1'..'9', '0',
// U+00B0, U+2032, '.'); the 13th makes the read fail.
std::u16string RecogniseReadout(int x, int y, bool* tooLong);

// Converts a readout such as 139°45′12.34 into ms of arc (503112340).
// Degrees must end at index 2 or 3, else 0.  Minutes end at the first "′",
// seconds at the first ".", hundredths run to the end whatever their number.
int32_t ConvertReadoutText(const std::u16string& text);

// The portable part of a tick: reads the longitude, then the latitude; when
// both are non-zero stores them as the reference point and returns true.
// Otherwise flips g_alternateLayout and returns false, storing nothing.
bool ReadReferencePoint(int32_t* longitude, int32_t* latitude);

// One timer tick (platform): takes the active window's device context and
// reads with ReadReferencePoint (its result and point); never shows a message.
bool ReadScreenPoint(bool clearType, int displayScale, int32_t* longitude, int32_t* latitude);
