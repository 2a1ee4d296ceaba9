#include "search/find_bytes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <new>
#include <string>
#include <vector>

namespace {

// Every position FindBytes gives, calling again from one past each, with
// the vectors of each width the processor has (all the same without them)
// and the bytes at each distance from a 64-byte boundary, which moves where
// the search's blocks begin.
std::vector<std::size_t> AllFound(const std::string& bytes, const std::string& needle) {
  const std::size_t widths[] = {1, 16, 32};
  std::vector<std::size_t> first;
  for (std::size_t shift : {0, 1, 17, 63}) {
    // Allocated to the buffer's last byte, so that ASan sees a read past it.
    auto* storage = static_cast<unsigned char*>(::operator new(shift + bytes.size(), std::align_val_t(64)));
    unsigned char* data = storage + shift;
    std::copy(bytes.begin(), bytes.end(), data);
    for (std::size_t width : widths) {
      std::vector<std::size_t> found;
      const auto* wanted = reinterpret_cast<const unsigned char*>(needle.data());
      for (std::size_t p = FindBytesUpTo(width, data, bytes.size(), 0, wanted, needle.size()); p != kBytesNotFound;
           p = FindBytesUpTo(width, data, bytes.size(), p + 1, wanted, needle.size()))
        found.push_back(p);
      if (shift == 0 && width == 1) first = found;
      EXPECT_EQ(first, found) << width << "-byte vectors, " << shift << " bytes past a boundary";
    }
    ::operator delete(storage, std::align_val_t(64));
  }
  return first;
}

// The same by std::string::find, overlapping occurrences included.
std::vector<std::size_t> AllFoundByString(const std::string& bytes, const std::string& needle) {
  std::vector<std::size_t> found;
  for (std::size_t p = bytes.find(needle); p != std::string::npos; p = bytes.find(needle, p + 1)) found.push_back(p);
  return found;
}

// The needle at the edges of the blocks of 32, 64 and 128 positions the search
// tests at once and at the very end of the buffer; a buffer full of the
// needle's first byte (or its last), where every block passes half the test;
// needles of 1 byte (first and last the same byte) up to 31; buffers
// shorter than a block and than the needle.
TEST(FindBytes, FindsWhatStringFindFinds) {
  // In a fill of its first byte, "\x93\x8C\x8B\x8B" passes the test of its first and last byte a byte early too.
  const std::string needles[] = {
      "\x93", "\x93\x8C", "\x93\x8C\x8B\x9E", "\x93\x93\x8C", std::string(31, '\x93') + "\x8C", "\x93\x8C\x8B\x8B"};
  for (const std::string& needle : needles) {
    for (std::size_t size : {0u, 1u, 15u, 16u, 17u, 63u, 64u, 65u, 66u, 127u, 128u, 200u, 255u, 256u, 1000u}) {
      for (char fill : {'\0', '\x93', '\x8C'}) {
        for (std::size_t at :
             {0u, 1u, 14u, 15u, 16u, 31u, 47u, 48u, 62u, 63u, 64u, 65u, 127u, 128u, 191u, 255u, 999u}) {
          std::string bytes(size, fill);
          if (at + needle.size() <= size) bytes.replace(at, needle.size(), needle);
          EXPECT_EQ(AllFoundByString(bytes, needle), AllFound(bytes, needle))
              << needle.size() << " bytes in " << size << " of " << int(fill) << " at " << at;
        }
        // The needle cut by the buffer's end.
        std::string cut = std::string(size, fill) + needle.substr(0, needle.size() - 1);
        EXPECT_EQ(AllFoundByString(cut, needle), AllFound(cut, needle)) << needle.size() << " cut after " << size;
      }
    }
  }
  const unsigned char one = 'a';
  EXPECT_EQ(kBytesNotFound, FindBytes(&one, 1, 1, &one, 1));  // from past the last position
}

}  // namespace
