#include "platform/codepage.h"

std::size_t BytesBeforeZero(const char* bytes, std::size_t length) {
  std::size_t used = 0;
  while (used < length && bytes[used] != '\0') ++used;
  return used;
}
