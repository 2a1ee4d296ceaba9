// Conversions between UTF-16 and code page 932 (Shift-JIS), the encoding of
// map data names, QLCode texts and web answers.  Code page 932 is named
// explicitly rather than taken from the system default so that the data stays
// readable on a desktop whose default is another code page.
#pragma once
#include <cstddef>
#include <string>

// Characters that code page 932 cannot hold become '?'.
std::string WideToCodePage932(const std::u16string& text);

// How many of the `length` bytes come before the first 0 byte: all of them
// when there is none.  Both decoders stop there.
std::size_t BytesBeforeZero(const char* bytes, std::size_t length);

// Decodes `length` bytes; the text ends at the first 0 byte, if any.
// Invalid sequences become U+FFFD (native) or the platform's default.
std::u16string CodePage932ToWide(const char* bytes, std::size_t length);
