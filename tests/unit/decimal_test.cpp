// Reading decimal numbers from typed text.
#include "platform/decimal.h"

#include <gtest/gtest.h>

#include "platform/utf.h"

namespace {

TEST(ReadDecimalInteger, ReadsLikeThePlatformAndClamps) {
  const struct {
    const char16_t* text;
    int32_t value;
  } cases[] = {
      {u"", 0},
      {u"abc", 0},
      {u"139", 139},
      {u"\r\n\v\f 7", 7},
      {u"+41", 41},
      {u"-", 0},
      {u"- 3", 0},
      {u"12x34", 12},
      {u"007", 7},
      {u"2147483647", INT32_MAX},
      {u"2147483648", INT32_MAX},
      {u"-2147483648", INT32_MIN},
      {u"-2147483649", INT32_MIN},
      {u"99999999999999999999999999999999999999", INT32_MAX},
      {u"-99999999999999999999999999999999999999", INT32_MIN},
  };
  for (const auto& c : cases) EXPECT_EQ(ReadDecimalInteger(c.text), c.value) << Utf16ToUtf8(c.text);
}

TEST(ReadDecimalReal, KeepsTheFractionInDecimalNotationOnly) {
  const struct {
    const char16_t* text;
    double value;
  } cases[] = {
      {u"", 0.0},          {u"x1", 0.0},  {u".", 0.0},        {u"-.e5", 0.0},  {u" 502890120.5", 502890120.5},
      {u"-12.25", -12.25}, {u".5", 0.5},  {u"1E+3x", 1000.0}, {u"2e-1", 0.2},  {u"7e+", 7.0},
      {u"inf", 0.0},       {u"nan", 0.0}, {u"0x10", 0.0},     {u"12,5", 12.0},
  };
  for (const auto& c : cases) EXPECT_EQ(ReadDecimalReal(c.text), c.value) << Utf16ToUtf8(c.text);
}

}  // namespace
