// The tools' strict reader of a signed 32-bit decimal number, for command
// lines and table fields alike.
#pragma once
#include <cstdint>
#include <string>

// The whole text is the number: an optional sign and decimal digits, no
// blank before or after, within the 32-bit range.  False leaves `value` as
// it was.
bool ParseInt32(const std::string& text, int32_t& value);
