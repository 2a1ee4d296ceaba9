// The bitmap reader behind `kariosearch-cli read-screen` on arbitrary bytes as a file: no crash, no read outside
// the bytes or the decoded rows, and the same answer twice, for the decode and for a screen tick in every layout.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "tools/common/bmp_pixels.h"
#include "maplink/screen_reader.h"

namespace {

// What a file gives: nothing, or its size, its pixels and per layout whether a point was read and which.
std::vector<int64_t> ReadOnce(const std::string& bytes) {
  BmpImage image;
  std::string error;
  if (!DecodeBmp(bytes, image, error)) return {};
  // A decoded image holds one pixel per place, and there is none beside it.
  if (image.width <= 0 || image.height <= 0) std::abort();
  if (image.pixels.size() != static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height))
    std::abort();
  for (auto [x, y] : {std::pair{-1, 0}, {0, -1}, {image.width, 0}, {0, image.height}})
    if (ReadBmpPixel(&image, x, y) != kPixelUnavailable) std::abort();
  std::vector<int64_t> answer{image.width, image.height};
  answer.insert(answer.end(), image.pixels.begin(), image.pixels.end());
  for (int scale : {1, 2}) {
    for (bool clearType : {false, true}) {
      for (int layout : {0, 1}) {
        g_screenTick = ScreenTick{ReadBmpPixel, &image, clearType, scale};
        g_alternateLayout = layout;
        int32_t lon = 0;
        int32_t lat = 0;
        answer.push_back(ReadReferencePoint(&lon, &lat));
        answer.push_back(lon);
        answer.push_back(lat);
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
  if (ReadOnce(bytes) != ReadOnce(bytes)) std::abort();
  return 0;
}
