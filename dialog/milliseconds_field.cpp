#include "dialog/milliseconds_field.h"

#include <cstdlib>
#include <limits>

#include "search/coordinates.h"

namespace {

bool IsBlank(char16_t c) {
  return c == u' ' || c == u'\t' || c == u'\n' || c == u'\v' || c == u'\f' || c == u'\r';
}

bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

// Index of the first character after the leading blanks.
size_t SkipBlanks(const std::u16string& text) {
  size_t i = 0;
  while (i < text.size() && IsBlank(text[i])) ++i;
  return i;
}

std::u16string FirstChars(const std::u16string& text, size_t count) {
  return text.size() <= count ? text : text.substr(0, count);
}

bool InJapanOnAxis(int axis, int64_t ms) {
  return axis == kAxisLongitude ? LongitudeInJapan(ms) : LatitudeInJapan(ms);
}

}  // namespace

int32_t ReadDecimalInteger(const std::u16string& text) {
  size_t i = SkipBlanks(text);
  bool negative = false;
  if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
    negative = text[i] == u'-';
    ++i;
  }
  // Accumulate the magnitude in 64 bits and stop growing it once it is past
  // the 32-bit range, so that any number of digits is safe.
  constexpr int64_t kCap = int64_t{1} << 32;
  int64_t magnitude = 0;
  for (; i < text.size() && IsDigit(text[i]); ++i) {
    if (magnitude < kCap) magnitude = magnitude * 10 + (text[i] - u'0');
  }
  int64_t value = negative ? -magnitude : magnitude;
  if (value > std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
  if (value < std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::min();
  return static_cast<int32_t>(value);
}

double ReadDecimalReal(const std::u16string& text) {
  // Copy the longest prefix that has the form of a number into plain ASCII
  // and let the C library do the rounding; its locale is never changed by
  // this program, so the decimal point is '.'.
  size_t i = SkipBlanks(text);
  std::string number;
  if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) number += static_cast<char>(text[i++]);
  size_t digits = 0;
  for (; i < text.size() && IsDigit(text[i]); ++i, ++digits) number += static_cast<char>(text[i]);
  if (i < text.size() && text[i] == u'.') {
    number += '.';
    for (++i; i < text.size() && IsDigit(text[i]); ++i, ++digits) number += static_cast<char>(text[i]);
  }
  if (digits == 0) return 0.0;
  if (i < text.size() && (text[i] == u'e' || text[i] == u'E')) {
    // The exponent counts only when at least one digit follows it.
    size_t j = i + 1;
    std::string exponent = "e";
    if (j < text.size() && (text[j] == u'+' || text[j] == u'-')) exponent += static_cast<char>(text[j++]);
    size_t exponentDigits = 0;
    for (; j < text.size() && IsDigit(text[j]); ++j, ++exponentDigits) exponent += static_cast<char>(text[j]);
    if (exponentDigits > 0) number += exponent;
  }
  return std::strtod(number.c_str(), nullptr);
}

int32_t ReadHundredths(const std::u16string& text) {
  return ReadDecimalInteger(FirstChars(text + u"00", 2));
}

MillisecondsField ComputeMillisecondsField(int axis, const std::u16string& degrees,
                                           const std::u16string& minutes,
                                           const std::u16string& seconds,
                                           const std::u16string& hundredths) {
  // Every part is within the 32-bit range, so the whole sum stays far below
  // 2^63 and needs no further care.  Values past the 32-bit range (more than
  // 596 degrees) are simply outside the bounds.
  int64_t d = ReadDecimalInteger(FirstChars(degrees, kDegreeFieldChars));
  int64_t m = ReadDecimalInteger(FirstChars(minutes, kDegreeFieldChars));
  int64_t s = ReadDecimalInteger(FirstChars(seconds, kDegreeFieldChars));
  int64_t h = ReadHundredths(FirstChars(hundredths, kDegreeFieldChars));
  MillisecondsField field{};
  field.ms = (((d * 60 + m) * 60 + s) * 100 + h) * 10;
  field.write = InJapanOnAxis(axis, field.ms);
  if (field.write) {
    std::string digits = std::to_string(field.ms);
    field.text.assign(digits.begin(), digits.end());
  }
  return field;
}

int32_t ReportedMilliseconds(int64_t ms) {
  if (ms > std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
  if (ms < std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::min();
  return static_cast<int32_t>(ms);
}

TypedPoint ReadTypedPoint(const std::u16string& lonText, const std::u16string& latText, bool wgs84) {
  std::u16string lonPart = FirstChars(lonText, kMillisecondsFieldChars);
  std::u16string latPart = FirstChars(latText, kMillisecondsFieldChars);
  TypedPoint point{};
  if (wgs84) {
    TokyoPoint tokyo = ConvertWgs84ToTokyo(ReadDecimalReal(lonPart), ReadDecimalReal(latPart));
    point.lon = tokyo.lon;
    point.lat = tokyo.lat;
  } else {
    point.lon = ReadDecimalInteger(lonPart);
    point.lat = ReadDecimalInteger(latPart);
  }
  point.inJapan = LongitudeInJapan(point.lon) && LatitudeInJapan(point.lat);
  return point;
}
