#include "search/find_bytes.h"

#include <cstdint>
#include <cstring>

namespace {

// A position can start the needle only when its byte is the needle's first
// and the byte len - 1 further on is its last.  Testing both bytes (not the
// first alone) matters in Shift-JIS text, where the first byte of a kanji
// term is the lead byte of hundreds of other kanji: the pair is rare even
// where each byte is common.  The test runs on blocks of 64 positions, in a
// tight loop that only skips blocks in which no position passes; a block in
// which one does is looked at 16 positions at a time, and only those 16 in
// which one passes position by position.
constexpr std::size_t kBlock = 64;
constexpr std::size_t kLanes = 16;

#if defined(__GNUC__)
// Vectors of bytes compared all at once.  GCC and Clang turn these types
// into SSE2 on x86 and NEON on ARM (and AVX2 in a function built for it);
// the loads go through memcpy, which they compile to one unaligned load, so
// no alignment is assumed.  A lane comparison gives 0xFF where equal, 0
// elsewhere.
typedef unsigned char Bytes16 __attribute__((vector_size(16)));
typedef unsigned char Bytes32 __attribute__((vector_size(32)));
// GCC warns that passing a 32-byte vector differs between code built with
// and without AVX; the helpers that do are always inlined, so no call passes
// one.
#pragma GCC diagnostic ignored "-Wpsabi"
// The helpers below are always inlined, so that inside a function built for
// AVX2 they are built for it too.
#define KARIO_INLINE inline __attribute__((always_inline))

template <typename Bytes>
KARIO_INLINE Bytes Splat(unsigned char byte) {
  Bytes all;
  for (std::size_t i = 0; i < sizeof all; ++i) all[i] = byte;
  return all;
}

template <typename Bytes>
KARIO_INLINE bool AnyLaneSet(Bytes passing) {
  uint64_t words[sizeof passing / 8];
  std::memcpy(words, &passing, sizeof words);
  uint64_t any = 0;
  for (uint64_t word : words) any |= word;
  return any != 0;
}

// Whether some position of the `count` (a multiple of the vector's size)
// from `at` passes the first/last test.  Reads bytes[at .. at + count - 1 +
// len - 1], which the caller keeps inside the buffer.
template <typename Bytes>
KARIO_INLINE bool MayHold(const unsigned char* bytes, std::size_t at, std::size_t count, std::size_t len, Bytes firsts,
             Bytes lasts) {
  Bytes passing = {};
  for (std::size_t i = 0; i < count; i += sizeof(Bytes)) {
    Bytes head, tail;
    std::memcpy(&head, bytes + at + i, sizeof head);
    std::memcpy(&tail, bytes + at + i + len - 1, sizeof tail);
    passing |= reinterpret_cast<Bytes>((head == firsts) & (tail == lasts));
  }
  return AnyLaneSet(passing);
}

// The first block start from p on (blocks of kBlock positions, all of
// which fit before `last`) in which some position passes, or the first p
// from which fewer than kBlock positions remain.
template <typename Bytes>
KARIO_INLINE std::size_t SkipBlocks(const unsigned char* bytes, std::size_t p, std::size_t last, std::size_t len,
                       unsigned char first, unsigned char final) {
  const Bytes firsts = Splat<Bytes>(first), lasts = Splat<Bytes>(final);
  while (last - p >= kBlock && !MayHold(bytes, p, kBlock, len, firsts, lasts)) p += kBlock;
  return p;
}

#if defined(__x86_64__) || defined(__i386__)
// Where the processor has AVX2 (most x86 processors since 2013), the same
// loop in 32-byte vectors runs about twice as fast: fast enough that the
// scan costs less than half of reading the file.  Chosen at run time, so
// the program still runs on any x86 processor.
__attribute__((target("avx2"))) std::size_t SkipBlocksAvx2(const unsigned char* bytes, std::size_t p,
                                                            std::size_t last, std::size_t len, unsigned char first,
                                                            unsigned char final) {
  return SkipBlocks<Bytes32>(bytes, p, last, len, first, final);
}
const bool kHasAvx2 = __builtin_cpu_supports("avx2");
#endif
#endif

}  // namespace

std::size_t FindBytes(const unsigned char* bytes, std::size_t size, std::size_t from, const unsigned char* needle,
                      std::size_t len) {
  if (len == 0 || size < len) return kBytesNotFound;
  const std::size_t last = size - len;  // the last position at which the needle fits
  const unsigned char first = needle[0];
  const unsigned char final = needle[len - 1];
#if defined(__GNUC__)
  const Bytes16 firsts = Splat<Bytes16>(first), lasts = Splat<Bytes16>(final);
#endif
  std::size_t p = from;
  while (p <= last) {
#if defined(__GNUC__)
#if defined(__x86_64__) || defined(__i386__)
    p = kHasAvx2 ? SkipBlocksAvx2(bytes, p, last, len, first, final) : SkipBlocks<Bytes16>(bytes, p, last, len, first, final);
#else
    p = SkipBlocks<Bytes16>(bytes, p, last, len, first, final);
#endif
#endif
    // Positions p .. end - 1.  A vector test only where all of them fit, so
    // that its loads stay inside the buffer.
    const std::size_t end = last - p >= kLanes ? p + kLanes : last + 1;
#if defined(__GNUC__)
    if (end - p == kLanes && !MayHold(bytes, p, kLanes, len, firsts, lasts)) {
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
