// Pixels of a screenshot in a Windows bitmap file (24 or 32 bits per pixel,
// uncompressed, bottom-up or top-down), so that the screen reader can read a
// saved screen as it reads the live one.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

struct BmpImage {
  int width = 0, height = 0;
  std::vector<uint32_t> pixels;  // top row first, each 0x00BBGGRR as a pixel read gives it
};

// Decodes the bytes of a .bmp file; false (with a reason) for anything else.
bool DecodeBmp(const std::string& bytes, BmpImage& image, std::string& error);

// A PixelReader over a decoded image (context: BmpImage*); outside the image
// there is no pixel.
uint32_t ReadBmpPixel(void* context, int x, int y);
