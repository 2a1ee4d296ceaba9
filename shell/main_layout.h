// Where the main window's controls go: each control at its own place when it
// is created; afterwards, as the window's size changes, the result list box
// fills the middle, the folder label the strip above the menu bar and the
// menu bar the bottom.  Every number is in pixels at the display scale.
#pragma once
#include "platform/control_box.h"

// Where control `controlId` (one of the ten, resources/resource_ids.h) is
// created; all zeros for any other id.
ControlBox ControlBoxAtCreation(int controlId, int displayScale);

struct MainLayout {
  ControlBox resultList, folderLabel, menuBar;
};
MainLayout LayoutMainWindow(int clientWidth, int clientHeight, int displayScale);

// The controls' font, as a font request gives its height: negative, the
// height of the characters without leading.  The handheld's user interface
// font is about 10 pixels high at scale 1 and the captions' widths are made
// for it; a desktop's system font is larger and would cut them.
int ControlFontHeight(int displayScale);
