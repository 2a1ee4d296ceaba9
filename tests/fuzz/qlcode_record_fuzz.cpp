// The QLCode database reader on arbitrary bytes, each pass from the header's end, with a term that every
// line holds and one that few do: the lines keep their rules, two passes give the same lines.
#include <cstddef>
#include <cstdint>
#include <cstdio>

#include "core/reference_point.h"
#include "search/qlcode_search.h"
#include "tests/fuzz/fuzz_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;  // fmemopen refuses an empty buffer
  g_referenceLongitude = 503000000;
  g_referenceLatitude = 128000000;
  std::FILE* file = fmemopen(const_cast<uint8_t*>(data), size, "rb");
  if (!file) return 0;
  std::vector<std::u16string> passes[2];
  for (auto& lines : passes) {
    for (auto [term, radius] : {std::pair{u",", 3501.0}, {u"温泉", 11.0}}) {
      ResultListClear();
      if (std::fseek(file, kQLCodeHeaderBytes, SEEK_SET) != 0) break;
      // Strictly within the radius, printed "%4.f": at most the radius.
      for (const std::u16string& line : CheckedLines(ScanQLCodeRecords(file, term, radius), radius))
        lines.push_back(line);
    }
  }
  if (passes[0] != passes[1]) std::abort();
  std::fclose(file);
  ResultListClear();
  return 0;
}
