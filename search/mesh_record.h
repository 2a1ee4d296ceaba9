// Reading a place record from the bytes around an occurrence of the term:
// the walk back over the name to its start, the run of three 0 bytes that
// the fallback looks for, and the name's copy.  Each costs time linear in
// the file over all occurrences of one file, whatever its bytes.
#pragma once
#include <array>
#include <cstddef>
#include <cstdint>

#include "search/mesh_scan.h"

constexpr std::size_t kRecordNotFound = static_cast<std::size_t>(-1);

// What the walks back learned about the bytes of one file so far: a fresh
// value for each file, then passed to every walk of it, occurrence after
// occurrence in increasing order.
struct MeshRecordMemo {
  // The walk back over name characters, started at `nameAt` in either
  // state, stops where these say (kRecordNotFound: it cannot decode).
  std::size_t nameAt = 0;
  std::size_t stopFromFree = kRecordNotFound;
  std::size_t stopFromPending = kRecordNotFound;
  // Every run of three 0 bytes that ends before `zeroAt` is known; the last
  // of them starts at `lastZeroRun`.
  std::size_t zeroAt = 0;
  std::size_t lastZeroRun = kRecordNotFound;
};

// The walk back from the occurrence at m (at or after every occurrence the
// memo has seen): the position s at which it stops, the offsets standing at
// s - 2 .. s + 1 and the name at s + 2; kRecordNotFound when the walk
// reaches the file's first byte or its offsets would begin before it.
std::size_t WalkBackToName(const unsigned char* bytes, std::size_t m, MeshRecordMemo* memo);

// The lowest byte of the last run of three 0 bytes that ends before m (at
// or after every occurrence the memo has seen), or kRecordNotFound.
std::size_t FindLastZeroRun(const unsigned char* bytes, std::size_t m, MeshRecordMemo* memo);

// A name's bytes as the scan shows it: from its start, without newline
// bytes, ending after a byte that is followed by a 0 byte, at the file's
// end or after kMeshNameMaxBytes bytes.
struct MeshNameBytes {
  std::array<char, kMeshNameMaxBytes + 1> bytes;  // an array whose index test builds can check
  std::size_t length;
  std::size_t visited;  // bytes of the file looked at, newlines included
};
MeshNameBytes CopyMeshName(const unsigned char* bytes, std::size_t size, std::size_t start);

// Bytes of files looked at since the program started, by the walks back
// and by the name copies.  Over one file of N bytes the walks look at no
// more than 5 N: each byte twice by the walk back over names (once per
// state) and once by the look for three 0 bytes, which also looks at two
// bytes again per occurrence.  The tests and the fuzzing check it.
struct MeshRecordSteps {
  uint64_t walks;
  uint64_t copies;
};
MeshRecordSteps CountedMeshRecordSteps();
