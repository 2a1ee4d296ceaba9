// The bitmap reader behind `kariosearch-cli read-screen` on arbitrary bytes as a file: no crash, no read outside
// the bytes or the decoded rows, and the same answer twice, for the decode and for a screen tick in every layout.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "maplink/bmp_pixels.h"
#include "maplink/screen_reader.h"

namespace {

struct Answer {
  bool decoded = false, read = false;
  int width = 0, height = 0;
  std::vector<uint32_t> pixels;
  std::vector<int32_t> points;  // per layout: read or not, longitude, latitude

  bool operator==(const Answer& o) const {
    return decoded == o.decoded && width == o.width && height == o.height && pixels == o.pixels && points == o.points;
  }
};

Answer ReadOnce(const std::string& bytes) {
  Answer answer;
  BmpImage image;
  std::string error;
  answer.decoded = DecodeBmp(bytes, image, error);
  if (!answer.decoded) return answer;
  // A decoded image holds one pixel per place, and there is none beside it.
  if (image.width <= 0 || image.height <= 0) std::abort();
  if (image.pixels.size() != static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height))
    std::abort();
  for (auto [x, y] : {std::pair{-1, 0}, {0, -1}, {image.width, 0}, {0, image.height}})
    if (ReadBmpPixel(&image, x, y) != kPixelUnavailable) std::abort();
  answer.width = image.width;
  answer.height = image.height;
  answer.pixels = image.pixels;
  for (int scale : {1, 2}) {
    for (bool clearType : {false, true}) {
      for (int layout : {0, 1}) {
        g_screenTick = ScreenTick{ReadBmpPixel, &image, clearType, scale};
        g_alternateLayout = layout;
        int32_t lon = 0;
        int32_t lat = 0;
        answer.points.push_back(ReadReferencePoint(&lon, &lat) ? 1 : 0);
        answer.points.push_back(lon);
        answer.points.push_back(lat);
      }
    }
  }
  g_screenTick = ScreenTick{};
  g_alternateLayout = 0;
  return answer;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  if (!(ReadOnce(bytes) == ReadOnce(bytes))) std::abort();
  return 0;
}
