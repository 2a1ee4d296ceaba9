#include "dialog/milliseconds_field.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "dialog/button_layout.h"

namespace {

TEST(ReadDecimalInteger, ReadsLikeThePlatform) {
  struct Case {
    const char16_t* text;
    int32_t expected;
  } cases[] = {
      {u"", 0},
      {u"abc", 0},
      {u"139", 139},
      {u"  \t139", 139},
      {u"\r\n 7", 7},
      {u"+41", 41},
      {u"-41", -41},
      {u"-", 0},
      {u"+-3", 0},
      {u"- 3", 0},
      {u"12x34", 12},
      {u"3.9", 3},
      {u"007", 7},
      {u"\u3000" u"5", 0},                     // an ideographic space is not a blank
      {u"\uFF15", 0},                          // nor is a full-width digit a digit
      {u"2147483647", 2147483647},
      {u"2147483648", std::numeric_limits<int32_t>::max()},
      {u"-2147483648", std::numeric_limits<int32_t>::min()},
      {u"-2147483649", std::numeric_limits<int32_t>::min()},
      {u"99999999999999999999999999999999999999", std::numeric_limits<int32_t>::max()},
      {u"-99999999999999999999999999999999999999", std::numeric_limits<int32_t>::min()},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ReadDecimalInteger(c.text), c.expected) << "text of length " << std::u16string(c.text).size();
  }
}

TEST(ReadDecimalReal, KeepsTheFraction) {
  struct Case {
    const char16_t* text;
    double expected;
  } cases[] = {
      {u"", 0.0},
      {u"x1", 0.0},
      {u".", 0.0},
      {u"502890120", 502890120.0},
      {u" 502890120.5", 502890120.5},
      {u"-12.25", -12.25},
      {u".5", 0.5},
      {u"5.", 5.0},
      {u"1e3", 1000.0},
      {u"1E+3x", 1000.0},
      {u"2e-1", 0.2},
      {u"7e", 7.0},     // an exponent without digits is not part of the number
      {u"7e+", 7.0},
      {u"inf", 0.0},    // only decimal notation
      {u"nan", 0.0},
      {u"0x10", 0.0},
      {u"12,5", 12.0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ReadDecimalReal(c.text), c.expected);
  }
  EXPECT_TRUE(std::isinf(ReadDecimalReal(u"1e999")));
}

TEST(ReadHundredths, CountsTheFirstTwoCharactersPaddedWithZeros) {
  struct Case {
    const char16_t* text;
    int32_t expected;
  } cases[] = {
      {u"", 0}, {u"5", 50}, {u"05", 5}, {u"50", 50}, {u"123", 12}, {u"99", 99},
      {u"9x", 9}, {u"x9", 0}, {u"-5", -5}, {u" 5", 5}, {u"-", 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ReadHundredths(c.text), c.expected) << "hundredths of length " << std::u16string(c.text).size();
  }
}

struct FieldCase {
  int axis;
  const char16_t* degrees;
  const char16_t* minutes;
  const char16_t* seconds;
  const char16_t* hundredths;
  int64_t ms;
  bool write;
};

