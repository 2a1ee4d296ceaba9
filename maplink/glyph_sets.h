// The glyph patterns by which the screen reader recognises the map
// application's coordinate readout.  Of each character cell only two pixel
// columns are sampled; the samples of the first column top to bottom, then of
// the second, form a string of '0' (no ink) and '1' (ink) that is compared as
// a whole with the 13 patterns of one set.
#pragma once

// How the readout is laid out on the screen: one geometry per display scale,
// two at scale 2 (the map application draws its readout either way).
enum ReadoutGeometry {
  kGeometryScale1 = 0,           // 14 samples per cell
  kGeometryScale2Regular = 1,    // 18 samples per cell
  kGeometryScale2Alternate = 2,  // 12 samples per cell
};
constexpr int kGeometryCount = 3;

// How ink is told from paper: exactly black, or any colour that differs from
// a reference pixel of the background (coloured text with ClearType).
enum InkTest {
  kInkBlack = 0,
  kInkBackground = 1,
};

struct GlyphEntry {
  char16_t character;  // '1'..'9', '0', u'°', u'′', '.'
  int advance;         // pixels to the next cell
  const char* pattern;
};

constexpr int kGlyphsPerSet = 13;
constexpr int kMaxPatternLength = 18;

// The 13 entries of one set in the order they are searched: 1..9, 0, °, ′, "."
const GlyphEntry* GlyphSetFor(ReadoutGeometry geometry, InkTest ink);
