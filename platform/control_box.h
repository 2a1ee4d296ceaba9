// A window's place in its parent's client area, in pixels.
#pragma once

struct ControlBox {
  int x, y, width, height;
};

// `box` moved, not resized, so that it lies within `area`; a box larger than
// the area keeps its left or top edge on the area's.
ControlBox MovedInside(const ControlBox& box, const ControlBox& area);
