#include "shell/override_files.h"

#include <cstdio>

#include "platform/files.h"
#include "platform/utf.h"

namespace {

constexpr std::size_t kMaxLineUnits = 255;
// Enough bytes for a first line of 255 characters in any accepted encoding
// (4 bytes per character at most, plus the byte-order mark).
constexpr std::size_t kReadLimit = 4 * kMaxLineUnits + 8;

std::u16string DecodeUtf16Le(const std::string& bytes, std::size_t start) {
  std::u16string text;
  for (std::size_t i = start; i + 1 < bytes.size(); i += 2) {
    text.push_back(static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                         (static_cast<unsigned char>(bytes[i + 1]) << 8)));
  }
  return text;
}

bool StartsWith(const std::string& bytes, const char* prefix, std::size_t n) {
  return bytes.size() >= n && bytes.compare(0, n, prefix, n) == 0;
}

}  // namespace

bool DecodeOverrideFirstLine(const std::string& bytes, std::u16string* line) {
  std::u16string text;
  if (StartsWith(bytes, "\xFF\xFE", 2)) {
    text = DecodeUtf16Le(bytes, 2);
  } else if (StartsWith(bytes, "\xEF\xBB\xBF", 3)) {
    text = Utf8ToUtf16(bytes.substr(3));
  } else {
    text = Utf8ToUtf16(bytes);
  }
  std::size_t end = text.find_first_of(std::u16string(u"\n\0", 2));
  if (end == std::u16string::npos) end = text.size();
  if (end > 0 && text[end - 1] == u'\r') --end;
  if (end == 0) return false;
  *line = CutUtf16(text.substr(0, end), kMaxLineUnits);
  return true;
}

bool ApplyOverrideFile(const std::u16string& path, std::u16string* value) {
  std::FILE* file = OpenDeviceFile(path, "rb");
  if (!file) return false;
  std::string bytes(kReadLimit, '\0');
  std::size_t got = std::fread(&bytes[0], 1, bytes.size(), file);
  std::fclose(file);
  bytes.resize(got);
  return DecodeOverrideFirstLine(bytes, value);
}
