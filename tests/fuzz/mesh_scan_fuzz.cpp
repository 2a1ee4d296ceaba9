// Scans arbitrary bytes as one mesh file at every level: byte 0 = term length (1..31, taken modulo), the
// term's bytes, the file, up to the 2 MiB a search reads.  The slots outside the file are poisoned under ASan,
// so any read before the first or past the last byte fails here; the lines keep their rules, twice the same;
// the walks back look at no more than 5 bytes per byte of the file, so a file that makes them cost its square
// fails at once, at any size (the smoke run's time limit catches any other slow input).
#include <cstdint>
#include <cstdlib>
#include <string>

#include "core/reference_point.h"
#include "search/mesh_record.h"
#include "search/mesh_scan.h"
#include "tests/fuzz/fuzz_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  std::size_t len = 1 + data[0] % kMeshTermMaxBytes;
  if (size < 1 + len) return 0;
  const std::string term(reinterpret_cast<const char*>(data + 1), len);
  const uint8_t* file = data + 1 + len;
  const std::size_t fileSize = size - 1 - len;
  g_referenceLongitude = 503160000;
  g_referenceLatitude = 128450000;
  for (MeshLevel level : {MeshLevel::L, MeshLevel::M, MeshLevel::R, MeshLevel::SQuartered, MeshLevel::SFine}) {
    MeshCell cell = MeshCellAt(level, g_referenceLongitude, g_referenceLatitude);
    std::vector<std::u16string> passes[2];  // the same file twice gives the same lines
    for (auto& lines : passes) {
      ResultListClear();
      const uint64_t walksBefore = CountedMeshRecordSteps().walks;
      const int count = ScanMeshBuffer(level, file, fileSize, term, cell.code, cell.centreLon, cell.centreLat);
      if (count > static_cast<int>(fileSize)) std::abort();
      if (CountedMeshRecordSteps().walks - walksBefore > 5 * static_cast<uint64_t>(fileSize)) std::abort();
      lines = CheckedLines(count);  // and the marker (" " or the triangle) and one blank last
      for (const std::u16string& line : lines) {
        if (line.size() < 12) std::abort();
        const std::u16string end = line.substr(line.size() - 3);
        if (end != u",  " && end != u",\u25B3 ") std::abort();
      }
    }
    if (passes[0] != passes[1]) std::abort();
  }
  return 0;
}
