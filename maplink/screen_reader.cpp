#include "maplink/screen_reader.h"

#include <cstring>

#include "core/reference_point.h"

int g_alternateLayout = 0;
ScreenTick g_screenTick;

namespace {

constexpr int kMaxReadoutLength = 12;

// Where the two sampled columns of a cell lie, relative to the cell x and
// the number's row origin: first column rows [firstTop, firstTop+rows),
// second column rows [secondTop, secondTop+rows).
struct CellSampling {
  int firstColumn, firstTop;
  int secondColumn, secondTop;
  int rows;
};

CellSampling SamplingFor(ReadoutGeometry geometry, InkTest ink) {
  switch (geometry) {
    case kGeometryScale1:
      // Coloured text is drawn one column further right than black text.
      return ink == kInkBlack ? CellSampling{0, 0, 1, 0, 7} : CellSampling{1, 0, 2, 0, 7};
    case kGeometryScale2Regular:
      return {0, 0, 1, 0, 9};
    case kGeometryScale2Alternate:
      // The second column continues below the first: twelve different rows.
      return {1, 0, 2, 6, 6};
  }
  return {0, 0, 1, 0, 0};
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

// A pattern shorter than the cell's samples matches on its leading samples;
// the scale-1 "." for coloured text is the one such entry.
bool PatternMatches(const char* pattern, const char* sampled, int sampleCount) {
  size_t length = std::strlen(pattern);
  if (length == static_cast<size_t>(sampleCount)) return std::strcmp(pattern, sampled) == 0;
  return length < static_cast<size_t>(sampleCount) && std::strncmp(pattern, sampled, length) == 0;
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
  int rowsBelow = (s.secondTop > s.firstTop ? s.secondTop : s.firstTop) + s.rows;
  int lastCellOffset = (kMaxReadoutLength) * MaxAdvanceOf(layout.geometry);
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
      sampled[n++] = IsInk(x + s.firstColumn, y0 + s.firstTop + row, ink, layout) ? '1' : '0';
    }
    for (int row = 0; row < s.rows; ++row) {
      sampled[n++] = IsInk(x + s.secondColumn, y0 + s.secondTop + row, ink, layout) ? '1' : '0';
    }
    const GlyphEntry* set = GlyphSetFor(layout.geometry, ink);
    const GlyphEntry* match = nullptr;
    for (int i = 0; i < kGlyphsPerSet && !match; ++i) {
      if (PatternMatches(set[i].pattern, sampled, n)) match = &set[i];
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
  auto field = [&](size_t begin, size_t end) { return end > begin ? LeadingNumber(text, begin, end) : 0u; };
  uint32_t degrees = field(0, degreeAt);
  uint32_t minutes = field(degreeAt + 1, minuteAt);
  uint32_t seconds = field(minuteAt + 1, pointAt);
  uint32_t hundredths = field(pointAt + 1, text.size());
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

