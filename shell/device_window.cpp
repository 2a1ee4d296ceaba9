#include "shell/device_window.h"

#include "platform/menu_bar.h"

namespace {

// A device's screen and the widest screen a device has, at scale 1.
constexpr int kDeviceWidth = 240;
constexpr int kDeviceHeight = 320;
constexpr int kWidestDevice = 2 * kDeviceWidth;

}  // namespace

bool ScreenHoldsDeviceWindow(int screenWidth, const ControlBox& workArea, int displayScale) {
  return screenWidth > kWidestDevice * displayScale && workArea.height > kDeviceHeight * displayScale;
}

ControlBox DeviceClientArea(int displayScale) {
  // The handheld's title bar is as high as its soft-key bar.
  return {0, 0, kDeviceWidth * displayScale, kDeviceHeight * displayScale - MenuBarHeight(displayScale)};
}
