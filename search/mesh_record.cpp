#include "search/mesh_record.h"

#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

// Why the walks are linear.  Every occurrence walks back from its first
// byte, and a crafted file (the term over and over, no 0 byte) would make
// each walk run to the file's first byte: the square of the file in all.
// But occurrences come in increasing order, and a walk's outcome depends
// only on where it stands and on its one flag, so what a walk learned
// serves the next one:
// - The walk back over the name is a path through states (position,
//   pending).  Once the outcomes of both states at one occurrence are known,
//   a later walk that comes down to that position stops there and takes the
//   outcome of the state it arrives in.  Each walk therefore covers only
//   the bytes since the previous occurrence, twice at most (once per
//   starting state).
// - The fallback wants the last run of three 0 bytes before the occurrence.
//   Either such a run ends after the previous occurrence it looked from
//   (found by looking back down to there), or it is the run found then.
// - A name copy costs at most kMeshNameMaxBytes bytes plus the newlines it
//   skips; runs of newlines are skipped a word at a time, and the scan keeps
//   the names of the copies that skipped many (mesh_scan.cpp), so that a
//   long run is not skipped again for every occurrence that names it.

namespace {

constexpr unsigned char kNewline = 10;

MeshRecordSteps g_steps{0, 0};

// The walk from position k (the next byte to look at is k - 1) in the given
// state, down to where the memo's outcomes take over.
std::size_t WalkFrom(const unsigned char* bytes, std::size_t k, bool pending, const MeshRecordMemo& memo) {
  const std::size_t from = k;
  std::size_t stop = kRecordNotFound;
  bool stopped = false;
  while (k > memo.nameAt) {
    const std::size_t j = k - 1;
    if (pending) {
      // The byte at k was taken as a character's second byte.
      if (!IsNameCharacter(bytes[j], bytes[j + 1])) {
        stop = j < 2 ? kRecordNotFound : j;  // the longitude offset would start before the file
        stopped = true;
        k = j;
        break;
      }
      pending = false;
    } else if (bytes[j] == kNewline) {
      // A newline right after a name character ends the name there.
      if (j < 2) {
        stopped = true;
        k = j;
        break;
      }
      pending = IsNameCharacter(bytes[j - 2], bytes[j - 1]);
    } else if (bytes[j] != '(' && bytes[j] != ')') {
      pending = true;
    }
    k = j;
  }
  g_steps.walks += from - k;
  if (stopped) return stop;
  return pending ? memo.stopFromPending : memo.stopFromFree;
}

// Bit i set when byte i of the 64 from p is 0.
uint64_t ZeroBits64(const unsigned char* p) {
  uint64_t bits = 0;
#if defined(__SSE2__)
  const __m128i zero = _mm_setzero_si128();
  for (std::size_t i = 0; i < 4; ++i) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16 * i));
    bits |= static_cast<uint64_t>(static_cast<uint32_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(v, zero)))) << (16 * i);
  }
#else
  for (int i = 0; i < 64; ++i) bits |= static_cast<uint64_t>(p[i] == 0) << i;
#endif
  return bits;
}

// Whether two 0 bytes stand at 2i and 2i + 1 from p for some i < 32.  Three
// 0 bytes in a row always hold such a pair, and in bytes that are no map
// data a pair is rare: most blocks are passed over on this test alone.
bool HasEvenZeroPair64(const unsigned char* p) {
#if defined(__SSE2__)
  const __m128i zero = _mm_setzero_si128();
  __m128i pairs = zero;
  for (std::size_t i = 0; i < 4; ++i)
    pairs = _mm_or_si128(pairs, _mm_cmpeq_epi16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16 * i)), zero));
  return _mm_movemask_epi8(pairs) != 0;
#else
  for (int i = 0; i < 64; i += 2)
    if (p[i] == 0 && p[i + 1] == 0) return true;
  return false;
#endif
}

