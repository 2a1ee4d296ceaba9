#include "search/mesh_scan.h"

#include <unordered_map>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/asan_interface.h>
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#include <sanitizer/asan_interface.h>
#endif
#endif

#include "core/reference_point.h"
#include "core/result_line.h"
#include "platform/codepage.h"
#include "platform/files.h"
#include "platform/result_list.h"
#include "search/coordinates.h"
#include "search/find_bytes.h"
#include "search/mesh_offsets.h"
#include "search/mesh_record.h"

// How the scan reads a mesh file.  A place record, as far as the scan needs
// it, is: a run of at least three 0 bytes, the longitude and latitude
// offsets from the file's cell centre as signed 16-bit little-endian values,
// the Shift-JIS name, and a 0 byte.  The scan finds the term's bytes, walks
// back over name characters to the start of the name and reads the four
// bytes before it as the offsets; when those are out of range it looks for
// the run of 0 bytes instead (the fallback, marked with a triangle).
//
// Safety rules of the scan, which never reads outside the file's bytes:
// - A file longer than kMeshFileMaxBytes is scanned in its first
//   kMeshFileMaxBytes bytes; the rest is not read.
// - A walk back over the name that would need a byte before the file's first
//   byte, or whose offsets would start before it, cannot decode the record:
//   the fallback is tried instead.
// - The fallback gives no line when no run of three 0 bytes lies between the
//   file start and the occurrence, or when the four offset bytes after the
//   run and the first byte of the name are not all inside the file.
// - A name ends after a byte that is followed by a 0 byte, at the end of the
//   file, or after kMeshNameMaxBytes bytes, whichever comes first; longer
//   names are cut.
// - A term longer than kMeshTermMaxBytes in Shift-JIS is refused, not cut:
//   a cut term would find other places than the user asked for.

namespace {

// The file buffer: each file is read into it in one read and scanned where
// it lies, with no copy.  Allocated once for the life of the program and
// reused for every file.  A few guard bytes stand before byte 0; under
// AddressSanitizer they and every byte past the current file are poisoned,
// so that a read outside the file is caught instead of quietly seeing an
// earlier file's bytes.
constexpr std::size_t kGuardBytes = 64;
alignas(64) unsigned char g_fileStorage[kGuardBytes + kMeshFileMaxBytes];
unsigned char* const g_fileBytes = g_fileStorage + kGuardBytes;

#if defined(__SANITIZE_ADDRESS__)
#define KARIO_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define KARIO_ASAN 1
#endif
#endif

// Marks bytes 0..size-1 of the file buffer as the only readable ones (a
// no-op without ASan).  Only the part that changes since the last file is
// re-marked.
void LimitFileBytesTo(std::size_t size) {
#ifdef KARIO_ASAN
  static std::size_t readable = kMeshFileMaxBytes;
  static bool guarded = false;
  if (!guarded) {
    ASAN_POISON_MEMORY_REGION(g_fileStorage, kGuardBytes);
    guarded = true;
  }
  if (size < readable) {
    ASAN_POISON_MEMORY_REGION(g_fileBytes + size, readable - size);
  } else if (size > readable) {
    ASAN_UNPOISON_MEMORY_REGION(g_fileBytes + readable, size - readable);
  }
  readable = size;
#else
  (void)size;
#endif
}

bool OffsetValid(int32_t offset, int32_t limit) { return offset != 0 && offset >= -limit && offset <= limit; }

int32_t ReadInt16(const unsigned char* bytes, std::size_t at) {
  int32_t value = bytes[at] + 256 * bytes[at + 1];
  return value > 32767 ? value - 65536 : value;
}

struct Decoded {
  int32_t lonOffset;
  int32_t latOffset;
  std::size_t nameStart;
  bool fallback;
};

// The record of the occurrence at m: the offsets in front of the name when
// they are in range, else those after the last run of three 0 bytes.
bool DecodeOccurrence(MeshLevel level, const unsigned char* bytes, std::size_t size, std::size_t m,
                      MeshRecordMemo* memo, Decoded* out) {
  const std::size_t s = WalkBackToName(bytes, m, memo);
  if (s != kRecordNotFound) {
    int32_t lonOffset = ReadInt16(bytes, s - 2);
    int32_t latOffset = ReadInt16(bytes, s);
    const MeshOffsetLimits limits = MeshOffsetLimitsAt(level);
    if (OffsetValid(lonOffset, limits.lon) && OffsetValid(latOffset, limits.lat)) {
      *out = Decoded{lonOffset, latOffset, s + 2, false};
      return true;
    }
  }
  const std::size_t z = FindLastZeroRun(bytes, m, memo);
  if (z == kRecordNotFound || z + 7 >= size) return false;  // offsets or the name's first byte missing
  *out = Decoded{ReadInt16(bytes, z + 3), ReadInt16(bytes, z + 5), z + 7, true};
  return true;
}

// A name's wide text.  A copy that skipped a long run of newlines is kept,
// so that every later occurrence that names the same start takes it from
// here instead of skipping the run again.
std::u16string CopyName(const unsigned char* bytes, std::size_t size, std::size_t start,
                        std::unordered_map<std::size_t, std::u16string>* longCopies) {
  constexpr std::size_t kLongCopy = 4 * kMeshNameMaxBytes;
  if (!longCopies->empty()) {
    auto kept = longCopies->find(start);
    if (kept != longCopies->end()) return kept->second;
  }
  const MeshNameBytes name = CopyMeshName(bytes, size, start);
  std::u16string wide = CodePage932ToWide(name.bytes.data(), name.length);
  if (name.visited > kLongCopy) longCopies->emplace(start, wide);
  return wide;
}

// The Shift-JIS bytes of a term up to its first 0 byte.
std::string TermBytes(const std::u16string& term) {
  std::string bytes = WideToCodePage932(term);
  std::size_t end = bytes.find('\0');
  if (end != std::string::npos) bytes.resize(end);
  return bytes;
}

}  // namespace

