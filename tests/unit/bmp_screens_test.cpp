// Screenshots of the map application stand-in (cut to the readout corner),
// painted from the stand-in's copy of the glyph sets, read as a screen reader
// tick reads the live screen; and the BMP decoder's limits.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "tools/common/bmp_pixels.h"
#include "maplink/screen_reader.h"

namespace {

std::string Slurp(const std::string& name) {
  std::ifstream in(std::string(KARIO_SOURCE_DIR) + "/tests/unit/data/screens/" + name, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

bool ReadTick(const BmpImage& image, int scale, bool clearType, int flag, int32_t* lon, int32_t* lat) {
  g_screenTick = ScreenTick{ReadBmpPixel, const_cast<BmpImage*>(&image), clearType, scale};
  g_alternateLayout = flag;
  const bool ok = ReadReferencePoint(lon, lat);
  g_screenTick = ScreenTick{};
  g_alternateLayout = 0;
  return ok;
}

// Each is read in its own layout and ink test only.
TEST(StandinScreens, ReadInTheirOwnLayoutAndInkOnly) {
  const struct {
    const char* file;
    int scale;
    bool clearType, alternate;
  } screens[] = {
      {"standin_s1.bmp", 1, false, false},           {"standin_s1c.bmp", 1, true, false},
      {"standin_s2.bmp", 2, false, false},           {"standin_s2c.bmp", 2, true, false},
      {"standin_s2a.bmp", 2, false, true},           {"standin_s2ac.bmp", 2, true, true},
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
    if (s.scale == 2) {
      EXPECT_FALSE(ReadTick(image, 2, s.clearType, !s.alternate, &lon, &lat)) << s.file << " in the other layout";
    }
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
  for (auto [at, byte] : patches)
    EXPECT_FALSE(DecodeBmp(std::string(file).replace(at, 1, 1, byte), image, error)) << at;
  std::string fields = Slurp("standin_s2ac_topdown32.bmp");
  // The standard masks as bit fields, on 32 bits; one pixel wide.
  fields[30] = 3;
  fields[18] = 1;
  EXPECT_TRUE(DecodeBmp(fields, image, error)) << error;
}

// A file laid out by hand: the 14-byte file header, the 40-byte info header,
// then rows of blue, green, red padded to 4 bytes.  A pixel reads
// 0x00BBGGRR, so the bytes 01 02 03 read 0x010203.
std::string HandBmp(int32_t width, int32_t height, int32_t headerSize, const std::string& rows) {
  std::string b(54, '\0');
  auto put = [&](size_t at, int32_t v) {
    for (int i = 0; i < 4; ++i) b[at + i] = char(uint32_t(v) >> (8 * i));
  };
  b[0] = 'B';
  b[1] = 'M';
  b[26] = 1;   // planes
  b[28] = 24;  // bits per pixel
  put(10, 54);
  put(14, headerSize);
  put(18, width);
  put(22, height);
  return b + rows;
}

// The first row of the file is the bottom row unless the height is negative;
// one row is a picture; widths up to 65536 are read.
TEST(DecodeBmp, RowsRunBottomUpUnlessTheHeightIsNegativeAndSizesHaveLimits) {
  const std::string twoRows("\x01\x02\x03\0\x04\x05\x06\0", 8);
  const struct {
    int32_t width, height, headerSize;
    std::string rows;
    std::vector<uint32_t> pixels;
  } cases[] = {
      {1, 2, 40, twoRows, {0x040506, 0x010203}},
      {1, -2, 40, twoRows, {0x010203, 0x040506}},
      {1, 2, 12, twoRows, {}},  // a header too short for the sizes
      {65537, 1, 40, std::string(65537 * 3 + 1, '\0'), {}},
      {1, 65537, 40, std::string(65537 * 4, '\0'), {}},  // past any screen
      {65536, 1, 40, std::string(65536 * 3, '\x07'), std::vector<uint32_t>(65536, 0x070707)},
  };
  for (const auto& c : cases) {
    BmpImage image;
    std::string error;
    const bool read = DecodeBmp(HandBmp(c.width, c.height, c.headerSize, c.rows), image, error);
    EXPECT_EQ(read ? image.pixels : std::vector<uint32_t>{}, c.pixels) << c.width << "x" << c.height;
  }
}

}  // namespace
