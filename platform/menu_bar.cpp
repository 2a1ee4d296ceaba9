#include "platform/menu_bar.h"

#include "resources/resource_ids.h"

const MenuBarButton kMenuBarButtons[kMenuBarButtonCount] = {{IDM_BAR_TESSARA, IDS_BAR_TESSARA, 0},
                                                            {IDM_BAR_MENU, IDS_BAR_MENU, 1}};

int MenuBarHeight(int displayScale) { return 26 * displayScale; }

ControlBox MenuBarBox(int clientWidth, int clientBottom, int displayScale) {
  const int height = MenuBarHeight(displayScale);
  return {0, clientBottom - height, clientWidth, height};
}

const MenuBarButton* MenuBarButtonFor(int index) {
  return index >= 0 && index < kMenuBarButtonCount ? &kMenuBarButtons[index] : nullptr;
}

ControlBox MenuBarButtonBox(int index, int barWidth, int barHeight) {
  const int half = barWidth / 2;
  return index == 0 ? ControlBox{0, 0, half, barHeight} : ControlBox{half, 0, barWidth - half, barHeight};
}

PopupAnchor MenuBarPopupAnchor(int index, int left, int top, int right) {
  return index == 0 ? PopupAnchor{left, top, false} : PopupAnchor{right, top, true};
}
