#include "shell/override_files.h"

#include <algorithm>

#include "platform/codepage.h"
#include "platform/utf.h"
#include "shell/device_probe.h"

namespace {

constexpr std::size_t kMaxLineUnits = 255;
// Enough bytes for a first line of 255 characters in any accepted encoding
// (4 bytes per character at most, plus the byte-order mark).
constexpr std::size_t kReadLimit = 4 * kMaxLineUnits + 8;

std::u16string DecodeUtf16Le(const std::string& bytes, std::size_t start) {
  std::u16string text;
  for (std::size_t i = start; i + 1 < bytes.size(); i += 2) {
    text.push_back(
        static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) | (static_cast<unsigned char>(bytes[i + 1]) << 8)));
  }
  return text;
}

bool StartsWith(const std::string& bytes, const char* prefix, std::size_t n) {
  return bytes.size() >= n && bytes.compare(0, n, prefix, n) == 0;
}

// Notepad's "Unicode" without a byte-order mark: text never holds a 0 byte,
// but every ASCII character, the line end included, has one as its high
// byte, so the first 0 byte stands at an odd place.
bool LooksLikeUtf16Le(const std::string& bytes) {
  const std::size_t zero = bytes.find('\0');
  return zero != std::string::npos && zero % 2 == 1;
}

// Well-formed UTF-8 up to the first line feed; a sequence cut by the end of
// what was read counts as well-formed.
bool FirstLineIsUtf8(const std::string& bytes) {
  const std::size_t end = std::min(bytes.find('\n'), bytes.size());
  for (std::size_t i = 0; i < end;) {
    const unsigned char c = static_cast<unsigned char>(bytes[i]);
    const std::size_t extra = c < 0x80             ? 0
                              : (c & 0xE0) == 0xC0 ? 1
                              : (c & 0xF0) == 0xE0 ? 2
                              : (c & 0xF8) == 0xF0 ? 3
                                                   : 9;
    if (extra == 9 || (extra == 1 && c < 0xC2)) return false;
    for (std::size_t k = 1; k <= extra; ++k) {
      if (i + k >= bytes.size()) return true;
      if ((static_cast<unsigned char>(bytes[i + k]) & 0xC0) != 0x80) return false;
    }
    i += extra + 1;
  }
  return true;
}

// The first line, not yet cut to its limit; empty when it holds no text.
std::u16string FirstLineOf(const std::string& bytes) {
  std::u16string text;
  if (StartsWith(bytes, "\xFF\xFE", 2)) {
    text = DecodeUtf16Le(bytes, 2);
  } else if (StartsWith(bytes, "\xEF\xBB\xBF", 3)) {
    text = Utf8ToUtf16(bytes.substr(3));
  } else if (LooksLikeUtf16Le(bytes)) {
    text = DecodeUtf16Le(bytes, 0);
  } else if (FirstLineIsUtf8(bytes)) {
    text = Utf8ToUtf16(bytes);
  } else {
    // A file written on a Japanese PC: the device's own code page.
    text = CodePage932ToWide(bytes.data(), bytes.size());
  }
  std::size_t end = text.find_first_of(std::u16string(u"\n\0", 2));
  if (end == std::u16string::npos) end = text.size();
  if (end > 0 && text[end - 1] == u'\r') --end;
  return text.substr(0, end);
}

}  // namespace

bool DecodeOverrideFirstLine(const std::string& bytes, std::u16string* line) {
  const std::u16string first = FirstLineOf(bytes);
  if (first.empty()) return false;
  *line = CutUtf16(first, kMaxLineUnits);
  return true;
}

bool ApplyOverrideFile(const std::u16string& path, std::u16string* value) {
  std::string bytes;
  return ReadFileStart(path, kReadLimit, &bytes) && DecodeOverrideFirstLine(bytes, value);
}

bool ApplyWholeOverrideFile(const std::u16string& path, std::u16string* value) {
  std::string bytes;
  if (!ReadFileStart(path, kReadLimit, &bytes)) return false;
  // What is read holds more than 255 units of any longer line, so a line
  // longer than that is seen to be longer.
  const std::u16string first = FirstLineOf(bytes);
  if (first.empty() || first.size() > kMaxLineUnits) return false;
  *value = first;
  return true;
}
