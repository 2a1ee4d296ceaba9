#include "maplink/screen_reader.h"

#include <cstring>

#include "core/reference_point.h"

int g_alternateLayout = 0;
ScreenTick g_screenTick;

namespace {

constexpr int kMaxReadoutLength = 12;

// Where the two sampled columns of a cell lie, relative to the cell x and
// the number's row origin: first column rows [0, rows), second column rows
// [secondTop, secondTop+rows).
struct CellSampling {
  int firstColumn, secondColumn, secondTop, rows;
};

CellSampling SamplingFor(ReadoutGeometry geometry, InkTest ink) {
  static const CellSampling kSampling[kGeometryCount][2] = {
      // At scale 1 coloured text is drawn one column further right than black text.
      {{0, 1, 0, 7}, {1, 2, 0, 7}},
      {{0, 1, 0, 9}, {0, 1, 0, 9}},
      // The second column continues below the first: twelve different rows.
      {{1, 2, 6, 6}, {1, 2, 6, 6}},
  };
  return kSampling[geometry][ink];
}

int MaxAdvanceOf(ReadoutGeometry geometry) {
  int widest = 0;
  const GlyphEntry* set = GlyphSetFor(geometry, kInkBlack);
  for (int i = 0; i < kGlyphsPerSet; ++i) {
    if (set[i].advance > widest) widest = set[i].advance;
  }
  return widest;
}

uint32_t ReadPixel(int x, int y) {
  if (!g_screenTick.readPixel) return kPixelUnavailable;
  return g_screenTick.readPixel(g_screenTick.context, x, y);
}

// A pixel where there is none (off the screen) is paper, never ink, under
// either test.
bool IsInk(int x, int y, InkTest ink, const ReadoutLayout& layout) {
  uint32_t colour = ReadPixel(x, y);
  if (colour == kPixelUnavailable) return false;
  if (ink == kInkBlack) return colour == 0;
  uint32_t background = ReadPixel(layout.referenceX, layout.referenceY);
  if (background == kPixelUnavailable) return false;
  return colour != background;
}

// A pattern matches on the cell's leading samples: all but the scale-1 "."
// for coloured text are as long as the samples, and a longer one would meet
// the samples' end and differ there.
bool PatternMatches(const char* pattern, const char* sampled) {
  return std::strncmp(pattern, sampled, std::strlen(pattern)) == 0;
}

// Decimal value of the leading digits of text[begin, end), wrapping like the
// signed 32-bit arithmetic of the conversion; 0 for an empty field or one
// that does not begin with a digit.
uint32_t LeadingNumber(const std::u16string& text, size_t begin, size_t end) {
  uint32_t value = 0;
  for (size_t i = begin; i < end && i < text.size(); ++i) {
    char16_t c = text[i];
    if (c < u'0' || c > u'9') break;
    value = value * 10u + static_cast<uint32_t>(c - u'0');
  }
  return value;
}

size_t IndexOrLength(const std::u16string& text, char16_t c) {
  size_t at = text.find(c);
  return at == std::u16string::npos ? text.size() : at;
}

}  // namespace

ReadoutLayout CurrentReadoutLayout() {
  if (g_screenTick.displayScale != 2) return {kGeometryScale1, 35, 30, 38, 42, 35, 30};
  int f = g_alternateLayout ? 1 : 0;
  return {f ? kGeometryScale2Alternate : kGeometryScale2Regular, 68, 60 + f, 72 + f, 76 + 3 * f, 62, 60};
}

