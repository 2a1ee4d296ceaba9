// The main window on a screen larger than a handheld's.  On a handheld the
// window covers the work area without a frame, as the handheld's shell makes
// every program's window.  On a desktop that would be a result list some
// 1,900 pixels wide hiding everything else, the map application included;
// there the window is a device's screen in a frame instead: a caption that
// moves it, a close box that ends the program, the menu bar at the bottom of
// its client area as on the device.
#pragma once
#include <optional>

#include "platform/control_box.h"

// True when the screen, counted in pixels at display scale 1 (its size over
// the scale), is wider than 480 and its work area taller than 320.  No
// handheld is: a portrait screen is 240 wide at scale 1, a landscape one at
// most 400 (800 at scale 2), and a screen wider than 480 is at scale 2 by its
// width.  A work area taller than a device's screen holds a device's client
// area in a frame; the screen's height would count what a taskbar covers.
bool ScreenHoldsDeviceWindow(int screenWidth, const ControlBox& workArea, int displayScale);

// The client area of the framed window: a device's 240 x 320 screen (times
// the scale) less the strip of its title bar, whose place the caption takes.
// The soft-key bar the device shows below the program is our own menu bar,
// which lies inside the client area, so it is not taken off.
ControlBox DeviceClientArea(int displayScale);

// Where the framed window (`window`, frame included, where the system put it)
// opens beside the map application's window `map`, both on the screen: to
// the right of the map, else to its left, its top level with the map's,
// inside `workArea`.  A person reads the map's point and the tool's answers
// side by side; the system's own place is the map's corner, the tool then
// hiding all of the map but an edge.  Nothing when the map lies off the
// work area (minimized, on another screen) or neither side has room.
std::optional<ControlBox> PlaceBesideMap(const ControlBox& window, const ControlBox& map, const ControlBox& workArea);