// The first position at or after i whose byte is no newline, or size.
std::size_t SkipNewlines(const unsigned char* bytes, std::size_t i, std::size_t size) {
  static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__, "the first differing byte is the lowest");
  constexpr uint64_t kNewlines = 0x0A0A0A0A0A0A0A0AULL;
  while (size - i >= 8) {
    uint64_t word;
    std::memcpy(&word, bytes + i, sizeof word);
    const uint64_t differ = word ^ kNewlines;
    if (differ != 0) return i + static_cast<std::size_t>(__builtin_ctzll(differ)) / 8;
    i += 8;
  }
  while (i < size && bytes[i] == kNewline) ++i;
  return i;
}

}  // namespace

std::size_t WalkBackToName(const unsigned char* bytes, std::size_t m, MeshRecordMemo* memo) {
  const std::size_t fromFree = WalkFrom(bytes, m, false, *memo);
  const std::size_t fromPending = WalkFrom(bytes, m, true, *memo);
  memo->nameAt = m;
  memo->stopFromFree = fromFree;
  memo->stopFromPending = fromPending;
  return fromFree;
}

std::size_t FindLastZeroRun(const unsigned char* bytes, std::size_t m, MeshRecordMemo* memo) {
  // Runs that start at `low` or later are new since the memo's position; a
  // run found there is the last one, else the memo's is.
  const std::size_t low = memo->zeroAt >= 2 ? memo->zeroAt - 2 : 0;
  std::size_t top = m;    // bytes from top up to m - 1 are looked at
  std::size_t zeros = 0;  // 0 bytes in a row from top up, as far as they matter (2)
  std::size_t found = kRecordNotFound;
  auto lookAt = [&](std::size_t k) {
    zeros = bytes[k] == 0 ? zeros + 1 : 0;
    if (zeros >= 3) found = k;
    ++g_steps.walks;
  };
  // One by one down to a multiple of 64, in blocks of 64 while a whole block
  // lies at or above `low`, then one by one again.  A block's run starts are
  // the bits set in a byte's, the next byte's and the byte after's 0 bits,
  // the bytes above the block taken from the count carried down.
  while (found == kRecordNotFound && top > low && top % 64 != 0) lookAt(--top);
  while (found == kRecordNotFound && top >= low + 64) {
    const std::size_t block = top - 64;
    g_steps.walks += 64;
    if (zeros < 2 && !HasEvenZeroPair64(bytes + block)) {
      // No run starts in the block: one at its last byte would need the
      // two bytes above it, one further down an even pair inside it.
      zeros = bytes[block] == 0 ? 1 : 0;
      top = block;
      continue;
    }
    const uint64_t z = ZeroBits64(bytes + block);
    const uint64_t above1 = zeros >= 1 ? 1 : 0;
    const uint64_t above2 = zeros >= 2 ? 1 : 0;
    const uint64_t next = (z >> 1) | (above1 << 63);
    const uint64_t afterNext = (z >> 2) | (above1 << 62) | (above2 << 63);
    const uint64_t starts = z & next & afterNext;
    if (starts != 0) {
      found = block + 63 - static_cast<std::size_t>(__builtin_clzll(starts));
      break;
    }
    const std::size_t low0 = static_cast<std::size_t>(__builtin_ctzll(~z));  // z is never all ones here
    zeros = low0 < 2 ? low0 : 2;
    top = block;
  }
  while (found == kRecordNotFound && top > low) lookAt(--top);
  if (found == kRecordNotFound) found = memo->lastZeroRun;
  memo->zeroAt = m;
  memo->lastZeroRun = found;
  return found;
}

MeshNameBytes CopyMeshName(const unsigned char* bytes, std::size_t size, std::size_t start) {
  MeshNameBytes name;
  name.length = 0;
  name.visited = 0;
  for (std::size_t i = start; i < size;) {
    if (bytes[i] == kNewline) {
      // Newlines are left out; the last of a run ends the name when a 0
      // byte follows it.
      const std::size_t end = SkipNewlines(bytes, i, size);
      name.visited += end - i;
      if (end == size || bytes[end] == 0) break;
      i = end;
      continue;
    }
    ++name.visited;
    name.bytes[name.length++] = static_cast<char>(bytes[i]);
    if (name.length == kMeshNameMaxBytes) break;
    if (i + 1 < size && bytes[i + 1] == 0) break;
    ++i;
  }
  name.bytes[name.length] = '\0';
  g_steps.copies += name.visited;
  return name;
}

MeshRecordSteps CountedMeshRecordSteps() { return g_steps; }
