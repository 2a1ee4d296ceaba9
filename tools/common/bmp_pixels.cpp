#include "tools/common/bmp_pixels.h"

#include "maplink/pixel_grid.h"

namespace {

uint32_t Le(const std::string& b, size_t at, int bytes) {
  uint32_t v = 0;
  for (int i = bytes - 1; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(b[at + i]);
  return v;
}

}  // namespace

bool DecodeBmp(const std::string& bytes, BmpImage& image, std::string& error) {
  if (bytes.size() < 54 || bytes[0] != 'B' || bytes[1] != 'M') {
    error = "not a BMP file";
    return false;
  }
  uint32_t dataOffset = Le(bytes, 10, 4);
  uint32_t headerSize = Le(bytes, 14, 4);
  if (headerSize < 40 || 14u + headerSize > bytes.size()) {
    error = "unsupported BMP header";
    return false;
  }
  int32_t width = static_cast<int32_t>(Le(bytes, 18, 4));
  int32_t height = static_cast<int32_t>(Le(bytes, 22, 4));
  uint32_t bitsPerPixel = Le(bytes, 28, 2);
  uint32_t compression = Le(bytes, 30, 4);
  // 32-bit files may declare their (standard) channel masks as bit fields.
  if ((bitsPerPixel != 24 && bitsPerPixel != 32) || !(compression == 0 || (compression == 3 && bitsPerPixel == 32))) {
    error = "only uncompressed 24- and 32-bit BMP files are read";
    return false;
  }
  bool topDown = height < 0;
  int64_t rows = topDown ? -static_cast<int64_t>(height) : height;
  if (width <= 0 || rows <= 0 || width > 65536 || rows > 65536) {
    error = "bad BMP size";
    return false;
  }
  uint64_t stride = (static_cast<uint64_t>(width) * bitsPerPixel + 31) / 32 * 4;
  if (dataOffset > bytes.size() || stride * rows > bytes.size() - dataOffset) {
    error = "BMP file is truncated";
    return false;
  }
  image.width = width;
  image.height = static_cast<int>(rows);
  image.pixels.assign(static_cast<size_t>(width) * rows, 0);
  size_t step = bitsPerPixel / 8;
  for (int64_t y = 0; y < rows; ++y) {
    size_t row = dataOffset + static_cast<size_t>((topDown ? y : rows - 1 - y) * stride);
    for (int32_t x = 0; x < width; ++x) {
      size_t at = row + x * step;
      uint32_t blue = static_cast<unsigned char>(bytes[at]);
      uint32_t green = static_cast<unsigned char>(bytes[at + 1]);
      uint32_t red = static_cast<unsigned char>(bytes[at + 2]);
      image.pixels[static_cast<size_t>(y) * width + x] = (blue << 16) | (green << 8) | red;
    }
  }
  return true;
}

uint32_t ReadBmpPixel(void* context, int x, int y) {
  const BmpImage* image = static_cast<const BmpImage*>(context);
  return ReadGridPixel(WholeImageGrid(image->width, image->height), image->pixels.data(), x, y);
}