TEST(ComputeMillisecondsField, WritesOnlyValuesInsideTheBoundsOfItsAxis) {
  const FieldCase cases[] = {
      {kAxisLongitude, u"139", u"41", u"30", u"5", 502890500, true},
      {kAxisLatitude, u"35", u"41", u"22", u"30", 128482300, true},
      // The limits of each axis are inside, one hundredth beyond is not.
      {kAxisLongitude, u"122", u"", u"", u"", 439200000, true},
      {kAxisLongitude, u"121", u"59", u"59", u"99", 439199990, false},
      {kAxisLongitude, u"149", u"", u"", u"", 536400000, true},
      {kAxisLongitude, u"149", u"0", u"0", u"01", 536400010, false},
      {kAxisLatitude, u"24", u"", u"", u"", 86400000, true},
      {kAxisLatitude, u"23", u"59", u"59", u"99", 86399990, false},
      {kAxisLatitude, u"46", u"", u"", u"", 165600000, true},
      {kAxisLatitude, u"46", u"", u"", u"01", 165600010, false},
      // The same value judged on the other axis.
      {kAxisLatitude, u"139", u"41", u"30", u"5", 502890500, false},
      {kAxisLongitude, u"35", u"41", u"22", u"30", 128482300, false},
      // Degrees alone, the rest of the row still empty.
      {kAxisLongitude, u"1", u"", u"", u"", 3600000, false},
      {kAxisLongitude, u"13", u"", u"", u"", 46800000, false},
      {kAxisLongitude, u"139", u"", u"", u"", 500400000, true},
      {kAxisLatitude, u"3", u"", u"", u"", 10800000, false},
      {kAxisLatitude, u"35", u"", u"", u"", 126000000, true},
      {kAxisLongitude, u"", u"", u"", u"", 0, false},
      // Minutes and seconds are not limited to 59: they simply add up.
      {kAxisLatitude, u"34", u"120", u"", u"", 129600000, true},
      {kAxisLatitude, u"36", u"-60", u"", u"", 126000000, true},
      // Surrounding text and blanks read like the platform reads them; in the
      // hundredths field a character after one digit takes the padding's place.
      {kAxisLongitude, u" 139度", u"41'", u"30\"", u"5", 502890500, true},
      {kAxisLongitude, u"139", u"41", u"30", u"5秒", 502890050, true},
  };
  for (const FieldCase& c : cases) {
    MillisecondsField field = ComputeMillisecondsField(c.axis, c.degrees, c.minutes, c.seconds, c.hundredths);
    std::u16string expectedText;
    if (c.write) {
      std::string digits = std::to_string(c.ms);
      expectedText.assign(digits.begin(), digits.end());
    }
    EXPECT_EQ(field.ms, c.ms) << "axis " << c.axis << ", expected " << c.ms;
    EXPECT_EQ(field.write, c.write) << "axis " << c.axis << ", ms " << c.ms;
    EXPECT_TRUE(field.text == expectedText) << "axis " << c.axis << ", ms " << c.ms;
  }
}

TEST(ComputeMillisecondsField, DegreesPastTheThirtyTwoBitRangeNeverWrapIntoTheBounds) {
  // 2^32 ms are 1193.046... degrees: in 32-bit arithmetic, the degrees
  // below wrap around onto values inside the bounds of their axis.
  const FieldCase cases[] = {
      {kAxisLongitude, u"597", u"", u"", u"", 2149200000, false},           // first past 2^31
      {kAxisLongitude, u"1332", u"", u"", u"", 4795200000, false},          // wraps to 500232704
      {kAxisLatitude, u"1228", u"", u"", u"", 4420800000, false},           // wraps to 125832704
      {kAxisLongitude, u"-1054", u"", u"", u"", -3794400000, false},        // wraps to 500567296
      {kAxisLongitude, u"2147483647", u"2147483647", u"2147483647", u"99",
       ((2147483647LL * 60 + 2147483647LL) * 60 + 2147483647LL) * 100 * 10 + 990, false},
      {kAxisLongitude, u"99999999999999999999", u"", u"", u"", 2147483647LL * 3600000, false},
      {kAxisLatitude, u"-99999999999999999999", u"", u"", u"", -2147483648LL * 3600000, false},
  };
  for (const FieldCase& c : cases) {
    MillisecondsField field = ComputeMillisecondsField(c.axis, c.degrees, c.minutes, c.seconds, c.hundredths);
    EXPECT_EQ(field.ms, c.ms);
    EXPECT_FALSE(field.write) << "ms " << field.ms << " was judged inside the bounds";
    EXPECT_TRUE(field.text.empty());
    // The reported value saturates instead of wrapping into the bounds.
    EXPECT_EQ(field.reported, field.ms > 0 ? std::numeric_limits<int32_t>::max() : std::numeric_limits<int32_t>::min());
  }
  // Inside the 32-bit range, the value itself is reported.
  EXPECT_EQ(ComputeMillisecondsField(kAxisLongitude, u"-596", u"-31", u"-23", u"").reported, -2147483000);
}

TEST(ComputeMillisecondsField, ReadsOnlyTheFirstThirtyOneCharactersOfEachField) {
  // 29 blanks and "139" are 32 characters: only "13" is read.
  std::u16string blanks(29, u' ');
  MillisecondsField cut = ComputeMillisecondsField(kAxisLongitude, blanks + u"139", u"", u"", u"");
  EXPECT_EQ(cut.ms, 46800000);
  EXPECT_FALSE(cut.write);
  std::u16string fewer(28, u' ');
  MillisecondsField whole = ComputeMillisecondsField(kAxisLongitude, fewer + u"139", u"", u"", u"");
  EXPECT_EQ(whole.ms, 500400000);
  EXPECT_TRUE(whole.write);
}