PixelRect ReadoutRegion() {
  ReadoutLayout layout = CurrentReadoutLayout();
  InkTest ink = g_screenTick.clearType ? kInkBackground : kInkBlack;
  CellSampling s = SamplingFor(layout.geometry, ink);
  int rowsBelow = s.secondTop + s.rows;
  int lastCellOffset = (kMaxReadoutLength)*MaxAdvanceOf(layout.geometry);
  int left = layout.referenceX;
  if (layout.longitudeX < left) left = layout.longitudeX;
  if (layout.latitudeX < left) left = layout.latitudeX;
  int top = layout.referenceY;
  if (layout.longitudeY < top) top = layout.longitudeY;
  if (layout.latitudeY < top) top = layout.latitudeY;
  int farX = layout.longitudeX > layout.latitudeX ? layout.longitudeX : layout.latitudeX;
  int farY = layout.longitudeY > layout.latitudeY ? layout.longitudeY : layout.latitudeY;
  return {left, top, farX + lastCellOffset + s.secondColumn + 1, farY + rowsBelow};
}

std::u16string RecogniseReadout(int x0, int y0, bool* tooLong) {
  std::u16string text;
  *tooLong = false;
  int x = x0;
  for (;;) {
    ReadoutLayout layout = CurrentReadoutLayout();
    InkTest ink = g_screenTick.clearType ? kInkBackground : kInkBlack;
    CellSampling s = SamplingFor(layout.geometry, ink);
    char sampled[kMaxPatternLength + 1] = {};
    int n = 0;
    for (int row = 0; row < s.rows; ++row) {
      sampled[n++] = IsInk(x + s.firstColumn, y0 + row, ink, layout) ? '1' : '0';
    }
    for (int row = 0; row < s.rows; ++row) {
      sampled[n++] = IsInk(x + s.secondColumn, y0 + s.secondTop + row, ink, layout) ? '1' : '0';
    }
    const GlyphEntry* set = GlyphSetFor(layout.geometry, ink);
    const GlyphEntry* match = nullptr;
    for (int i = 0; i < kGlyphsPerSet && !match; ++i) {
      if (PatternMatches(set[i].pattern, sampled)) match = &set[i];
    }
    if (!match) return text;
    text += match->character;
    if (text.size() > static_cast<size_t>(kMaxReadoutLength)) {
      *tooLong = true;
      return text;
    }
    x += match->advance;
  }
}

int32_t ReadScreenCoordinate(int x, int y) {
  bool tooLong = false;
  std::u16string text = RecogniseReadout(x, y, &tooLong);
  if (tooLong) return 0;
  return ConvertReadoutText(text);
}

int32_t ConvertReadoutText(const std::u16string& text) {
  size_t degreeAt = IndexOrLength(text, u'\u00B0');
  if (degreeAt != 2 && degreeAt != 3) return 0;
  size_t minuteAt = IndexOrLength(text, u'\u2032');
  size_t pointAt = IndexOrLength(text, u'.');
  // A field whose end does not lie beyond its start is empty.
  uint32_t degrees = LeadingNumber(text, 0, degreeAt);
  uint32_t minutes = LeadingNumber(text, degreeAt + 1, minuteAt);
  uint32_t seconds = LeadingNumber(text, minuteAt + 1, pointAt);
  uint32_t hundredths = LeadingNumber(text, pointAt + 1, text.size());
  // Unsigned arithmetic wraps where the device's 32-bit arithmetic does,
  // without undefined behaviour on absurd readouts.
  uint32_t value = ((degrees * 60u + minutes) * 60u + seconds) * 1000u + hundredths * 10u;
  return static_cast<int32_t>(value);
}

bool ReadReferencePoint(int32_t* longitude, int32_t* latitude) {
  ReadoutLayout layout = CurrentReadoutLayout();
  int32_t lon = ReadScreenCoordinate(layout.longitudeX, layout.longitudeY);
  int32_t lat = ReadScreenCoordinate(layout.latitudeX, layout.latitudeY);
  if (lon == 0 || lat == 0) {
    g_alternateLayout = g_alternateLayout ? 0 : 1;
    return false;
  }
  g_referenceLongitude = lon;
  g_referenceLatitude = lat;
  *longitude = lon;
  *latitude = lat;
  return true;
}
