#include "search/find_bytes.h"

#include <algorithm>
#include <cstdint>

#if defined(__x86_64__) || defined(__i386__)
#define KARIO_X86_VECTORS 1
#include <immintrin.h>
#endif

// A position can start the needle only when its byte is the needle's first
// and the byte len - 1 further on is its last.  Testing both bytes (not the
// first alone) matters in Shift-JIS text, where the first byte of a kanji
// term is the lead byte of hundreds of other kanji: the pair is rare even
// where each byte is common.  On x86 the test runs on blocks of positions
// at once: two vectors of first bytes and two of last bytes per block.  A
// block in which no position passes costs a handful of instructions; in
// one that does, the passing positions come out as the bits of a mask, and
// only those are compared whole.  The blocks start at a vector-aligned
// byte, so that the loads of first bytes never straddle two cache lines.

namespace {

// Whether the bytes between the first and the last are the needle's.  The
// needle is short (at most 31 bytes): a loop costs less than a call.
bool SameMiddle(const unsigned char* at, const unsigned char* needle, std::size_t len) {
  for (std::size_t i = 1; i + 1 < len; ++i)
    if (at[i] != needle[i]) return false;
  return true;
}

// The first match at a position from p up to end - 1, or kBytesNotFound.
std::size_t FindOneByOne(const unsigned char* bytes, std::size_t p, std::size_t end, const unsigned char* needle,
                         std::size_t len) {
  for (; p < end; ++p)
    if (bytes[p] == needle[0] && bytes[p + len - 1] == needle[len - 1] && SameMiddle(bytes + p, needle, len)) return p;
  return kBytesNotFound;
}

#ifdef KARIO_X86_VECTORS
// The first position p + i, for the set bits i of `passing` from the
// lowest, at which the whole needle stands, or kBytesNotFound.
std::size_t FirstWholeMatch(uint64_t passing, const unsigned char* bytes, std::size_t p, const unsigned char* needle,
                            std::size_t len) {
  for (; passing != 0; passing &= passing - 1) {
    std::size_t at = p + static_cast<std::size_t>(__builtin_ctzll(passing));
    if (SameMiddle(bytes + at, needle, len)) return at;
  }
  return kBytesNotFound;
}

// Each FindInBlocks tests blocks of 2 x its vector size positions from *p
// while a whole block lies at or before `last`, so that every load stays
// inside the buffer.  Returns the first match, or kBytesNotFound with *p
// at the first position not looked at.

// SSE2: every x86-64 processor has it.
std::size_t FindInBlocksSse2(const unsigned char* bytes, std::size_t* p, std::size_t last, const unsigned char* needle,
                             std::size_t len) {
  const __m128i firsts = _mm_set1_epi8(static_cast<char>(needle[0]));
  const __m128i lasts = _mm_set1_epi8(static_cast<char>(needle[len - 1]));
  for (; *p <= last && last - *p >= 31; *p += 32) {
    const auto* head = reinterpret_cast<const __m128i*>(bytes + *p);
    const auto* tail = reinterpret_cast<const __m128i*>(bytes + *p + len - 1);
    __m128i low =
        _mm_and_si128(_mm_cmpeq_epi8(_mm_load_si128(head), firsts), _mm_cmpeq_epi8(_mm_loadu_si128(tail), lasts));
    __m128i high = _mm_and_si128(_mm_cmpeq_epi8(_mm_load_si128(head + 1), firsts),
                                 _mm_cmpeq_epi8(_mm_loadu_si128(tail + 1), lasts));
    uint32_t passing = static_cast<uint32_t>(_mm_movemask_epi8(low)) | static_cast<uint32_t>(_mm_movemask_epi8(high))
                                                                           << 16;
    if (passing == 0) continue;
    std::size_t at = FirstWholeMatch(passing, bytes, *p, needle, len);
    if (at != kBytesNotFound) return at;
  }
  return kBytesNotFound;
}

// AVX2 (most x86 processors since 2013): one vptest tells whether any
// position of the block passed; only then is the mask taken out.
__attribute__((target("avx2"))) std::size_t FindInBlocksAvx2(const unsigned char* bytes, std::size_t* p,
                                                             std::size_t last, const unsigned char* needle,
                                                             std::size_t len) {
  const __m256i firsts = _mm256_set1_epi8(static_cast<char>(needle[0]));
  const __m256i lasts = _mm256_set1_epi8(static_cast<char>(needle[len - 1]));
  for (; *p <= last && last - *p >= 63; *p += 64) {
    const auto* head = reinterpret_cast<const __m256i*>(bytes + *p);
    const auto* tail = reinterpret_cast<const __m256i*>(bytes + *p + len - 1);
    __m256i low = _mm256_and_si256(_mm256_cmpeq_epi8(_mm256_load_si256(head), firsts),
                                   _mm256_cmpeq_epi8(_mm256_loadu_si256(tail), lasts));
    __m256i high = _mm256_and_si256(_mm256_cmpeq_epi8(_mm256_load_si256(head + 1), firsts),
                                    _mm256_cmpeq_epi8(_mm256_loadu_si256(tail + 1), lasts));
    __m256i any = _mm256_or_si256(low, high);
    if (_mm256_testz_si256(any, any) != 0) continue;
    uint64_t passing = static_cast<uint32_t>(_mm256_movemask_epi8(low)) |
                       static_cast<uint64_t>(static_cast<uint32_t>(_mm256_movemask_epi8(high))) << 32;
    std::size_t at = FirstWholeMatch(passing, bytes, *p, needle, len);
    if (at != kBytesNotFound) return at;
  }
  return kBytesNotFound;
}

// No wider vectors: AVX-512BW searched 2 MiB in cache about a fifth faster
// than AVX2, which is under 2% of a whole search (reading the files is its
// cost), and a path that most test machines cannot run would go untested.
const std::size_t kWidestVector = __builtin_cpu_supports("avx2") ? 32 : 16;
#else
const std::size_t kWidestVector = 1;
#endif

}  // namespace

std::size_t FindBytesUpTo(std::size_t widest, const unsigned char* bytes, std::size_t size, std::size_t from,
                          const unsigned char* needle, std::size_t len) {
  if (len == 0 || size < len || from > size - len) return kBytesNotFound;
  const std::size_t last = size - len;  // the last position at which the needle fits
  std::size_t p = from;
#ifdef KARIO_X86_VECTORS
  const std::size_t width = std::min(widest, kWidestVector);
  if (width >= 16) {
    // One by one up to the first position whose byte is vector-aligned.
    const std::size_t misaligned = reinterpret_cast<uintptr_t>(bytes + p) % width;
    const std::size_t aligned = misaligned == 0 ? p : std::min(p + width - misaligned, last + 1);
    std::size_t at = FindOneByOne(bytes, p, aligned, needle, len);
    if (at != kBytesNotFound) return at;
    p = aligned;
    at = width == 32 ? FindInBlocksAvx2(bytes, &p, last, needle, len) : FindInBlocksSse2(bytes, &p, last, needle, len);
    if (at != kBytesNotFound) return at;
  }
#else
  (void)widest;
#endif
  return FindOneByOne(bytes, p, last + 1, needle, len);  // after the last whole block
}

std::size_t FindBytes(const unsigned char* bytes, std::size_t size, std::size_t from, const unsigned char* needle,
                      std::size_t len) {
  return FindBytesUpTo(kWidestVector, bytes, size, from, needle, len);
}
