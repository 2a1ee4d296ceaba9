// A window's place in its parent's client area, in pixels.
#pragma once

struct ControlBox {
  int x, y, width, height;
};
