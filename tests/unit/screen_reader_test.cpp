// Screen reader recognition and conversion, on pixel grids drawn with the reader's own glyph sets.  (The
// screenshots in bmp_screens_test.cpp are of the stand-in, which paints from its own copy of the sets: they
// check the geometry, the inks and that copy, not the sets against the map application's drawing.)
#include <gtest/gtest.h>

#include <vector>

#include "core/reference_point.h"
#include "maplink/screen_reader.h"
#include "platform/utf.h"
#include "shell/point_label.h"
#include "tests/unit/test_support.h"

namespace {

// A screen of pixels that records every read; reads outside it give no pixel.
struct Grid {
  int width, height;
  std::vector<uint32_t> pixels;
  std::vector<std::pair<int, int>> reads;
  bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
  void Set(int x, int y, uint32_t c) {
    if (Inside(x, y)) pixels[size_t(y) * width + x] = c;
  }
};
uint32_t ReadGrid(void* context, int x, int y) {
  Grid* grid = static_cast<Grid*>(context);
  grid->reads.push_back({x, y});
  return grid->Inside(x, y) ? grid->pixels[size_t(y) * grid->width + x] : kPixelUnavailable;
}

struct Case {
  ReadoutGeometry geometry;
  bool clearType;
};
const Case kAllSets[] = {{kGeometryScale1, false},          {kGeometryScale1, true},
                         {kGeometryScale2Regular, false},   {kGeometryScale2Regular, true},
                         {kGeometryScale2Alternate, false}, {kGeometryScale2Alternate, true}};
std::string Describe(const Case& c) { return std::to_string(c.geometry) + (c.clearType ? " background" : " black"); }
const std::u16string kLon = u"139\u00B045\u203212.34", kLat = u"35\u00B040\u203212.34";

// Points the reader at a fresh screen with the scale and flags of a case.
Grid g_grid;
Grid& Use(const Case& c, int w = 480, int h = 160, uint32_t paper = 0) {
  g_grid = Grid{w, h, std::vector<uint32_t>(size_t(w) * h, paper ? paper : c.clearType ? 0x00F0E0C0 : 0x00FFFFFF), {}};
  g_screenTick = ScreenTick{ReadGrid, &g_grid, c.clearType, c.geometry == kGeometryScale1 ? 1 : 2};
  g_alternateLayout = c.geometry == kGeometryScale2Alternate ? 1 : 0;
  return g_grid;
}

// Draws the sampled pixels of `text` with its first cell at (x0, y0); returns the x after it.
int Draw(Grid& grid, const Case& c, int x0, int y0, const std::u16string& text) {
  const int rows = c.geometry == kGeometryScale1 ? 7 : c.geometry == kGeometryScale2Regular ? 9 : 6;
  const int shift = c.geometry == kGeometryScale1 && c.clearType ? 1 : c.geometry == kGeometryScale2Alternate ? 1 : 0;
  const int secondTop = c.geometry == kGeometryScale2Alternate ? 6 : 0;
  const GlyphEntry* set = GlyphSetFor(c.geometry, c.clearType ? kInkBackground : kInkBlack);
  int x = x0;
  for (char16_t ch : text) {
    const GlyphEntry* g = set;
    while (g->character != ch) ++g;
    for (int i = 0; g->pattern[i]; ++i)
      if (g->pattern[i] == '1')
        grid.Set(x + shift + (i >= rows), y0 + (i < rows ? i : secondTop + i - rows), c.clearType ? 0x00402010 : 0);
    x += g->advance;
  }
  return x;
}
void DrawReadouts(Grid& grid, const Case& c, const std::u16string& lon, const std::u16string& lat) {
  const ReadoutLayout l = CurrentReadoutLayout();
  if (!lon.empty()) Draw(grid, c, l.longitudeX, l.longitudeY, lon);
  if (!lat.empty()) Draw(grid, c, l.latitudeX, l.latitudeY, lat);
}

// Both numbers are stored and the layout kept; either number without the
// other stores nothing and flips the layout flag.  Pixels off the screen are
// never ink.
TEST(ScreenReader, TickStoresBothNumbersOrNothing) {
  ReferencePointScope ref(11, 22);
  for (const Case& c : kAllSets) {
    int32_t lon = -1, lat = -1;
    for (bool longitudeShown : {true, false}) {
      g_referenceLongitude = 11;
      g_referenceLatitude = 22;
      DrawReadouts(Use(c), c, longitudeShown ? kLon : u"", longitudeShown ? u"" : kLat);
      const int flag = g_alternateLayout;
      EXPECT_FALSE(ReadReferencePoint(&lon, &lat)) << Describe(c);
      EXPECT_EQ(std::make_tuple(lon, g_referenceLongitude, g_referenceLatitude, g_alternateLayout),
                std::make_tuple(-1, 11, 22, 1 - flag))
          << Describe(c) << longitudeShown;
      g_alternateLayout = flag;
    }
    const int flag = g_alternateLayout;
    DrawReadouts(Use(c, 480, 160, kPixelUnavailable), c, kLon, kLat);  // the only paper: (35,30), at scale 2 (62,60)
    g_grid.Set(c.geometry == kGeometryScale1 ? 35 : 62, c.geometry == kGeometryScale1 ? 30 : 60, 0x00F0E0C0);
    EXPECT_TRUE(ReadReferencePoint(&lon, &lat)) << Describe(c);
    EXPECT_EQ(std::make_tuple(lon, lat, g_referenceLongitude, g_referenceLatitude, g_alternateLayout),
              std::make_tuple(503112340, 128412340, 503112340, 128412340, flag))
        << Describe(c);
  }
  g_screenTick = ScreenTick{};
  g_alternateLayout = 0;
  // The point label shows what was stored, longitude first, one blank between.
  EXPECT_EQ(Utf16ToUtf8(PointLabelText(503112340, -128412340)), "503112340 -128412340");
}

// Twelve characters are read (hundredths whatever their number of digits),
// thirteen fail; the first unknown cell ends the number; a readout running
// off the right edge ends there.
TEST(ScreenReader, LengthUnknownCellsAndScreenEdge) {
  for (const Case& c : kAllSets) {
    Grid& grid = Use(c);
    Draw(grid, c, 20, 20, u"12\u00B034\u203256.789");
    EXPECT_EQ(ReadScreenCoordinate(20, 20), ((12 * 60 + 34) * 60 + 56) * 1000 + 7890) << Describe(c);
    Draw(grid, c, 20, 80, u"12\u00B034\u203256.7891");
    bool tooLong = false;
    RecogniseReadout(20, 80, &tooLong);
    EXPECT_EQ(std::make_pair(ReadScreenCoordinate(20, 80), tooLong), std::make_pair(0, true)) << Describe(c);
    Draw(grid, c, Draw(grid, c, 200, 20, u"139\u00B045\u203212") + 20, 20, u".99");  // after one blank cell
    EXPECT_EQ(ReadScreenCoordinate(200, 20), 503112000) << Describe(c);
    EXPECT_EQ(ReadScreenCoordinate(300, 100), 0) << Describe(c);
    // From x 20 to the edge at 60: 139°45′ with 5-pixel digits, 139°45 with
    // 7-pixel ones (45 minutes all the same), 139° with the alternate 9-pixel
    // ones; coloured text at scale 2 has its paper pixel (x 68) off the screen.
    const int32_t edge[] = {503100000, 503100000, 500400000};
    Draw(Use(c, 60, 60), c, 20, 5, kLon);
    EXPECT_EQ(ReadScreenCoordinate(20, 5), c.clearType && c.geometry != kGeometryScale1 ? 0 : edge[c.geometry])
        << Describe(c);
    EXPECT_EQ(ReadScreenCoordinate(-500, -500), 0);
  }
}

TEST(ScreenReader, ReadoutRegionHoldsEveryPixelATickReads) {
  for (const Case& c : kAllSets) {
    Grid& grid = Use(c);
    // The widest glyph thirteen times: the longest stretch a number can read.
    DrawReadouts(grid, c, std::u16string(13, u'\u00B0'), std::u16string(13, u'\u00B0'));
    const PixelRect r = ReadoutRegion();
    grid.reads.clear();
    int32_t lon, lat;
    ReadReferencePoint(&lon, &lat);
    ASSERT_FALSE(grid.reads.empty());
    for (auto [x, y] : grid.reads)
      ASSERT_TRUE(x >= r.left && x < r.right && y >= r.top && y < r.bottom)
          << Describe(c) << " (" << x << "," << y << ")";
  }
}

// The digits are of one width in every set: a cell's advance decides where the next cell is sampled.  (The
// screenshots read only the digits of one point, so they cannot show this for the others.)
TEST(GlyphSets, DigitsShareOneAdvance) {
  for (const Case& c : kAllSets) {
    const GlyphEntry* first = GlyphSetFor(c.geometry, c.clearType ? kInkBackground : kInkBlack);
    for (const GlyphEntry* g = first; g < first + 10; ++g)
      EXPECT_EQ(g->advance, first->advance) << Describe(c) << " " << char(g->character);
  }
}

TEST(ConvertReadoutText, Cases) {
  const struct {
    const char* text;
    int32_t ms;
  } cases[] = {
      {u8"139°45′12", 503112000},
      {u8"139°4512.34", ((139 * 60 + 4512) * 60) * 1000 + 340},  // no minute mark
      {u8"139°45′12.3", 503112030},
      {u8"139°45′12.345", 503112000 + 3450},
      {u8"1°45′12.34", 0},
      {u8"1394°5′12.34", 0},
      {u8"13945′12.34", 0},
      {u8"", 0},  // degree mark at 1, 4, none
      {u8"12°′.", 12 * 3600000},
      {u8"12°.5′7", 12 * 3600000 + 50},
      {u8"12°°3′", 12 * 3600000},
      {u8"12°99999999", int32_t(((12u * 60u + 99999999u) * 60u) * 1000u)},  // wraps like 32 bits
  };
  for (const auto& c : cases) EXPECT_EQ(ConvertReadoutText(Utf8ToUtf16(c.text)), c.ms) << c.text;
}

}  // namespace
