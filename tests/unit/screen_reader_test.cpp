// Screen reader recognition and conversion, on synthetic pixel grids.  The
// grids are drawn from this file's own copy of the readout glyph patterns and
// sampling positions, so a wrong entry in the reader's tables shows up here.
#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "maplink/reference_point.h"
#include "maplink/screen_reader.h"
#include "platform/utf.h"

namespace {

// geometry, character, advance, black-test pattern, background-test pattern
// (the scale-1 background "." is given by its first seven samples only).
const char* const kGlyphTable = u8R"(
scale1 1 5 00000000100001 01111111111111
scale1 2 5 10000111000101 10001111001111
scale1 3 5 10000011001001 10010011001001
scale1 4 5 00011000010100 01111001111111
scale1 5 5 11110011001001 11110011111001
scale1 6 5 01111101001001 11111111101001
scale1 7 5 10000011000110 10000111001111
scale1 8 5 01101101001001 11111111011001
scale1 9 5 01100001001001 11110011001011
scale1 0 5 01111101000001 11111111000001
scale1 ° 8 01100001001000 11110001001000
scale1 ′ 6 00000000010000 11100001100000
scale1 . 3 00000000000011 0000011
scale2regular 1 7 000000000010000001 000000000010000001
scale2regular 2 7 010000011100000101 110000011110000111
scale2regular 3 7 010000010100000001 110000011110000011
scale2regular 4 7 000011000000101000 000011000001111000
scale2regular 5 7 111100010100100001 111100011111100011
scale2regular 6 7 001111110010100001 001111110011111111
scale2regular 7 7 100000000100000001 100000000100000011
scale2regular 8 7 011101110100010001 011101110111111111
scale2regular 9 7 011110000100001001 011110001111111001
scale2regular 0 7 011111110100000001 011111110111111111
scale2regular ° 10 011100000100010000 011100000111110000
scale2regular ′ 8 000000000000100000 000100000111100000
scale2regular . 4 000000000000000011 000000011000000011
scale2alternate 1 9 001000000001 001000000001
scale2alternate 2 9 010000000111 111000001111
scale2alternate 3 9 010000000011 111000000011
scale2alternate 4 9 000001010000 000011110000
scale2alternate 5 9 000000000001 111110000011
scale2alternate 6 9 001111000011 001111111111
scale2alternate 7 9 100000000111 100000000111
scale2alternate 8 9 011110000011 011110111111
scale2alternate 9 9 011111110001 011111110001
scale2alternate 0 9 011111000011 011111111111
scale2alternate ° 13 011110000000 111110000000
scale2alternate ′ 10 000110000000 001110000000
scale2alternate . 5 000000000011 000000000011
)";

struct TestGlyph {
  int advance;
  std::string black, background;
};
std::map<std::string, std::map<char16_t, TestGlyph>> LoadGlyphTable() {
  std::map<std::string, std::map<char16_t, TestGlyph>> table;
  std::istringstream in(kGlyphTable);
  std::string geometry, character, black, background;
  int advance;
  while (in >> geometry >> character >> advance >> black >> background)
    table[geometry][Utf8ToUtf16(character)[0]] = {advance, black, background};
  return table;
}

const char* GeometryName(ReadoutGeometry g) {
  return g == kGeometryScale1 ? "scale1" : g == kGeometryScale2Regular ? "scale2regular" : "scale2alternate";
}

constexpr uint32_t kWhite = 0x00FFFFFF;
constexpr uint32_t kPaper = 0x00F0E0C0;  // a coloured background
constexpr uint32_t kInkColour = 0x00402010;

// A screen of pixels; reads outside it give no pixel.
struct Grid {
  int width, height;
  std::vector<uint32_t> pixels;
  std::vector<std::pair<int, int>> reads;
  bool recordReads = false;
  Grid(int w, int h, uint32_t paper) : width(w), height(h), pixels(size_t(w) * h, paper) {}
  void Set(int x, int y, uint32_t c) {
    if (x >= 0 && y >= 0 && x < width && y < height) pixels[size_t(y) * width + x] = c;
  }
};