TEST(ReadTypedPoint, ReadsIntegersInTheTokyoDatumAndRealsInWgs84) {
  struct Case {
    const char16_t* lon;
    const char16_t* lat;
    bool wgs84;
    int32_t expectedLon;
    int32_t expectedLat;
    bool inJapan;
  } cases[] = {
      {u"502890120", u"128482200", true, 502901653, 128470591, true},
      {u"502890120", u"128482200", false, 502890120, 128482200, true},
      {u"503000000", u"128000000", true, 503011520, 127988337, true},
      // A fraction counts in WGS84 only.
      {u"502890120.9", u"128482200.9", false, 502890120, 128482200, true},
      // Empty fields are no position in either datum.
      {u"", u"", false, 0, 0, false},
      {u"", u"", true, -36147, -16567, false},
      // The Tokyo-datum limits are inside, one ms beyond is not.
      {u"439200000", u"86400000", false, 439200000, 86400000, true},
      {u"536400000", u"165600000", false, 536400000, 165600000, true},
      {u"439199999", u"128482200", false, 439199999, 128482200, false},
      {u"536400001", u"128482200", false, 536400001, 128482200, false},
      {u"502890120", u"86399999", false, 502890120, 86399999, false},
      {u"502890120", u"165600001", false, 502890120, 165600001, false},
      // Each axis alone out of range is enough.
      {u"502890120", u"", false, 502890120, 0, false},
      {u"", u"128482200", false, 0, 128482200, false},
      // Numbers too large for 32 bits are clamped, never wrapped.
      {u"4797857416", u"128482200", false, 2147483647, 128482200, false},
      {u"1e30", u"128482200", true, 2147483647, -2147483647 - 1, false},
  };
  for (const Case& c : cases) {
    TypedPoint point = ReadTypedPoint(c.lon, c.lat, c.wgs84);
    EXPECT_EQ(point.lon, c.expectedLon) << "wgs84 " << c.wgs84;
    EXPECT_EQ(point.lat, c.expectedLat) << "wgs84 " << c.wgs84;
    EXPECT_EQ(point.inJapan, c.inJapan) << "lon " << point.lon << " lat " << point.lat << " wgs84 " << c.wgs84;
  }
}

TEST(ReadTypedPoint, ReadsOnlyTheFirst127CharactersOfEachField) {
  std::u16string blanks(118, u' ');
  // 118 blanks and 9 digits are 127 characters: read whole.
  EXPECT_TRUE(ReadTypedPoint(blanks + u"502890120", u"128482200", false).inJapan);
  // One more blank cuts the last digit off: 50289012 is far outside.
  TypedPoint cut = ReadTypedPoint(blanks + u" 502890120", u"128482200", false);
  EXPECT_EQ(cut.lon, 50289012);
  EXPECT_FALSE(cut.inJapan);
}

TEST(ChooseDialogButtonLayout, PutsTheButtonsBesideTheFieldsInLandscapeAndBelowInPortrait) {
  struct Case {
    int width;
    int height;
    int scale;
    ButtonPlacement ok;
    ButtonPlacement cancel;
  } cases[] = {
      {240, 320, 1, {170, 210, 60, 30}, {100, 210, 60, 30}},
      {480, 640, 2, {340, 420, 120, 60}, {200, 420, 120, 60}},
      {320, 240, 1, {250, 70, 60, 30}, {250, 20, 60, 30}},
      {640, 480, 2, {500, 140, 120, 60}, {500, 40, 120, 60}},
      {240, 240, 1, {250, 70, 60, 30}, {250, 20, 60, 30}},   // square counts as landscape
      {480, 480, 2, {500, 140, 120, 60}, {500, 40, 120, 60}},
      {479, 480, 1, {170, 210, 60, 30}, {100, 210, 60, 30}},
  };
  for (const Case& c : cases) {
    DialogButtonLayout layout = ChooseDialogButtonLayout(c.width, c.height, c.scale);
    const ButtonPlacement* got[] = {&layout.ok, &layout.cancel};
    const ButtonPlacement* want[] = {&c.ok, &c.cancel};
    for (int i = 0; i < 2; ++i) {
      EXPECT_EQ(got[i]->x, want[i]->x) << c.width << "x" << c.height << " button " << i;
      EXPECT_EQ(got[i]->y, want[i]->y) << c.width << "x" << c.height << " button " << i;
      EXPECT_EQ(got[i]->width, want[i]->width) << c.width << "x" << c.height << " button " << i;
      EXPECT_EQ(got[i]->height, want[i]->height) << c.width << "x" << c.height << " button " << i;
    }
  }
}

}  // namespace
