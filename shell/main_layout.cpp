#include "shell/main_layout.h"

MainLayout LayoutMainWindow(int clientWidth, int clientHeight, int displayScale) {
  const int s = displayScale;
  return MainLayout{{5 * s, 85 * s, clientWidth - 10 * s, clientHeight - 129 * s},
                    {0, clientHeight - 42 * s, clientWidth, 15 * s}};
}