uint32_t ReadGrid(void* context, int x, int y) {
  Grid* grid = static_cast<Grid*>(context);
  if (grid->recordReads) grid->reads.push_back({x, y});
  if (x < 0 || y < 0 || x >= grid->width || y >= grid->height) return kPixelUnavailable;
  return grid->pixels[size_t(y) * grid->width + x];
}

// Each cell's two sampled columns: (column offset, first row) of each, and rows per column.
struct Sampling {
  int column1, top1, column2, top2, rows;
};
Sampling SamplingOf(ReadoutGeometry g, bool background) {
  if (g == kGeometryScale1) return background ? Sampling{1, 0, 2, 0, 7} : Sampling{0, 0, 1, 0, 7};
  if (g == kGeometryScale2Regular) return {0, 0, 1, 0, 9};
  return {1, 0, 2, 6, 6};
}

// Draws the sampled pixels of `text` at (x0, y0); returns the x after it.
int DrawReadout(Grid& grid, ReadoutGeometry g, bool background, int x0, int y0, const std::u16string& text,
                uint32_t ink = 0) {
  static const auto table = LoadGlyphTable();
  const auto& glyphs = table.at(GeometryName(g));
  Sampling s = SamplingOf(g, background);
  int x = x0;
  for (char16_t c : text) {
    const TestGlyph& glyph = glyphs.at(c);
    const std::string& p = background ? glyph.background : glyph.black;
    for (int i = 0; i < int(p.size()); ++i) {
      if (p[i] != '1') continue;
      bool first = i < s.rows;
      int row = first ? i : i - s.rows;
      grid.Set(x + (first ? s.column1 : s.column2), y0 + (first ? s.top1 : s.top2) + row, ink);
    }
    x += glyph.advance;
  }
  return x;
}

struct Case {
  ReadoutGeometry geometry;
  bool clearType;
};
const Case kAllSets[] = {{kGeometryScale1, false},        {kGeometryScale1, true},
                         {kGeometryScale2Regular, false}, {kGeometryScale2Regular, true},
                         {kGeometryScale2Alternate, false}, {kGeometryScale2Alternate, true}};

// Origins as the map application places its readout.
struct Origins {
  int lonX, lonY, latX, latY;
};
Origins OriginsOf(ReadoutGeometry g) {
  if (g == kGeometryScale1) return {35, 30, 38, 42};
  if (g == kGeometryScale2Regular) return {68, 60, 72, 76};
  return {68, 61, 73, 79};
}

class ScreenReaderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    g_referenceLongitude = g_referenceLatitude = 0;
    g_alternateLayout = 0;
    g_screenTick = ScreenTick{};
  }
  void TearDown() override { g_screenTick = ScreenTick{}; }
  // Points the reader at `grid` with the scale and flags of a case.
  void Use(Grid& grid, const Case& c) {
    g_screenTick.readPixel = ReadGrid;
    g_screenTick.context = &grid;
    g_screenTick.clearType = c.clearType;
    g_screenTick.displayScale = c.geometry == kGeometryScale1 ? 1 : 2;
    g_alternateLayout = c.geometry == kGeometryScale2Alternate ? 1 : 0;
  }
  static uint32_t Ink(const Case& c) { return c.clearType ? kInkColour : 0; }
  static Grid Paper(const Case& c, int w = 480, int h = 160) { return Grid(w, h, c.clearType ? kPaper : kWhite); }
  static int Draw(Grid& grid, const Case& c, int x, int y, const std::u16string& text) {
    return DrawReadout(grid, c.geometry, c.clearType, x, y, text, Ink(c));
  }
  // Draws the readout at the map application's origins; an empty text is not drawn.
  static void DrawReadouts(Grid& grid, const Case& c, const std::u16string& lon, const std::u16string& lat) {
    Origins o = OriginsOf(c.geometry);
    if (!lon.empty()) Draw(grid, c, o.lonX, o.lonY, lon);
    if (!lat.empty()) Draw(grid, c, o.latX, o.latY, lat);
  }
};

