// Screenshots of the map application stand-in (cut to the readout corner),
// painted from the stand-in's copy of the glyph sets, read as a screen reader
// tick reads the live screen; and the BMP decoder's limits.
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

bool ReadTick(const BmpImage& image, int scale, bool clearType, int flag, int32_t* lon, int32_t* lat) {
  g_screenTick = ScreenTick{ReadBmpPixel, const_cast<BmpImage*>(&image), clearType, scale};
  g_alternateLayout = flag;
  const bool ok = ReadReferencePoint(lon, lat);
  g_screenTick = ScreenTick{}, g_alternateLayout = 0;
  return ok;
}

// Each is read in its own layout and ink test only.
TEST(StandinScreens, ReadInTheirOwnLayoutAndInkOnly) {
  const struct { const char* file; int scale; bool clearType, alternate; } screens[] = {
      {"standin_s1.bmp", 1, false, false}, {"standin_s1c.bmp", 1, true, false}, {"standin_s2.bmp", 2, false, false},
      {"standin_s2c.bmp", 2, true, false}, {"standin_s2a.bmp", 2, false, true}, {"standin_s2ac.bmp", 2, true, true},
      {"standin_s2ac_topdown32.bmp", 2, true, true},
  };
  for (const auto& s : screens) {
    BmpImage image;
    std::string error;
    ASSERT_TRUE(DecodeBmp(Slurp(s.file), image, error)) << s.file << ": " << error;
    int32_t lon = 0, lat = 0;
    EXPECT_TRUE(ReadTick(image, s.scale, s.clearType, s.alternate, &lon, &lat)) << s.file;
    EXPECT_EQ(std::make_pair(lon, lat), std::make_pair(503112340, 128412340)) << s.file;
    EXPECT_FALSE(ReadTick(image, s.scale, !s.clearType, s.alternate, &lon, &lat)) << s.file;
    EXPECT_FALSE(s.scale == 2 && ReadTick(image, 2, s.clearType, !s.alternate, &lon, &lat)) << s.file;
  }
}

TEST(DecodeBmp, RefusesTruncatedAndForeignFilesWithoutReadingPastThem) {
  const std::string file = Slurp("standin_s1.bmp");
  BmpImage image;
  std::string error;
  ASSERT_TRUE(DecodeBmp(file, image, error)) << error;
  for (size_t length = 0; length < file.size(); length += (length < 80 ? 1 : 997))
    EXPECT_FALSE(DecodeBmp(file.substr(0, length), image, error)) << length;
  EXPECT_FALSE(DecodeBmp(file.substr(0, file.size() - 1), image, error)) << "one byte short";
  // 8 bits per pixel, compressed, bit fields on 24 bits, a width far beyond the data, another format.
  const std::pair<size_t, char> patches[] = {{28, 8}, {30, 1}, {30, 3}, {21, 0x7F}, {0, 'P'}};
  for (auto [at, byte] : patches) {
    std::string bad = file;
    bad[at] = byte;
    EXPECT_FALSE(DecodeBmp(bad, image, error)) << at;
  }
  std::string fields = Slurp("standin_s2ac_topdown32.bmp");
  fields[30] = 3, fields[18] = 1;  // the standard masks as bit fields, on 32 bits; one pixel wide
  EXPECT_TRUE(DecodeBmp(fields, image, error)) << error;
}

}  // namespace
