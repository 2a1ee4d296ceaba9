#include "dialog/button_layout.h"

DialogButtonLayout ChooseDialogButtonLayout(int areaWidth, int areaHeight, int scale) {
  const int width = 60 * scale;
  const int height = 30 * scale;
  if (areaWidth >= areaHeight) {
    // Landscape: the fields leave no room below, so the buttons stand in a
    // column to their right, Cancel above OK.
    return {{250 * scale, 70 * scale, width, height}, {250 * scale, 20 * scale, width, height}};
  }
  // Portrait: one row below the fields, OK on the right.
  return {{170 * scale, 210 * scale, width, height}, {100 * scale, 210 * scale, width, height}};
}
