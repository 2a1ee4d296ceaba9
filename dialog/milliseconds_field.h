// The arithmetic behind the coordinate entry dialog, apart from its window:
// reading the typed numbers, turning degrees, minutes, seconds and hundredths
// into ms, and judging a typed point against the Japan bounds.
//
// Numbers are read as platform/decimal.h describes, after full-width digits,
// signs, points, "ｅ" and the ideographic space have become their ASCII forms.
#pragma once
#include <cstdint>
#include <string>

#include "platform/decimal.h"

// The two axes of a typed point.
constexpr int kAxisLongitude = 0;
constexpr int kAxisLatitude = 1;

// How many characters of each field the dialog reads (its buffers hold one
// more for the terminating zero).
constexpr size_t kDegreeFieldChars = 31;         // degrees, minutes, seconds, hundredths
constexpr size_t kMillisecondsFieldChars = 127;  // the two ms fields

// The hundredths field counts by its first two characters, padded on the
// right with '0': "5" is 50, "05" is 5, "123" is 12, "" is 0.
int32_t ReadHundredths(const std::u16string& text);

struct MillisecondsField {
  // ((degrees * 60 + minutes) * 60 + seconds) * 100 + hundredths) * 10,
  // computed without overflow.
  int64_t ms;
  // Whether the ms field gets `text`: only a value inside the Japan bounds of
  // the axis (limits included) is written, anything else leaves the field as
  // it was.
  bool write;
  std::u16string text;  // ms as "%d" when `write`, else empty
  // ms itself, or the nearest 32-bit value for degrees so large that ms does
  // not fit (such values never reach the ms field).
  int32_t reported;
};

// What typing into the degrees, minutes, seconds or hundredths field of one
// axis does to that axis's ms field.  Each text is what the field holds; only
// its first kDegreeFieldChars characters count.
MillisecondsField ComputeMillisecondsField(int axis, const std::u16string& degrees, const std::u16string& minutes,
                                           const std::u16string& seconds, const std::u16string& hundredths);

struct TypedPoint {
  int32_t lon;  // Tokyo datum, ms
  int32_t lat;
  bool inJapan;  // both axes within the Japan bounds, limits included
};

// What OK makes of the two ms fields: integers in the Tokyo datum, or, for
// WGS84, real numbers converted to the Tokyo datum.  Only the first
// kMillisecondsFieldChars characters of each text count.
TypedPoint ReadTypedPoint(const std::u16string& lonText, const std::u16string& latText, bool wgs84);
