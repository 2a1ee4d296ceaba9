#include "tools/common/parse_int32.h"

#include <cctype>
#include <cerrno>
#include <cstdlib>

bool ParseInt32(const std::string& text, int32_t& value) {
  // strtoll would skip leading blanks; a field that has them is not a number.
  if (text.empty() || std::isspace(static_cast<unsigned char>(text[0]))) return false;
  errno = 0;
  char* end = nullptr;
  const long long v = std::strtoll(text.c_str(), &end, 10);
  if (end == text.c_str() || *end != '\0' || errno != 0 || v < INT32_MIN || v > INT32_MAX) return false;
  value = static_cast<int32_t>(v);
  return true;
}
