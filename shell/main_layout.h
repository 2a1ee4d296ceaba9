// Where the main window's controls that follow its size go: the result list
// box fills the middle, the folder label the strip above the menu bar.
#pragma once

struct ControlBox {
  int x, y, width, height;
};
struct MainLayout {
  ControlBox resultList, folderLabel;
};
MainLayout LayoutMainWindow(int clientWidth, int clientHeight, int displayScale);
