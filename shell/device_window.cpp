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

std::optional<ControlBox> PlaceBesideMap(const ControlBox& window, const ControlBox& map, const ControlBox& workArea) {
  const int areaRight = workArea.x + workArea.width, mapRight = map.x + map.width;
  const bool mapShown = map.width > 0 && map.height > 0 && map.x < areaRight && mapRight > workArea.x &&
                        map.y < workArea.y + workArea.height && map.y + map.height > workArea.y;
  if (!mapShown) return std::nullopt;
  int x;
  if (areaRight - mapRight >= window.width) {
    x = mapRight;
  } else if (map.x - workArea.x >= window.width) {
    x = map.x - window.width;
  } else {
    return std::nullopt;
  }
  return MovedInside({x, map.y, window.width, window.height}, workArea);
}
