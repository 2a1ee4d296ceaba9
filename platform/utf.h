// UTF-8 <-> UTF-16 conversions for the command-line tool, the override files
// and tests.  Pure functions, identical on every platform.
#pragma once
#include <string>

std::u16string Utf8ToUtf16(const std::string& text);
std::string Utf16ToUtf8(const std::u16string& text);
// Widens ASCII text (digits, signs, punctuation of formatted numbers) unit by unit.
std::u16string AsciiToUtf16(const std::string& text);
// The first `limit` units of `text`, one fewer when the cut would split a
// surrogate pair (a lone high surrogate never ends a cut text).
std::u16string CutUtf16(const std::u16string& text, std::size_t limit);

#ifdef _WIN32
// Views a UTF-16 string as the platform's wide string (both are 16 bits).
inline const wchar_t* AsWide(const std::u16string& text) { return reinterpret_cast<const wchar_t*>(text.c_str()); }
inline std::u16string FromWide(const wchar_t* text) { return std::u16string(reinterpret_cast<const char16_t*>(text)); }
inline const wchar_t* AsWide(const char16_t* text) { return reinterpret_cast<const wchar_t*>(text); }
#endif
