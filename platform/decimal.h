// Numbers in text, read the way the platform's own conversions read them:
// leading blanks (space, tab, line feed, vertical tab, form feed, carriage
// return) are skipped, then an optional '+' or '-', then ASCII decimal
// digits; reading stops at the first other character.  Text without leading
// digits reads as 0.
#pragma once
#include <cstdint>
#include <string>

// A decimal integer as described above.  Values beyond the 32-bit range are
// clamped to it, as the platform's long conversion does.
int32_t ReadDecimalInteger(const std::u16string& text);

// A real number: blanks, sign, digits with an optional '.' and fraction, an
// optional exponent ('e' or 'E', sign, digits).  No digits reads as 0; a value
// too large for a double reads as +/-infinity.
double ReadDecimalReal(const std::u16string& text);
