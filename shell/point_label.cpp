#include "shell/point_label.h"

#include "platform/utf.h"

std::u16string PointLabelText(int32_t longitude, int32_t latitude) {
  return AsciiToUtf16(std::to_string(longitude) + " " + std::to_string(latitude));
}
