// Finding a short byte string in a long buffer, at the speed of reading it.
#pragma once
#include <cstddef>

constexpr std::size_t kBytesNotFound = static_cast<std::size_t>(-1);

// The first position p >= from at which the `len` bytes of `needle` stand
// in `bytes` (p + len <= size), or kBytesNotFound.  Occurrences may overlap:
// calling again from p + 1 finds the next one.  Reads no byte outside
// bytes[0..size-1].  `len` is at least 1.
std::size_t FindBytes(const unsigned char* bytes, std::size_t size, std::size_t from, const unsigned char* needle,
                      std::size_t len);

// The same search with vectors of at most `widest` bytes (32, 16, or 1 for
// none) and no wider than the processor has; FindBytes uses the widest
// it has.  Tests go through each width the processor they run on has.
std::size_t FindBytesUpTo(std::size_t widest, const unsigned char* bytes, std::size_t size, std::size_t from,
                          const unsigned char* needle, std::size_t len);
