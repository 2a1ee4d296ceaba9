#include "dialog/typed_point.h"

#include "core/messages.h"
#include "dialog/milliseconds_field.h"
#include "maplink/launch.h"
#include "platform/message_box.h"

bool StartAtTypedPoint(const std::u16string& lonText, const std::u16string& latText, bool wgs84) {
  const TypedPoint point = ReadTypedPoint(lonText, latText, wgs84);
  if (!point.inJapan) {
    ShowMessage(kOutOfJapanMessage);
    return false;
  }
  LaunchMapApplication(point.lon, point.lat, kTypedPointMapType, kLaunchShowPoint);
  return true;
}