const std::u16string kLon = u"139\u00B045\u203212.34", kLat = u"35\u00B040\u203212.34";

std::string Describe(const Case& c) {
  return std::string(GeometryName(c.geometry)) + (c.clearType ? " background test" : " black test");
}

TEST_F(ScreenReaderTest, EveryGlyphOfEverySetIsRecognisedAlone) {
  for (const Case& c : kAllSets) {
    for (char16_t ch : std::u16string(u"1234567890\u00B0\u2032.")) {
      Grid grid = Paper(c);
      Use(grid, c);
      Draw(grid, c, 100, 80, std::u16string(1, ch));
      bool tooLong = true;
      EXPECT_EQ(Utf16ToUtf8(RecogniseReadout(100, 80, &tooLong)), Utf16ToUtf8(std::u16string(1, ch))) << Describe(c);
      EXPECT_FALSE(tooLong);
    }
  }
}

// Both numbers are stored and the layout kept; a longitude without its
// latitude stores nothing and flips the layout flag.
TEST_F(ScreenReaderTest, TickStoresBothNumbersOrNothing) {
  for (const Case& c : kAllSets) {
    SetUp();
    g_referenceLongitude = 11, g_referenceLatitude = 22;
    Grid half = Paper(c);
    Use(half, c);
    DrawReadouts(half, c, kLon, u"");
    int flag = g_alternateLayout;
    int32_t lon = -1, lat = -1;
    EXPECT_FALSE(ReadReferencePoint(&lon, &lat)) << Describe(c);
    EXPECT_EQ(lon, -1);
    EXPECT_EQ(g_referenceLongitude, 11);
    EXPECT_EQ(g_referenceLatitude, 22);
    EXPECT_EQ(g_alternateLayout, 1 - flag) << Describe(c);

    Grid grid = Paper(c);
    Use(grid, c);
    DrawReadouts(grid, c, kLon, kLat);
    EXPECT_TRUE(ReadReferencePoint(&lon, &lat)) << Describe(c);
    EXPECT_EQ(lon, 503112340) << Describe(c);
    EXPECT_EQ(lat, 128412340) << Describe(c);
    EXPECT_EQ(g_referenceLongitude, 503112340);
    EXPECT_EQ(g_referenceLatitude, 128412340);
    EXPECT_EQ(g_alternateLayout, flag) << "a successful tick keeps the layout";
    // Pixels off the screen are background, never ink: only the ink and the
    // background test's reference pixel exist.
    Grid bare(480, 160, kPixelUnavailable);
    DrawReadouts(bare, c, kLon, kLat);
    bare.Set(c.geometry == kGeometryScale1 ? 35 : 62, c.geometry == kGeometryScale1 ? 30 : 60, kPaper);
    Use(bare, c);
    lon = 0;
    EXPECT_TRUE(ReadReferencePoint(&lon, &lat)) << "off-screen paper, " << Describe(c);
    EXPECT_EQ(lon, 503112340) << "off-screen paper, " << Describe(c);
  }
}

TEST_F(ScreenReaderTest, AtScale2AFailedTickMakesTheNextTickReadTheAlternateLayout) {
  Case alternate{kGeometryScale2Alternate, false};
  Grid grid = Paper(alternate);
  Use(grid, alternate);
  g_alternateLayout = 0;  // the reader starts with the regular layout
  DrawReadouts(grid, alternate, kLon, kLat);
  int32_t lon = 0, lat = 0;
  EXPECT_FALSE(ReadReferencePoint(&lon, &lat));
  EXPECT_EQ(g_alternateLayout, 1);
  EXPECT_TRUE(ReadReferencePoint(&lon, &lat));
  EXPECT_EQ(lat, 128412340);
  // At scale 1 the flag changes nothing.
  Case scale1{kGeometryScale1, false};
  Grid small = Paper(scale1);
  Use(small, scale1);
  g_alternateLayout = 1;
  DrawReadouts(small, scale1, kLon, kLat);
  EXPECT_TRUE(ReadReferencePoint(&lon, &lat));
  EXPECT_EQ(lat, 128412340);
}

