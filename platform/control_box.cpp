#include "platform/control_box.h"

#include <algorithm>

namespace {

// Moves `at` (a start on one axis) so that `size` lies within [low, low + room].
int Inside(int at, int size, int low, int room) { return std::max(low, std::min(at, low + room - size)); }

}  // namespace

ControlBox MovedInside(const ControlBox& box, const ControlBox& area) {
  return {Inside(box.x, box.width, area.x, area.width), Inside(box.y, box.height, area.y, area.height), box.width,
          box.height};
}