bool IsNameCharacter(int lead, int trail) {
  if (trail < 0x40 || trail > 0xFC || trail == 0x7F) return false;
  int code = lead * 256 + trail;
  if (code == 0x8155 || code == 0x8158 || code == 0x8159 || code == 0x815B) return true;  // ゞ 々 〆 ー
  if (code >= 0x8245 && code <= 0x8258) return true;  // full-width digits, and ten codes below them
  if (code >= 0x8260 && code <= 0x8279) return true;  // Ａ..Ｚ
  if (code >= 0x8281 && code <= 0x829A) return true;  // ａ..ｚ
  if (code >= 0x829F && code <= 0x82F1) return true;  // ぁ..ん
  if (code >= 0x8340 && code <= 0x8396) return true;  // ァ..ヶ
  if (code >= 0x889F && code <= 0x9872) return true;  // first-level kanji
  if (code >= 0x989F && code <= 0x9FFC) return true;  // second-level kanji up to lead byte 0x9F
  return false;
}

bool MeshSearchTermFits(const std::u16string& term) { return TermBytes(term).size() <= kMeshTermMaxBytes; }

int ScanMeshBuffer(MeshLevel level, const unsigned char* bytes, std::size_t size, const std::string& termBytes,
                   const std::u16string& cellCode, int32_t centreLon, int32_t centreLat) {
  std::size_t len = termBytes.size();
  if (len == 0 || len > kMeshTermMaxBytes) return 0;
  if (size > kMeshFileMaxBytes) size = kMeshFileMaxBytes;
  if (size < len) return 0;

  // Every occurrence, in increasing order: the walks back to each record
  // rely on it to look at each byte of the file a bounded number of times,
  // whatever it holds (mesh_record.cpp).
  const auto* term = reinterpret_cast<const unsigned char*>(termBytes.data());
  int count = 0;
  MeshRecordMemo memo;
  std::unordered_map<std::size_t, std::u16string> longCopies;
  for (std::size_t p = FindBytes(bytes, size, 0, term, len); p != kBytesNotFound;
       p = FindBytes(bytes, size, p + 1, term, len)) {  // occurrences may overlap
    Decoded decoded;
    if (!DecodeOccurrence(level, bytes, size, p, &memo, &decoded)) continue;
    int32_t lon = static_cast<int32_t>(centreLon + MeshOffsetMs(level, decoded.lonOffset));
    int32_t lat = static_cast<int32_t>(centreLat + MeshOffsetMs(level, decoded.latOffset));
    std::u16string name = CopyName(bytes, size, decoded.nameStart, &longCopies);
    ResultListAdd(MeshResultLine(DistanceFromReference(lon, lat), name, cellCode, lon, lat, decoded.fallback));
    ++count;
  }
  return count;
}

int SearchMeshLevel(MeshLevel level, const std::u16string& term, const std::u16string& folder) {
  ResultListClear();
  std::string termBytes = TermBytes(term);
  if (termBytes.empty() || termBytes.size() > kMeshTermMaxBytes) return 0;

  int count = 0;
  for (const MeshPoint& point : MeshSearchPoints(level, g_referenceLongitude, g_referenceLatitude)) {
    MeshCell cell = MeshCellAt(level, point.lon, point.lat);
    for (int quarter = 1; quarter <= MeshFilesPerPoint(level); ++quarter) {
      // The first candidate that opens is the file.  One read of at most
      // the buffer's size: a longer file is scanned in its first
      // kMeshFileMaxBytes bytes.
      LimitFileBytesTo(kMeshFileMaxBytes);  // the read may fill all of it
      std::size_t size = 0;
      bool opened = false;
      for (const std::u16string& path : MeshFileCandidates(level, folder, cell, quarter)) {
        opened = ReadDeviceFile(path, g_fileBytes, kMeshFileMaxBytes, &size);
        if (opened) break;
      }
      if (!opened) continue;  // missing files are simply skipped
      LimitFileBytesTo(size);
      int32_t centreLon = cell.centreLon;
      int32_t centreLat = cell.centreLat;
      if (level == MeshLevel::SQuartered) {
        MeshPoint centre = MeshQuarterCentre(cell, quarter);
        centreLon = centre.lon;
        centreLat = centre.lat;
      }
      count += ScanMeshBuffer(level, g_fileBytes, size, termBytes, cell.code, centreLon, centreLat);
    }
  }
  return count;
}
