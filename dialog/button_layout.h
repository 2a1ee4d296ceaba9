// Where the coordinate dialog puts its OK and Cancel buttons: beside the
// fields on a landscape screen, below them on a portrait one.
#pragma once

struct ButtonPlacement {
  int x;  // pixels in the dialog's client area
  int y;
  int width;
  int height;
};

struct DialogButtonLayout {
  ButtonPlacement ok;
  ButtonPlacement cancel;
};

// areaWidth and areaHeight are the area the dialog covers in pixels (the
// full screen on a handheld); scale is the display scale (1 or 2).  A square
// area counts as landscape.
DialogButtonLayout ChooseDialogButtonLayout(int areaWidth, int areaHeight, int scale);
