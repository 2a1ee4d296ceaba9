#include <cstdio>

#include "maplink/launch.h"

std::u16string FormatLaunchSwitches(int32_t longitude, int32_t latitude, int mapType) {
  char text[96];
  std::snprintf(text, sizeof text, " /M_LON=%d /M_LAT=%d /M_ANGLE=0 /M_TYPE=%d", static_cast<int>(longitude),
                static_cast<int>(latitude), mapType);
  return std::u16string(text, text + std::char_traits<char>::length(text));
}

std::u16string ManualPathFor(const std::u16string& programPath) {
  // Exactly three characters go, whatever the extension's length was.
  std::u16string path = programPath.size() >= 3 ? programPath.substr(0, programPath.size() - 3) : u"";
  return path + u"htm";
}
