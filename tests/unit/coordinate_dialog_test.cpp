// The coordinate entry dialog's rules: the fields, the typed point, the buttons.
#include <gtest/gtest.h>

#include "dialog/axis_fields.h"
#include "dialog/button_layout.h"
#include "dialog/milliseconds_field.h"
#include "dialog/typed_point.h"
#include "platform/utf.h"

namespace {

constexpr int32_t kMax = INT32_MAX, kMin = INT32_MIN;

// Only a value inside the bounds of its axis (limits included) is written.
// 2^32 ms are 1193.046 degrees: values past the 32-bit range must never wrap
// onto values inside the bounds.
TEST(ComputeMillisecondsField, WritesOnlyValuesInsideTheBoundsOfItsAxis) {
  constexpr int Lon = kAxisLongitude, Lat = kAxisLatitude;
  const struct {
    int axis;
    const char16_t *d, *m, *s, *h;
    int64_t ms;
    bool write;
  } cases[] = {
      {Lon, u"139", u"41", u"30", u"5", 502890500, true},
      {Lat, u"35", u"41", u"22", u"30", 128482300, true},
      {Lon, u"122", u"", u"", u"", 439200000, true},
      {Lon, u"121", u"59", u"59", u"99", 439199990, false},
      {Lon, u"149", u"", u"", u"", 536400000, true},
      {Lon, u"149", u"0", u"0", u"01", 536400010, false},
      {Lat, u"24", u"", u"", u"", 86400000, true},
      {Lat, u"23", u"59", u"59", u"99", 86399990, false},
      {Lat, u"46", u"", u"", u"", 165600000, true},
      {Lat, u"46", u"", u"", u"01", 165600010, false},
      {Lat, u"139", u"41", u"30", u"5", 502890500, false},
      {Lat, u"34", u"120", u"", u"", 129600000, true},
      {Lat, u"36", u"-60", u"", u"", 126000000, true},
      {Lon, u" 139度", u"41'", u"30\"", u"5", 502890500, true},
      {Lon, u"139", u"41", u"30", u"5秒", 502890050, true},  // a character after one digit replaces the padding
      {Lon, u"139", u"41", u"30", u"123", 502890120, true},
      {Lon, u"１３９", u"４５", u"１２", u"３", 503112300, true},
      {Lon, u"139", u"41", u"30", u"-5", 502889950, true},
      {Lon, u"1332", u"", u"", u"", 4795200000, false},
      {Lat, u"1228", u"", u"", u"", 4420800000, false},
      {Lon, u"-1054", u"", u"", u"", -3794400000, false},
      {Lon, u"2147483647", u"2147483647", u"2147483647", u"99", 7861937631667990LL, false},
      {Lon, u"99999999999999999999", u"", u"", u"", 2147483647LL * 3600000, false},
      {Lat, u"-99999999999999999999", u"", u"", u"", -2147483648LL * 3600000, false},
  };
  for (const auto& c : cases) {
    const MillisecondsField f = ComputeMillisecondsField(c.axis, c.d, c.m, c.s, c.h);
    EXPECT_EQ(std::to_string(f.ms) + (f.write ? " written " : " kept ") + Utf16ToUtf8(f.text),
              std::to_string(c.ms) + (c.write ? " written " + std::to_string(c.ms) : " kept "))
        << "axis " << c.axis << " degrees " << Utf16ToUtf8(c.d);
  }
  // Only the first 31 characters of a field count: 29 blanks and "139" read as 13.
  EXPECT_EQ(ComputeMillisecondsField(Lon, std::u16string(29, u' ') + u"139", u"", u"", u"").ms, 46800000);
  EXPECT_TRUE(ComputeMillisecondsField(Lon, std::u16string(28, u' ') + u"139", u"", u"", u"").write);
}

TEST(ReadTypedPoint, ReadsIntegersInTheTokyoDatumAndRealsInWgs84) {
  const struct {
    std::u16string lon, lat;
    bool wgs84;
    int32_t x, y;
    bool inJapan;
  } cases[] = {
      {u"502890120", u"128482200", true, 502901653, 128470591, true},
      {u"", u"", false, 0, 0, false},
      {u"502890120", u"128482200", false, 502890120, 128482200, true},
      {u"502890120.9", u"128482200.9", false, 502890120, 128482200, true},
      {u"4797857416", u"128482200", false, kMax, 128482200, false},
      {u"1e30", u"128482200", true, kMax, kMin, false},
      // Full-width, as typed with an input method: -1, 20; by hand -1.000083 + 0.000921 - 36147.6, 20.002139 + 0.000017
      // - 16567.2.
      {u"－１", u"＋２ｅ１", true, -36148, -16547, false},
      {u"", u"", true, -36147, -16567, false},
      {u"439199999", u"165600000", false, 439199999, 165600000, false},
      {std::u16string(118, u' ') + u"502890120", u"128482200", false, 502890120, 128482200, true},
      {std::u16string(119, u' ') + u"502890120", u"128482200", false, 50289012, 128482200, false},
  };  // (the last two: only the first 127 characters count)
  for (const auto& c : cases) {
    const TypedPoint p = ReadTypedPoint(c.lon, c.lat, c.wgs84);
    EXPECT_EQ(std::make_tuple(p.lon, p.lat, p.inJapan), std::make_tuple(c.x, c.y, c.inJapan))
        << Utf16ToUtf8(c.lon) << " " << c.wgs84;
  }
}

// Beside the fields when the screen is at least as wide as high, else below.
TEST(ChooseDialogButtonLayout, LandscapeBesideAndPortraitBelow) {
  const struct {
    int width, height, scale, okX, okY, cancelX, cancelY;
  } cases[] = {
      {240, 320, 1, 170, 210, 100, 210}, {480, 640, 2, 340, 420, 200, 420}, {320, 240, 1, 250, 70, 250, 20},
      {640, 480, 2, 500, 140, 500, 40},  {240, 240, 1, 250, 70, 250, 20},   {479, 480, 1, 170, 210, 100, 210},
  };
  for (const auto& c : cases) {
    const DialogButtonLayout l = ChooseDialogButtonLayout(c.width, c.height, c.scale);
    EXPECT_EQ(std::make_tuple(l.ok.x, l.ok.y, l.cancel.x, l.cancel.y),
              std::make_tuple(c.okX, c.okY, c.cancelX, c.cancelY))
        << c.width << "x" << c.height;
    // Buttons of 60 by 30 at scale 1, of the same size, scaled by the display scale.
    EXPECT_EQ(std::make_tuple(l.ok.width, l.ok.height, l.cancel.width, l.cancel.height),
              std::make_tuple(60 * c.scale, 30 * c.scale, 60 * c.scale, 30 * c.scale));
  }
}

// The dialog's ids as its template numbers them: longitude degrees to
// hundredths 1011–1014, latitude 1016–1019; the ms fields 1004 and 1020, the
// datum buttons 1021 and 1022, OK 1 and Cancel 2 belong to no row.
TEST(AxisOfDegreeField, EachRowsFourFieldsAndNothingElse) {
  const std::pair<int, int> ids[] = {{1011, 0},  {1014, 0},  {1016, 1},  {1019, 1}, {1010, -1}, {1015, -1},
                                     {1020, -1}, {1004, -1}, {1021, -1}, {1, -1},   {2, -1}};
  for (auto [id, axis] : ids) EXPECT_EQ(AxisOfDegreeField(id), axis) << id;
  EXPECT_EQ(std::make_pair(kAxisFieldIds[0][kMillisecondsSlot], kAxisFieldIds[1][kMillisecondsSlot]),
            std::make_pair(1004, 1020));
  EXPECT_EQ(std::make_pair(AxisRow(1), AxisRow(7)), std::make_pair(1, 0));
}

}  // namespace
