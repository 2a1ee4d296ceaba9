#include "search/find_bytes.h"

#include <cstdint>
#include <cstring>

namespace {

// A position can start the needle only when its byte is the needle's first
// and the byte len - 1 further on is its last.  Testing both bytes (not the
// first alone) matters in Shift-JIS text, where the first byte of a kanji
// term is the lead byte of hundreds of other kanji: the pair is rare even
// where each byte is common.  The test runs on blocks of 64 positions; a
// block in which no position passes costs one branch, and only a block in
// which one does is looked at position by position.
constexpr std::size_t kBlock = 64;

#if defined(__GNUC__)
// Sixteen bytes compared at once.  GCC and Clang turn these vector types
// into SSE2 on x86 and NEON on ARM; the loads go through memcpy, which they
// compile to one unaligned load, so no alignment is assumed.
typedef unsigned char Bytes16 __attribute__((vector_size(16)));

// Whether some position of the block at `at` passes the first/last test.
// Reads bytes[at .. at + kBlock - 1 + len - 1], which the caller keeps
// inside the buffer.
bool BlockMayHold(const unsigned char* bytes, std::size_t at, std::size_t len, Bytes16 firsts, Bytes16 lasts) {
  Bytes16 passing = {};
  for (std::size_t i = 0; i < kBlock; i += 16) {
    Bytes16 head, tail;
    std::memcpy(&head, bytes + at + i, 16);
    std::memcpy(&tail, bytes + at + i + len - 1, 16);
    // A lane comparison gives 0xFF where equal, 0 elsewhere.
    passing |= reinterpret_cast<Bytes16>((head == firsts) & (tail == lasts));
  }
  uint64_t halves[2];
  std::memcpy(halves, &passing, sizeof halves);
  return (halves[0] | halves[1]) != 0;
}
#endif

}  // namespace

std::size_t FindBytes(const unsigned char* bytes, std::size_t size, std::size_t from, const unsigned char* needle,
                      std::size_t len) {
  if (len == 0 || size < len) return kBytesNotFound;
  const std::size_t last = size - len;  // the last position at which the needle fits
  const unsigned char first = needle[0];
  const unsigned char final = needle[len - 1];
#if defined(__GNUC__)
  Bytes16 firsts, lasts;
  for (int i = 0; i < 16; ++i) firsts[i] = first, lasts[i] = final;
#endif
  std::size_t p = from;
  while (p <= last) {
    // Positions p .. end - 1; a whole block only where all of them fit,
    // so that its loads stay inside the buffer.
    const std::size_t end = last - p >= kBlock ? p + kBlock : last + 1;
#if defined(__GNUC__)
    if (end - p == kBlock && !BlockMayHold(bytes, p, len, firsts, lasts)) {
      p = end;
      continue;
    }
#endif
    for (; p < end; ++p) {
      if (bytes[p] == first && bytes[p + len - 1] == final && std::memcmp(bytes + p, needle, len) == 0) return p;
    }
  }
  return kBytesNotFound;
}
