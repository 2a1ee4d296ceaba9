#include "platform/decimal.h"

#include <cstdlib>
#include <limits>

namespace {

bool IsBlank(char16_t c) { return c == u' ' || c == u'\t' || c == u'\n' || c == u'\v' || c == u'\f' || c == u'\r'; }

bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

// Index of the first character after the leading blanks.  Every scan below
// stops at the text's end without a bound check of its own: text[size()] is
// the terminating u'\0', which is no blank, sign, digit, point or 'e'.
size_t SkipBlanks(const std::u16string& text) {
  size_t i = 0;
  while (IsBlank(text[i])) ++i;
  return i;
}

}  // namespace

int32_t ReadDecimalInteger(const std::u16string& text) {
  size_t i = SkipBlanks(text);
  bool negative = false;
  if (text[i] == u'+' || text[i] == u'-') {
    negative = text[i] == u'-';
    ++i;
  }
  // Accumulate the magnitude in 64 bits and stop growing it once it is past
  // the 32-bit range, so that any number of digits is safe.
  constexpr int64_t kCap = int64_t{1} << 32;
  int64_t magnitude = 0;
  for (; IsDigit(text[i]); ++i) {
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
  // this program, so the decimal point is '.'.  A prefix without a digit
  // ("", "-", ".", "-.e5") is no number, which strtod reads as 0.
  size_t i = SkipBlanks(text);
  std::string number;
  if (text[i] == u'+' || text[i] == u'-') number += static_cast<char>(text[i++]);
  for (; IsDigit(text[i]); ++i) number += static_cast<char>(text[i]);
  if (text[i] == u'.') {
    number += '.';
    for (++i; IsDigit(text[i]); ++i) number += static_cast<char>(text[i]);
  }
  if (text[i] == u'e' || text[i] == u'E') {
    // The exponent counts only when at least one digit follows it, which is
    // how strtod reads it too: "1e" and "1e+" are 1.
    number += 'e';
    if (text[++i] == u'+' || text[i] == u'-') number += static_cast<char>(text[i++]);
    for (; IsDigit(text[i]); ++i) number += static_cast<char>(text[i]);
  }
  return std::strtod(number.c_str(), nullptr);
}
