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

// screenWidth and screenHeight are the full screen in pixels; scale is the
// display scale (1 or 2).  A square screen counts as landscape.
DialogButtonLayout ChooseDialogButtonLayout(int screenWidth, int screenHeight, int scale);
