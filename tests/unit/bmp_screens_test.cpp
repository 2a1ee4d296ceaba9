// Screenshots of the map application stand-in (cut to the readout corner)
// read as a screen reader tick reads the live screen; and the BMP decoder's
// limits.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "maplink/bmp_pixels.h"
#include "maplink/screen_reader.h"

namespace {

std::string Slurp(const std::string& name) {
  std::ifstream in(std::string(KARIO_SOURCE_DIR) + "/tests/unit/data/screens/" + name, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

struct Screen {
  const char* file;
  int scale;
  bool clearType, alternate;
};
const Screen kScreens[] = {
    {"standin_s1.bmp", 1, false, false},   {"standin_s1c.bmp", 1, true, false},
    {"standin_s2.bmp", 2, false, false},   {"standin_s2c.bmp", 2, true, false},
    {"standin_s2a.bmp", 2, false, true},   {"standin_s2ac.bmp", 2, true, true},
    {"standin_s2ac_topdown32.bmp", 2, true, true},
};

bool ReadTick(const BmpImage& image, int scale, bool clearType, int flag, int32_t* lon, int32_t* lat) {
  g_screenTick = ScreenTick{ReadBmpPixel, const_cast<BmpImage*>(&image), clearType, scale};
  g_alternateLayout = flag;
  bool ok = ReadReferencePoint(lon, lat);
  g_screenTick = ScreenTick{};
  return ok;
}

TEST(StandinScreens, ReadInTheirOwnLayoutAndInkOnly) {
  for (const Screen& s : kScreens) {
    BmpImage image;
    std::string error;
    ASSERT_TRUE(DecodeBmp(Slurp(s.file), image, error)) << s.file << ": " << error;
    int32_t lon = 0, lat = 0;
    EXPECT_TRUE(ReadTick(image, s.scale, s.clearType, s.alternate, &lon, &lat)) << s.file;
    EXPECT_EQ(lon, 503112340) << s.file;
    EXPECT_EQ(lat, 128412340) << s.file;
    // The other ink test reads nothing.
    EXPECT_FALSE(ReadTick(image, s.scale, !s.clearType, s.alternate, &lon, &lat)) << s.file;
    if (s.scale == 2) {
      EXPECT_FALSE(ReadTick(image, 2, s.clearType, !s.alternate, &lon, &lat)) << s.file << " other layout";
    }
  }
}

TEST(DecodeBmp, RowOrderAndDepthGiveTheSamePixels) {
  BmpImage bottomUp24, topDown32;
  std::string error;
  ASSERT_TRUE(DecodeBmp(Slurp("standin_s2ac.bmp"), bottomUp24, error));
  ASSERT_TRUE(DecodeBmp(Slurp("standin_s2ac_topdown32.bmp"), topDown32, error));
  EXPECT_EQ(bottomUp24.width, 250);
  EXPECT_EQ(bottomUp24.height, 95);
  EXPECT_EQ(bottomUp24.pixels, topDown32.pixels);
  // Colours as a pixel read gives them: 0x00BBGGRR; the stand-in's paper is
  // RGB(255, 248, 220).
  EXPECT_EQ(ReadBmpPixel(&bottomUp24, 0, 0), 0x00DCF8FFu);
  EXPECT_EQ(ReadBmpPixel(&bottomUp24, 250, 0), kPixelUnavailable);
  EXPECT_EQ(ReadBmpPixel(&bottomUp24, 0, -1), kPixelUnavailable);
}

TEST(DecodeBmp, RefusesTruncatedAndForeignFilesWithoutReadingPastThem) {
  std::string file = Slurp("standin_s1.bmp");
  ASSERT_FALSE(file.empty());
  BmpImage image;
  std::string error;
  for (size_t length = 0; length < file.size(); length += (length < 80 ? 1 : 997)) {
    EXPECT_FALSE(DecodeBmp(file.substr(0, length), image, error)) << length;
  }
  std::string eightBit = file;
  eightBit[28] = 8;
  EXPECT_FALSE(DecodeBmp(eightBit, image, error));
  std::string compressed = file;
  compressed[30] = 1;
  EXPECT_FALSE(DecodeBmp(compressed, image, error));
  std::string huge = file;
  huge[21] = 0x7F;  // width far beyond the data
  EXPECT_FALSE(DecodeBmp(huge, image, error));
  EXPECT_FALSE(DecodeBmp("PK" + file.substr(2), image, error));
}

}  // namespace
