#include "dialog/milliseconds_field.h"

#include <algorithm>
#include <cstdlib>
#include <limits>

#include "platform/decimal.h"
#include "search/coordinates.h"

namespace {

// A desktop's Japanese input method types full-width digits, signs and
// points into the fields; they are read as the ASCII characters they stand for.
char16_t HalfWidth(char16_t c) {
  if (c >= u'０' && c <= u'９') return static_cast<char16_t>(u'0' + (c - u'０'));
  switch (c) {
    case u'＋':
      return u'+';
    case u'－':
    case u'\u2212':
      return u'-';
    case u'．':
      return u'.';
    case u'ｅ':
      return u'e';
    case u'Ｅ':
      return u'E';
    case u'\u3000':
      return u' ';
    default:
      return c;
  }
}

// The first `count` characters of a field, as they are read.
std::u16string FirstChars(const std::u16string& text, size_t count) {
  std::u16string chars = text.size() <= count ? text : text.substr(0, count);
  for (char16_t& c : chars) c = HalfWidth(c);
  return chars;
}

bool InJapanOnAxis(int axis, int64_t ms) { return axis == kAxisLongitude ? LongitudeInJapan(ms) : LatitudeInJapan(ms); }

}  // namespace

int32_t ReadHundredths(const std::u16string& text) { return ReadDecimalInteger(FirstChars(text + u"00", 2)); }

MillisecondsField ComputeMillisecondsField(int axis, const std::u16string& degrees, const std::u16string& minutes,
                                           const std::u16string& seconds, const std::u16string& hundredths) {
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
  field.reported = static_cast<int32_t>(
      std::clamp<int64_t>(field.ms, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
  if (field.write) {
    std::string digits = std::to_string(field.ms);
    field.text.assign(digits.begin(), digits.end());
  }
  return field;
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