// Twelve characters are read (hundredths whatever their number of digits),
// thirteen fail; the first unknown cell ends the number; a readout running
// off the right edge ends there.
TEST_F(ScreenReaderTest, LengthUnknownCellsAndScreenEdge) {
  for (const Case& c : kAllSets) {
    Grid grid = Paper(c);
    Use(grid, c);
    Draw(grid, c, 20, 20, u"12\u00B034\u203256.789");
    EXPECT_EQ(ReadScreenCoordinate(20, 20), ((12 * 60 + 34) * 60 + 56) * 1000 + 789 * 10) << Describe(c);
    Draw(grid, c, 20, 80, u"12\u00B034\u203256.7891");
    EXPECT_EQ(ReadScreenCoordinate(20, 80), 0) << Describe(c);
    bool tooLong = false;
    RecogniseReadout(20, 80, &tooLong);
    EXPECT_TRUE(tooLong);
    int x = Draw(grid, c, 200, 20, u"139\u00B045\u203212");
    Draw(grid, c, x + 20, 20, u".99");  // after one blank cell
    EXPECT_EQ(ReadScreenCoordinate(200, 20), 503112000) << Describe(c);
    EXPECT_EQ(ReadScreenCoordinate(300, 100), 0) << "nothing at the origin: " << Describe(c);
    Grid narrow = Paper(c, 60, 60);
    Use(narrow, c);
    Draw(narrow, c, 20, 5, kLon);
    EXPECT_NE(ReadScreenCoordinate(20, 5), 503112340) << Describe(c);
    EXPECT_EQ(ReadScreenCoordinate(-500, -500), 0);
  }
}

TEST_F(ScreenReaderTest, ReadoutRegionHoldsEveryPixelATickReads) {
  for (const Case& c : kAllSets) {
    Grid grid = Paper(c);
    Use(grid, c);
    // The widest glyph thirteen times: the longest stretch a number can read.
    DrawReadouts(grid, c, std::u16string(13, u'\u00B0'), std::u16string(13, u'\u00B0'));
    grid.recordReads = true;
    int32_t lon, lat;
    ReadReferencePoint(&lon, &lat);
    g_alternateLayout = c.geometry == kGeometryScale2Alternate ? 1 : 0;
    PixelRect r = ReadoutRegion();
    ASSERT_FALSE(grid.reads.empty());
    for (auto [x, y] : grid.reads)
      EXPECT_TRUE(x >= r.left && x < r.right && y >= r.top && y < r.bottom)
          << Describe(c) << " read (" << x << "," << y << ")";
  }
}

TEST(ConvertReadoutText, Cases) {
  const struct {
    const char* text;
    int32_t ms;
  } cases[] = {
      {u8"139°45′12.34", 503112340},
      {u8"35°40′12.34", 128412340},
      {u8"139°4512.34", ((139 * 60 + 4512) * 60) * 1000 + 340},  // no minute mark
      {u8"139°45′12", 503112000},                                // no point
      {u8"139°45′12.3", 503112030},
      {u8"139°45′12.345", 503112000 + 3450},                     // hundredths whatever their number
      {u8"1°45′12.34", 0},                                       // degree mark at index 1
      {u8"1394°5′12.34", 0},                                     // at index 4
      {u8"13945′12.34", 0},                                      // none
      {u8"", 0},
      {u8"12°", 12 * 3600000},
      {u8"12°′.", 12 * 3600000},
      {u8"12°.5′7", 12 * 3600000 + 50},  // minutes ".5", seconds empty
      {u8"12°°3′", 12 * 3600000},        // minutes begin with a non-digit
      {u8"00°00′00.00", 0},
      // Wraps like 32-bit arithmetic.
      {u8"12°99999999", static_cast<int32_t>(((12u * 60u + 99999999u) * 60u) * 1000u)},
  };
  for (const auto& c : cases) EXPECT_EQ(ConvertReadoutText(Utf8ToUtf16(c.text)), c.ms) << c.text;
}

}  // namespace
